#include "common/ui/elidinglabel.h"

#include "common/ui/plaintext.h"

#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace zk {

ElidingLabel::ElidingLabel(QWidget *parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    // It takes the room left beside the other controls, however little.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidingLabel::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

bool ElidingLabel::event(QEvent *event) {
    if (event->type() == QEvent::ToolTip) {
        const QRect area = contentsRect();
        if (fontMetrics().horizontalAdvance(text()) > area.width())
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), plainToolTip(text()),
                               this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

} // namespace zk
