#pragma once

#include <QList>

namespace zk {

// Where a node sits in its Forest; Forest::append fills it in.
struct ForestLinks {
    int parent = -1; // index of the parent node, -1 for a top-level node
    int row = 0;     // position among its siblings
    QList<int> children;
};

// Nodes kept in the order they were appended (parents before their
// children), addressed by index. N derives from ForestLinks.
template <typename N> class Forest {
public:
    using Node = N;

    int size() const { return int(m_nodes.size()); }
    bool isEmpty() const { return m_nodes.isEmpty(); }
    const Node &node(int index) const { return m_nodes[index]; }
    const QList<int> &roots() const { return m_roots; }
    // Children of a node, or the top-level nodes for -1.
    const QList<int> &children(int parent) const {
        return parent < 0 ? m_roots : m_nodes[parent].children;
    }

protected:
    void reserve(qsizetype size) { m_nodes.reserve(size); }
    Node &mutableNode(int index) { return m_nodes[index]; }
    // Adds the last child of `parent` (-1: a top-level node); returns its index.
    int append(Node node, int parent) {
        node.parent = parent;
        QList<int> &siblings = parent < 0 ? m_roots : m_nodes[parent].children;
        node.row = int(siblings.size());
        siblings.append(size());
        m_nodes.append(std::move(node));
        return size() - 1;
    }

    // Adds a first top-level node: every other node's index moves up by one.
    void prependRoot(Node node) {
        for (Node &n : m_nodes) {
            if (n.parent < 0)
                ++n.row;
            else
                ++n.parent;
            for (int &child : n.children)
                ++child;
        }
        for (int &root : m_roots)
            ++root;
        node.parent = -1;
        node.row = 0;
        m_nodes.prepend(std::move(node));
        m_roots.prepend(0);
    }

private:
    QList<Node> m_nodes;
    QList<int> m_roots;
};

} // namespace zk
