#include "app/ui/amountdelegate.h"

#include "app/intakerow.h"

#include <QDoubleSpinBox>
#include <QSpinBox>

namespace zk {
namespace {

Amount::Unit unitOf(const QModelIndex &index) {
    return Amount::Unit(index.data(IntakeListModel::AmountUnitRole).toInt());
}

} // namespace

QWidget *AmountDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const {
    if (index.column() != IntakeListModel::AmountColumn)
        return ViewItemDelegate::createEditor(parent, option, index);
    const Amount::Unit unit = unitOf(index);
    QAbstractSpinBox *editor = nullptr;
    if (unit == Amount::Unit::Grams) {
        auto *grams = new QSpinBox(parent);
        grams->setRange(int(Amount::minimum(unit)), int(Amount::maximum(unit)));
        grams->setSingleStep(int(Amount::step(unit)));
        grams->setSuffix(QStringLiteral(" g"));
        editor = grams;
    } else {
        auto *portions = new QDoubleSpinBox(parent);
        portions->setDecimals(2);
        portions->setRange(Amount::minimum(unit), Amount::maximum(unit));
        portions->setSingleStep(Amount::step(unit));
        portions->setSuffix(QStringLiteral("人前"));
        editor = portions;
    }
    editor->setObjectName(QStringLiteral("spnAmount"));
    editor->setAccessibleName(QStringLiteral("量"));
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    editor->setFrame(false);
    // A text the box cannot take goes back to the amount it had.
    editor->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    return editor;
}

void AmountDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const {
    const double quantity = index.data(Qt::EditRole).toDouble();
    if (auto *grams = qobject_cast<QSpinBox *>(editor))
        grams->setValue(int(quantity));
    else if (auto *portions = qobject_cast<QDoubleSpinBox *>(editor))
        portions->setValue(quantity);
    else
        return ViewItemDelegate::setEditorData(editor, index);
    // What the user types replaces the amount.
    static_cast<QAbstractSpinBox *>(editor)->selectAll();
}

void AmountDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                  const QModelIndex &index) const {
    auto *box = qobject_cast<QAbstractSpinBox *>(editor);
    if (!box)
        return ViewItemDelegate::setModelData(editor, model, index);
    box->interpretText();
    if (!box->hasAcceptableInput())
        return; // nothing stored
    if (auto *grams = qobject_cast<QSpinBox *>(editor))
        model->setData(index, grams->value());
    else if (auto *portions = qobject_cast<QDoubleSpinBox *>(editor))
        model->setData(index, portions->value());
}

} // namespace zk
