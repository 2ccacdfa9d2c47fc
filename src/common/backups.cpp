#include "common/backups.h"

#include "common/error.h"
#include "common/savefile.h"
#include "common/textutil.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace zk {
namespace {

const QString listName = QStringLiteral("backup.lst");
const QByteArray listHeader = "Zenkarta backup 1";
const QString namePattern = QStringLiteral("yyyy-MM-dd_HHmmss");
const QString unfinishedPrefix = QStringLiteral(".making-");

// A path a backup may name: below record/, setting/ or data/, without a step
// out of them, so that a list written by hand never reaches another file.
bool isBackedUpPath(const QString &path) {
    static const QStringList folders{QStringLiteral("record/"), QStringLiteral("setting/"),
                                     QStringLiteral("data/")};
    const bool below = std::any_of(folders.cbegin(), folders.cend(),
                                   [&](const QString &f) { return path.startsWith(f); });
    return below && QDir::cleanPath(path) == path && !path.contains(QStringLiteral("/../")) &&
           !path.contains(u'\0');
}

QByteArray sha256(const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// A backup as its list tells; with `checkCopies`, damaged also when a copy is
// missing or of another size (retention needs only the list).
BackupEntry readEntry(const QString &folder, bool checkCopies = true) {
    QFile list(folder + listName);
    std::optional<BackupEntry> read;
    if (list.open(QIODevice::ReadOnly))
        read = parseBackupList(list.readAll());
    BackupEntry entry = read.value_or(BackupEntry{});
    entry.folder = folder;
    entry.damaged = true;
    if (!read) {
        entry.made =
            QDateTime::fromString(QDir(folder).dirName().left(namePattern.size()), namePattern);
        return entry;
    }
    for (qsizetype i = 0; checkCopies && i < entry.files.size(); ++i) {
        const QFileInfo copy(folder + entry.files[i].path);
        if (!copy.isFile() || copy.size() != entry.files[i].size)
            return entry;
    }
    entry.damaged = false;
    return entry;
}

// Files of a folder under the program folder, by their path below it, in a
// fixed order.
QStringList filesUnder(const QString &program, const QString &folder) {
    QStringList out;
    // Regular files only: a pipe or device would block the backup.
    QDirIterator it(program + folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out.append(folder + u'/' + QDir(program + folder).relativeFilePath(it.next()));
    std::sort(out.begin(), out.end());
    return out;
}

// The checksums of the bundled tables as installed, by path under data/.
QHash<QString, QByteArray> bundledSums(const QString &program) {
    QHash<QString, QByteArray> sums;
    QFile file(program + QStringLiteral(".bundled-sums"));
    if (!file.open(QIODevice::ReadOnly))
        return sums;
    // sha256sum's lines: the checksum, two spaces, the path.
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.size() > 66 && line.at(64) == ' ')
            sums.insert(QString::fromUtf8(line.mid(66)), line.first(64));
    }
    return sums;
}

} // namespace

// The list of a backup: UTF-8, a line a fact, TAB between the fields; the
// last line "end" tells that the backup was finished.
QByteArray backupListBytes(const BackupEntry &entry) {
    QByteArray out = listHeader + '\n';
    out += "made\t" + entry.made.toString(Qt::ISODateWithMs).toUtf8() + '\n';
    out += "cause\t" + entry.cause.toUtf8() + '\n';
    for (const BackupEntry::File &f : entry.files)
        out +=
            "file\t" + f.sha256 + '\t' + QByteArray::number(f.size) + '\t' + f.path.toUtf8() + '\n';
    for (const QString &path : entry.unreadable)
        out += "unreadable\t" + path.toUtf8() + '\n';
    return out + "end\n";
}

std::optional<BackupEntry> parseBackupList(QByteArrayView bytes) {
    const QList<QByteArray> lines = bytes.toByteArray().split('\n');
    if (lines.first() != listHeader)
        return std::nullopt;
    BackupEntry entry;
    bool ended = false;
    for (const QByteArray &line : lines.sliced(1)) {
        if (ended) {
            if (!line.isEmpty())
                return std::nullopt; // nothing follows the end
            continue;
        }
        // The last field is the rest of the line, whatever it holds.
        const qsizetype tab = line.indexOf('\t');
        const QByteArray key = line.first(tab < 0 ? line.size() : tab);
        const QByteArray rest = tab < 0 ? QByteArray() : line.sliced(tab + 1);
        if (key == "end" && tab < 0) {
            ended = true;
        } else if (key == "made" && tab >= 0) {
            entry.made = QDateTime::fromString(QString::fromUtf8(rest), Qt::ISODate);
        } else if (key == "cause" && tab >= 0) {
            entry.cause = QString::fromUtf8(rest);
        } else if (key == "file") {
            const QList<QByteArray> f = rest.split('\t');
            bool sized = false;
            const qint64 size = f.value(1).toLongLong(&sized);
            if (f.size() < 3 || f[0].size() != 64 || !sized || size < 0)
                return std::nullopt;
            const QString path = QString::fromUtf8(rest.sliced(f[0].size() + f[1].size() + 2));
            if (!isBackedUpPath(path))
                return std::nullopt;
            entry.files.append({path, f[0], size});
        } else if (key == "unreadable" && tab >= 0) {
            entry.unreadable.append(QString::fromUtf8(rest));
        } else {
            return std::nullopt;
        }
    }
    if (!ended || !entry.made.isValid())
        return std::nullopt;
    return entry;
}

