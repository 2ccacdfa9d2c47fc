#include "caldata/calfiletree.h"

#include "common/platform.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace zk {
namespace {

char16_t asciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

} // namespace

bool CalFileTree::isTableName(QStringView fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || fileName.size() - dot != 4)
        return false;
    const char16_t *ext = u".cal";
    for (int i = 0; i < 4; ++i) {
        if (asciiLower(fileName[dot + i].unicode()) != ext[i])
            return false;
    }
    return true;
}

int CalFileTree::append(CalFileNode::Kind kind, QString name, QString path, int parent) {
    CalFileNode node;
    node.kind = kind;
    node.name = std::move(name);
    node.path = std::move(path);
    return Forest::append(std::move(node), parent);
}

void CalFileTree::addFrequentEntry() {
    CalFileNode node;
    node.kind = CalFileNode::Kind::Frequent;
    node.name = frequentName();
    prependRoot(std::move(node));
}

void CalFileTree::scanFolder(const QString &folder, int parent, QStringList &chain) {
    struct Entry {
        QString name;
        bool isDir;
    };
    QList<Entry> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries.append({info.fileName(), info.isDir()});
    }
    const Regional &regional = Regional::current();
    std::sort(entries.begin(), entries.end(),
              [&](const Entry &a, const Entry &b) { return regional.compare(a.name, b.name) < 0; });

    for (const Entry &entry : std::as_const(entries)) {
        const QString path = folder + entry.name;
        if (entry.isDir) {
            const int node = append(CalFileNode::Kind::Folder, entry.name, path + u'/', parent);
            // A link back to a folder above would make the scan endless: such
            // a folder is listed but not entered again.
            const QString canonical = QFileInfo(path).canonicalFilePath();
            if (!chain.contains(canonical)) {
                chain.append(canonical);
                scanFolder(path + u'/', node, chain);
                chain.removeLast();
            }
        } else if (isTableName(entry.name)) {
            append(CalFileNode::Kind::Table, entry.name.first(entry.name.lastIndexOf(u'.')), path,
                   parent);
        }
    }
}

CalFileTree CalFileTree::scan(const QString &folder) {
    CalFileTree tree;
    QStringList chain{QFileInfo(folder).canonicalFilePath()};
    tree.scanFolder(folder.endsWith(u'/') ? folder : folder + u'/', -1, chain);
    return tree;
}

} // namespace zk
