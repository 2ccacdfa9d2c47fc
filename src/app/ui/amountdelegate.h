#pragma once

#include "common/ui/viewitemdelegate.h"

namespace zk {

// The intake list's delegate: the 量 cell is edited in a spin box of the
// row's unit (grams: 1-5000 in steps of 10; portions: 0.25-20 in steps of
// 0.25). Enter confirms, Esc cancels; what the box cannot take is not stored.
class AmountDelegate : public ViewItemDelegate {
    Q_OBJECT
public:
    using ViewItemDelegate::ViewItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
};

} // namespace zk
