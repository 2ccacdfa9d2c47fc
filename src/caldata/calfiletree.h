#pragma once

#include "caldata/forest.h"

#include <QString>

namespace zk {

// A folder or a calorie table found under data/, or the list of the foods
// eaten most (よく食べる食品), which is made from the food diary.
struct CalFileNode : ForestLinks {
    enum class Kind { Folder, Table, Frequent };
    Kind kind = Kind::Folder;
    QString name; // folder name, or the table's file name without its extension
    QString path; // full path as found on disk; folders end in "/"
};

// The folders and tables under a data folder, nodes in document order
// (parents before children).
class CalFileTree : public Forest<CalFileNode> {
public:
    // Scans a folder to any depth. Every entry counts, hidden ones included;
    // a file is a table when its last extension is ".cal" in any ASCII case.
    // The entries of each folder are sorted by name with the user's locale
    // collation, folders and tables interleaved, since the file system gives
    // no fixed order. A missing folder gives an empty tree.
    static CalFileTree scan(const QString &folder);

    // Puts the entry of the foods eaten most above the folders and tables.
    void addFrequentEntry();
    static QString frequentName() { return QStringLiteral("よく食べる食品"); }

    // True for a file name whose last extension is ".cal", ignoring ASCII case.
    static bool isTableName(QStringView fileName);

private:
    void scanFolder(const QString &folder, int parent, QStringList &chain);
    int append(CalFileNode::Kind kind, QString name, QString path, int parent);
};

} // namespace zk
