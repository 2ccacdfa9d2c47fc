#include "common/ui/viewitemdelegate.h"

#include "common/ui/plaintext.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>

namespace zk {

int ViewItemDelegate::rowHeightFor(const QFont &font) {
    // Tall kana with voicing marks, kanji, brackets, accented capitals and
    // descenders: the glyphs that reach furthest above and below the line.
    static const QString tallest = QStringLiteral("ﾎﾟﾃﾞ「」ポ漢字ÉÅ|gjpqy()");
    const QFontMetrics metrics(font);
    // One pixel row more each way for the antialiased edge of the ink.
    const QRect ink = metrics.tightBoundingRect(tallest).adjusted(0, -1, 0, 1);
    // The text line is centred in the row, so room is needed on both sides
    // for whichever overflow is the larger.
    const int overflow =
        std::max({0, -ink.top() - metrics.ascent(), ink.bottom() + 1 - metrics.descent()});
    return metrics.height() + 2 * overflow;
}

QSize ViewItemDelegate::sizeHint(const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    size.setHeight(std::max(size.height(), rowHeightFor(opt.font)));
    return size;
}

bool ViewItemDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                 const QStyleOptionViewItem &option, const QModelIndex &index) {
    if (event->type() != QEvent::ToolTip || !view)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString tip = index.isValid() ? index.data(Qt::ToolTipRole).toString() : QString();
    QRect rect;
    if (index.isValid()) {
        const QRect r = view->visualRect(index);
        rect = QRect(view->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    QToolTip::showText(event->globalPos(), plainToolTip(tip), view, rect);
    event->setAccepted(!tip.isEmpty());
    return true;
}

} // namespace zk
