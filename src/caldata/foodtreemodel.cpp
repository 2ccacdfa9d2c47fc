#include "caldata/foodtreemodel.h"

#include "common/sjis.h"
#include "common/textutil.h"

namespace zk {

FoodTreeModel::FoodTreeModel(QObject *parent)
    : QAbstractItemModel(parent) {}

void FoodTreeModel::setTree(FoodTree tree) {
    beginResetModel();
    m_tree = std::move(tree);
    endResetModel();
}

const FoodNode *FoodTreeModel::node(const QModelIndex &index) const {
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return &m_tree.node(int(index.internalId()));
}

QString FoodTreeModel::caloryText(qint32 calory) {
    return splitdigit(calory) + QStringLiteral(" kcal");
}

QModelIndex FoodTreeModel::index(int row, int column, const QModelIndex &parent) const {
    if (column < 0 || column >= ColumnCount || (parent.isValid() && parent.column() != 0))
        return {};
    const QList<int> &siblings = m_tree.children(parent.isValid() ? int(parent.internalId()) : -1);
    if (row < 0 || row >= siblings.size())
        return {};
    return createIndex(row, column, quintptr(siblings[row]));
}

QModelIndex FoodTreeModel::parent(const QModelIndex &child) const {
    const FoodNode *n = node(child);
    if (!n || n->parent < 0)
        return {};
    return createIndex(m_tree.node(n->parent).row, 0, quintptr(n->parent));
}

int FoodTreeModel::rowCount(const QModelIndex &parent) const {
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return int(m_tree.children(parent.isValid() ? int(parent.internalId()) : -1).size());
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
        return n->isFood() ? caloryText(n->calory) : QString();
    case Qt::ToolTipRole:
        // The whole name as well, for names cut short in a narrow tree.
        if (!n->isFood())
            return {};
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
