#include "caldata/calfiletreemodel.h"

namespace zk {

CalFileTreeModel::CalFileTreeModel(QObject *parent)
    : ForestModel(parent) {}

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
    if (n->kind != CalFileNode::Kind::Folder)
        f |= Qt::ItemNeverHasChildren;
    return f;
}

} // namespace zk
