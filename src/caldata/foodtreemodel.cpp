#include "caldata/foodtreemodel.h"

#include "common/sjis.h"
#include "common/textutil.h"

namespace zk {
namespace {

// A serving's lines: "150 g で 234 kcal（ご飯・パン）", then its nutrients.
QStringList servingLines(const FoodServing &serving) {
    QStringList lines{serving.amount + QStringLiteral(" で ") +
                      FoodTreeModel::caloryText(serving.calory) + QStringLiteral("（") +
                      serving.table + QStringLiteral("）")};
    if (serving.nutrients)
        lines += nutrientValueLines(*serving.nutrients);
    return lines;
}

} // namespace

FoodTreeModel::FoodTreeModel(QObject *parent)
    : ForestModel(parent) {}

QString FoodTreeModel::caloryText(qint32 calory) {
    return kcalText(calory);
}

int FoodTreeModel::columnCount(const QModelIndex &) const {
    return ColumnCount;
}

QVariant FoodTreeModel::data(const QModelIndex &index, int role) const {
    const FoodNode *n = node(index);
    if (!n)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == Text)
            return sjis::decode(n->text);
        if (const FoodServing *serving = tree().serving(*n))
            return caloryText(serving->calory);
        return n->isFood() ? caloryText(n->calory) : QString();
    case Qt::ToolTipRole:
        // The whole name as well, for names cut short in a narrow tree.
        if (!n->isFood())
            return {};
        if (const FoodServing *serving = tree().serving(*n))
            return sjis::decode(n->text) + u'\n' + servingLines(*serving).join(u'\n');
        if (const Nutrients *nutrients = tree().nutrients(*n))
            return sjis::decode(n->text) + u'\n' + nutrientLines(n->calory, *nutrients).join(u'\n');
        return sjis::decode(n->text) + u'\n' + caloryText(n->calory);
    case Qt::TextAlignmentRole:
        if (index.column() == Calory)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case CaloryRole:
        return n->calory;
    case TextBytesRole:
        return n->text;
    case IsFoodRole:
        return n->isFood();
    case NutrientSummaryRole:
        if (const FoodServing *serving = tree().serving(*n))
            return servingLines(*serving).join(QStringLiteral(" ／ "));
        if (const Nutrients *nutrients = n->isFood() ? tree().nutrients(*n) : nullptr)
            return nutrientSummary(n->calory, *nutrients);
        return QString();
    default:
        return {};
    }
}

Qt::ItemFlags FoodTreeModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (node(index)->isFood())
        f |= Qt::ItemNeverHasChildren;
    return f;
}

} // namespace zk
