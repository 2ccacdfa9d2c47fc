#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace zk {

// One entry of a calorie table: a food (no children) or a heading.
struct FoodNode {
    QByteArray text; // Shift-JIS, as in the file
    qint32 calory = 0;
    int parent = -1; // index of the parent node, -1 for a top-level node
    int row = 0;     // position among its siblings
    QList<int> children;

    bool isFood() const { return children.isEmpty(); }
};

// The forest of food nodes of one calorie table. Nodes are kept in document
// order (parents before their children), addressed by index.
class FoodTree {
public:
    int size() const { return int(m_nodes.size()); }
    bool isEmpty() const { return m_nodes.isEmpty(); }
    const FoodNode &node(int index) const { return m_nodes[index]; }
    const QList<int> &roots() const { return m_roots; }
    // Children of a node, or the top-level nodes for -1.
    const QList<int> &children(int parent) const {
        return parent < 0 ? m_roots : m_nodes[parent].children;
    }

    // Reads the text of a .cal file. A line indented more than one level
    // deeper than the node before it throws zk::Error.
    static FoodTree parse(QByteArrayView bytes);
    // Reads a .cal file; throws zk::Error when it cannot be read or parsed.
    static FoodTree load(const QString &path);

    // The list view: every node without children as a flat list, sorted by
    // text with the user's locale collation (case-sensitive); names that
    // compare equal keep their order in the table.
    FoodTree dictionary() const;

private:
    void appendNode(QByteArray text, qint32 calory, int parent);

    QList<FoodNode> m_nodes;
    QList<int> m_roots;
};

} // namespace zk
