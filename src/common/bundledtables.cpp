#include "common/bundledtables.h"

#include "common/error.h"
#include "common/savefile.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace zk {
namespace {

const QString tableSuffix = QStringLiteral(".cal");
const QString nutrientSuffix = QStringLiteral(".nutrients");

// The paths of the tables and nutrient files under a folder, in byte order,
// so that a table comes before its nutrient file.
QStringList tablesUnder(const QString &folder, bool nutrientsToo) {
    QStringList paths;
    QStringList patterns{QStringLiteral("*.cal")};
    if (nutrientsToo)
        patterns << QStringLiteral("*.nutrients");
    QDirIterator it(folder, patterns, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    const qsizetype skip = folder.size() + 1;
    while (it.hasNext())
        paths << it.next().mid(skip);
    std::sort(paths.begin(), paths.end(),
              [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    return paths;
}

QByteArray readAll(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("ファイル %1 が読めません。(%2)").arg(path, file.errorString()));
    return file.readAll();
}

// Whether the file can be read and holds these bytes.
bool holds(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() == bytes.size() && file.readAll() == bytes;
}

QByteArray joinedLines(QStringList lines) {
    std::sort(lines.begin(), lines.end(),
              [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + '\n';
    return bytes;
}

} // namespace

BundledTablesUpdate AddBundledTables(const QString &bundledData, const QString &programFolder) {
    if (!QFileInfo(bundledData).isDir())
        throw Error(QStringLiteral("フォルダ %1 がありません。").arg(bundledData));
    const QString program = programFolder.endsWith(u'/') ? programFolder : programFolder + u'/';
    const QString data = program + QStringLiteral("data/");
    const QString manifest = program + QStringLiteral(".bundled-tables");
    const QStringList bundled = tablesUnder(bundledData, true);
    BundledTablesUpdate update;

    QSet<QString> known;
    if (QFileInfo::exists(manifest)) {
        QFile file(manifest);
        if (!file.open(QIODevice::ReadOnly)) {
            update.notes << QStringLiteral("%1 cannot be read; no table added").arg(manifest);
            return update;
        }
        known = ListedBundledPaths(file.readAll(), false);
    }
    bool remade = false;
    if (known.isEmpty() && !tablesUnder(data, false).isEmpty()) {
        known = QSet<QString>(bundled.cbegin(), bundled.cend());
        remade = true;
        update.notes
            << QStringLiteral("%1 was missing or empty; made anew, no table added").arg(manifest);
    }

    QSet<QString> addedNow;
    bool listedNew = false;
    for (const QString &table : bundled) {
        if (table.contains(u'\n') || known.contains(table)) // a list of lines cannot name it
            continue;
        known.insert(table);
        listedNew = true;
        if (table.endsWith(nutrientSuffix) &&
            !addedNow.contains(table.chopped(nutrientSuffix.size()) + tableSuffix))
            continue;
        const QFileInfo target(data + table);
        if (!target.exists() && !target.isSymLink()) {
            SaveStringToFile(target.filePath(), readAll(bundledData + u'/' + table));
            addedNow.insert(table);
            update.added << table;
        }
    }

    const QString sums = program + QStringLiteral(".bundled-sums");
    const QByteArray oldSums = QFileInfo(sums).isFile() ? readAll(sums) : QByteArray();
    const QSet<QString> summed = ListedBundledPaths(oldSums, true);
    QByteArray sumLines = oldSums;
    for (const QString &table : bundled) {
        // A table the user deleted is never summed: nothing to read for it at
        // every start.
        if (summed.contains(table) || !known.contains(table) || !QFileInfo(data + table).isFile())
            continue;
        const QByteArray bytes = readAll(bundledData + u'/' + table);
        if (addedNow.contains(table) || holds(data + table, bytes))
            sumLines += QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + "  " +
                        table.toUtf8() + '\n';
    }
    if (sumLines.size() != oldSums.size())
        SaveStringToFile(sums, sumLines);

    if (listedNew || (remade && !known.isEmpty()))
        SaveStringToFile(manifest, joinedLines(known.values()));
    return update;
}

QSet<QString> ListedBundledPaths(QByteArrayView bytes, bool sums) {
    QSet<QString> paths;
    const qsizetype skip = sums ? 66 : 0;
    for (const QByteArray &line : bytes.toByteArray().split('\n'))
        if (line.size() > skip)
            paths.insert(QString::fromUtf8(line.mid(skip)));
    return paths;
}

} // namespace zk
