#pragma once

#include <QStyledItemDelegate>

namespace zk {

// The delegate of the program's trees and lists. Rows are tall enough for the
// ink of their font: the Mincho and Gothic faces draw kana and kanji above
// their nominal ascent, which a row of the font's height cuts off. Tooltips
// show the item's text as it stands, never as markup.
class ViewItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    // The smallest row height that shows every glyph of the font whole.
    static int rowHeightFor(const QFont &font);
};

} // namespace zk
