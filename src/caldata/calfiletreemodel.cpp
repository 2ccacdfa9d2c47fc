#include "caldata/calfiletreemodel.h"

namespace zk {

CalFileTreeModel::CalFileTreeModel(QObject *parent)
    : QAbstractItemModel(parent) {}

void CalFileTreeModel::setTree(CalFileTree tree) {
    beginResetModel();
    m_tree = std::move(tree);
    endResetModel();
}

const CalFileNode *CalFileTreeModel::node(const QModelIndex &index) const {
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return &m_tree.node(int(index.internalId()));
}

QModelIndex CalFileTreeModel::index(int row, int column, const QModelIndex &parent) const {
    if (column != 0 || (parent.isValid() && parent.column() != 0))
        return {};
    const QList<int> &siblings = m_tree.children(parent.isValid() ? int(parent.internalId()) : -1);
    if (row < 0 || row >= siblings.size())
        return {};
    return createIndex(row, column, quintptr(siblings[row]));
}

QModelIndex CalFileTreeModel::parent(const QModelIndex &child) const {
    const CalFileNode *n = node(child);
    if (!n || n->parent < 0)
        return {};
    return createIndex(m_tree.node(n->parent).row, 0, quintptr(n->parent));
}

int CalFileTreeModel::rowCount(const QModelIndex &parent) const {
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return int(m_tree.children(parent.isValid() ? int(parent.internalId()) : -1).size());
}

int CalFileTreeModel::columnCount(const QModelIndex &) const {
    return 1;
}

QVariant CalFileTreeModel::data(const QModelIndex &index, int role) const {
    const CalFileNode *n = node(index);
    if (!n)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return n->name;
    case KindRole:
        return int(n->kind);
    case PathRole:
        return n->path;
    default:
        return {};
    }
}

Qt::ItemFlags CalFileTreeModel::flags(const QModelIndex &index) const {
    const CalFileNode *n = node(index);
    if (!n)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (n->kind == CalFileNode::Kind::Table)
        f |= Qt::ItemNeverHasChildren;
    return f;
}

} // namespace zk
