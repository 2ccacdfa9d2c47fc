#pragma once

#include <QAbstractItemModel>

namespace zk {

// The item-model side of a Forest: an index's internal id is its node's
// index in the tree. Columns, data and flags are the derived model's.
template <typename Tree> class ForestModel : public QAbstractItemModel {
public:
    using Node = typename Tree::Node;

    const Tree &tree() const { return m_tree; }
    void setTree(Tree tree) {
        beginResetModel();
        m_tree = std::move(tree);
        endResetModel();
    }
    // The node behind an index, or nullptr for an invalid one or one of another model.
    const Node *node(const QModelIndex &index) const {
        if (!index.isValid() || index.model() != this)
            return nullptr;
        return &m_tree.node(int(index.internalId()));
    }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override {
        if (column < 0 || column >= columnCount(parent) ||
            (parent.isValid() && parent.column() != 0))
            return {};
        const QList<int> &siblings = m_tree.children(nodeIndex(parent));
        if (row < 0 || row >= siblings.size())
            return {};
        return createIndex(row, column, quintptr(siblings[row]));
    }
    QModelIndex parent(const QModelIndex &child) const override {
        const Node *n = node(child);
        if (!n || n->parent < 0)
            return {};
        return createIndex(m_tree.node(n->parent).row, 0, quintptr(n->parent));
    }
    int rowCount(const QModelIndex &parent = {}) const override {
        if (parent.isValid() && parent.column() != 0)
            return 0;
        return int(m_tree.children(nodeIndex(parent)).size());
    }

protected:
    explicit ForestModel(QObject *parent)
        : QAbstractItemModel(parent) {}

private:
    static int nodeIndex(const QModelIndex &index) {
        return index.isValid() ? int(index.internalId()) : -1;
    }

    Tree m_tree;
};

} // namespace zk
