#pragma once

#include <QList>
#include <QString>

namespace zk {

// A folder or a calorie table found under data/.
struct CalFileNode {
    enum class Kind { Folder, Table };
    Kind kind = Kind::Folder;
    QString name; // folder name, or the table's file name without its extension
    QString path; // full path as found on disk; folders end in "/"
    int parent = -1;
    int row = 0;
    QList<int> children;
};

// The folders and tables under a data folder, nodes in document order
// (parents before children), addressed by index.
class CalFileTree {
public:
    int size() const { return int(m_nodes.size()); }
    bool isEmpty() const { return m_nodes.isEmpty(); }
    const CalFileNode &node(int index) const { return m_nodes[index]; }
    const QList<int> &children(int parent) const {
        return parent < 0 ? m_roots : m_nodes[parent].children;
    }

    // Scans a folder to any depth. Every entry counts, hidden ones included;
    // a file is a table when its last extension is ".cal" in any ASCII case.
    // The entries of each folder are sorted by name with the user's locale
    // collation, folders and tables interleaved, since the file system gives
    // no fixed order. A missing folder gives an empty tree.
    static CalFileTree scan(const QString &folder);

    // True for a file name whose last extension is ".cal", ignoring ASCII case.
    static bool isTableName(QStringView fileName);

private:
    void scanFolder(const QString &folder, int parent, QStringList &chain);
    int append(CalFileNode::Kind kind, QString name, QString path, int parent);

    QList<CalFileNode> m_nodes;
    QList<int> m_roots;
};

} // namespace zk