qint64 BackupEntry::size() const {
    qint64 total = 0;
    for (const File &f : files)
        total += f.size;
    return total;
}

QList<bool> keptBackups(const QList<QDateTime> &made, const QList<qint64> &sizes,
                        const QDateTime &now, qint64 sizeLimit) {
    QList<bool> kept(made.size(), false);
    QSet<qint64> days;
    QSet<qint64> weeks;
    QSet<qint64> months;
    const QDate today = now.date();
    const auto monthIndex = [](QDate d) { return qint64(d.year()) * 12 + d.month() - 1; };
    for (qsizetype i = 0; i < made.size(); ++i) {
        const QDateTime &t = made[i];
        const QDate d = t.date();
        int weekYear = 0;
        const int week = d.weekNumber(&weekYear);
        const qint64 day = d.toJulianDay();
        const qint64 weekKey = qint64(weekYear) * 100 + week;
        const qint64 month = monthIndex(d);
        bool keep = t.secsTo(now) < 24 * 3600;
        if (d.daysTo(today) < 14 && !days.contains(day))
            keep = true;
        if (d.daysTo(today) < 8 * 7 && !weeks.contains(weekKey))
            keep = true;
        if (monthIndex(today) - month < 12 && !months.contains(month))
            keep = true;
        // The newest of a day, week or month counts as its one backup.
        days.insert(day);
        weeks.insert(weekKey);
        months.insert(month);
        kept[i] = keep;
    }
    qint64 total = 0;
    for (qsizetype i = 0; i < made.size(); ++i) {
        if (!kept[i])
            continue;
        total += sizes.value(i);
        if (i > 0 && total > sizeLimit)
            kept[i] = false;
    }
    return kept;
}

Backups::Backups(QString programFolder)
    : m_program(std::move(programFolder)) {
    if (!m_program.endsWith(u'/'))
        m_program += u'/';
}

QString Backups::folder() const {
    return m_program + QStringLiteral("backup/");
}

QStringList Backups::entryFolders() const {
    QStringList out;
    const QStringList names =
        QDir(folder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString &name : names) {
        // Not a backup's name: an unfinished one starts with a dot.
        if (QDateTime::fromString(name.left(namePattern.size()), namePattern).isValid())
            out.append(folder() + name + u'/');
    }
    return out;
}

QList<BackupEntry> Backups::list() const {
    QList<BackupEntry> out;
    for (const QString &entry : entryFolders())
        out.append(readEntry(entry));
    return out;
}

bool Backups::madeOn(QDate date) const {
    const QString day = date.toString(QStringLiteral("yyyy-MM-dd_"));
    const QStringList names = QDir(folder()).entryList({day + u'*'}, QDir::Dirs);
    return !names.isEmpty();
}

Backups::Current Backups::readCurrent() const {
    Current now;
    const QHash<QString, QByteArray> bundled = bundledSums(m_program);
    QStringList paths = filesUnder(m_program, QStringLiteral("data"));
    paths += filesUnder(m_program, QStringLiteral("record"));
    paths += filesUnder(m_program, QStringLiteral("setting"));
    for (const QString &path : std::as_const(paths)) {
        if (path.contains(u'\n'))
            continue; // a line of the list cannot name it
        QByteArray bytes;
        try {
            bytes = readFileBytes(m_program + path);
        } catch (const Error &) {
            now.unreadable.append(path);
            continue;
        }
        const QByteArray sum = sha256(bytes);
        if (path.startsWith(QStringLiteral("data/")) && bundled.value(path.mid(5)) == sum)
            continue; // a bundled table as it was installed
        now.files.append({path, sum, bytes.size()});
        now.bytes.append(bytes);
    }
    return now;
}

void Backups::removeUnfinished() const {
    const QStringList names =
        QDir(folder()).entryList({unfinishedPrefix + u'*'}, QDir::Dirs | QDir::Hidden);
    for (const QString &name : names)
        QDir(folder() + name).removeRecursively();
}

bool Backups::make(const QString &cause, const QDateTime &now) {
    return make(cause, now, readCurrent());
}

bool Backups::make(const QString &cause, const QDateTime &now, const Current &current) {
    removeUnfinished();
    // Only the newest whole backup is read to compare with.
    for (const QString &folder : entryFolders()) {
        const BackupEntry last = readEntry(folder);
        if (last.damaged)
            continue;
        const auto same = [](const BackupEntry::File &a, const BackupEntry::File &b) {
            return a.path == b.path && a.sha256 == b.sha256;
        };
        if (std::equal(last.files.cbegin(), last.files.cend(), current.files.cbegin(),
                       current.files.cend(), same))
            return false;
        break;
    }

    QString name = now.toString(namePattern);
    for (int n = 2; QFileInfo::exists(folder() + name); ++n)
        name = now.toString(namePattern) + u'-' + QString::number(n);
    const QString temporary = folder() + unfinishedPrefix + name + u'/';
    const auto fail = [&](const QString &what) {
        QDir(temporary).removeRecursively();
        throw Error(QStringLiteral("バックアップを作れませんでした（%1）。").arg(what));
    };
    QString madeFolder; // the files come sorted, folder by folder
    for (qsizetype i = 0; i < current.files.size(); ++i) {
        const QString path = temporary + current.files[i].path;
        const QString in = QFileInfo(path).path();
        if (in != madeFolder && !QDir().mkpath(in))
            fail(in);
        madeFolder = in;
        QFile copy(path);
        if (!copy.open(QIODevice::WriteOnly) ||
            copy.write(current.bytes[i]) != current.bytes[i].size() || !copy.flush())
            fail(path);
    }
    BackupEntry made;
    made.made = now;
    made.cause = cause;
    made.files = current.files;
    made.unreadable = current.unreadable;
    QFile list(temporary + listName);
    const QByteArray text = backupListBytes(made);
    if (!QDir().mkpath(temporary) || !list.open(QIODevice::WriteOnly) ||
        list.write(text) != text.size() || !list.flush())
        fail(list.fileName());
    list.close();
    // Finished only once it carries its name.
    if (!QDir().rename(temporary, folder() + name))
        fail(folder() + name);
    prune(now);
    return true;
}

void Backups::prune(const QDateTime &now) const {
    QList<BackupEntry> entries;
    for (const QString &entry : entryFolders())
        entries.append(readEntry(entry, false));
    QList<QDateTime> made;
    QList<qint64> sizes;
    for (const BackupEntry &e : entries) {
        made.append(e.made);
        sizes.append(e.size());
    }
    const QList<bool> kept = keptBackups(made, sizes, now);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!kept[i])
            QDir(entries[i].folder).removeRecursively();
    }
}

QList<BackupDifference> Backups::compare(const BackupEntry &entry) const {
    return differences(entry, readCurrent());
}

QList<BackupDifference> Backups::differences(const BackupEntry &entry, const Current &current) {
    QHash<QString, QByteArray> now;
    for (const BackupEntry::File &f : current.files)
        now.insert(f.path, f.sha256);
    QList<BackupDifference> out;
    QSet<QString> inBackup;
    for (const BackupEntry::File &f : entry.files) {
        inBackup.insert(f.path);
        const auto it = now.constFind(f.path);
        if (it == now.cend())
            out.append({f.path, BackupDifference::Missing});
        else if (*it != f.sha256)
            out.append({f.path, BackupDifference::Changed});
    }
    for (const BackupEntry::File &f : current.files) {
        if (!inBackup.contains(f.path))
            out.append({f.path, BackupDifference::Added});
    }
    return out;
}

void Backups::restore(const BackupEntry &entry, const QStringList &paths, const QDateTime &now) {
    if (entry.damaged)
        throw Error(QStringLiteral("このバックアップは壊れているため復元できません。"));
    const Current current = readCurrent(); // what the backup before the restore holds
    QStringList chosen = paths;
    if (chosen.isEmpty()) {
        for (const BackupDifference &d : differences(entry, current)) {
            if (d.kind != BackupDifference::Added)
                chosen.append(d.path);
        }
    }
    if (chosen.isEmpty())
        return;
    // Every copy is read and checked before anything is overwritten.
    QList<QByteArray> copies;
    for (const QString &path : std::as_const(chosen)) {
        const auto it = std::find_if(entry.files.cbegin(), entry.files.cend(),
                                     [&](const BackupEntry::File &f) { return f.path == path; });
        QByteArray bytes;
        try {
            if (it != entry.files.cend())
                bytes = readFileBytes(entry.folder + path);
        } catch (const Error &) {
        }
        if (it == entry.files.cend() || sha256(bytes) != it->sha256)
            throw Error(
                QStringLiteral("バックアップの「%1」が壊れているため復元できません。").arg(path));
        copies.append(bytes);
    }
    make(QStringLiteral("復元の前"), now, current);
    for (qsizetype i = 0; i < chosen.size(); ++i)
        SaveStringToFile(m_program + chosen[i], copies[i]);
}

} // namespace zk
