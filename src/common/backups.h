#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zk {

// One backup of what the user made: a folder of plain copies under the
// program folder's backup/, named by its local date and time, with the list
// of its files in backup.lst.
struct BackupEntry {
    struct File {
        QString path; // under the program folder: "record/体重.dat"
        QByteArray sha256;
        qint64 size = 0;
    };
    QString folder; // its full path
    QDateTime made;
    QString cause;
    QList<File> files;
    QStringList unreadable; // files of the program folder that could not be read
    bool damaged = false;   // unfinished, or a copy is missing or of another size

    qint64 size() const;
};

// The list of a backup's files, backup.lst, as written and read; reading
// gives nothing for a list that is not whole.
QByteArray backupListBytes(const BackupEntry &entry);
std::optional<BackupEntry> parseBackupList(QByteArrayView bytes);

// How a file of a backup stands against the program folder now.
struct BackupDifference {
    enum Kind {
        Changed, // in both, other bytes
        Missing, // in the backup, gone from the folder
        Added,   // in the folder, not in the backup (a restore leaves it alone)
    };
    QString path;
    Kind kind;
};

// The retention of backups: every one of the last 24 hours, the newest of
// each day for 14 days, of each week for 8 weeks, of each month for 12
// months; then, oldest first, as many as take the whole past `sizeLimit`
// bytes (the newest always stays). `made` and `sizes` newest first; true
// for each backup that stays.
QList<bool> keptBackups(const QList<QDateTime> &made, const QList<qint64> &sizes,
                        const QDateTime &now, qint64 sizeLimit = 200LL * 1024 * 1024);

// The backups of a program folder. What is backed up: every file under
// record/ and setting/, and the files under data/ other than the bundled
// tables as they were installed (.bundled-sums holds their checksums).
class Backups {
public:
    explicit Backups(QString programFolder);

    QString folder() const; // <program folder>/backup/
    // Every backup, newest first; damaged ones are listed as such.
    QList<BackupEntry> list() const;
    // Whether a backup was made on the date, from the names alone.
    bool madeOn(QDate date) const;

    // Makes a backup unless it would hold what the newest one holds; then
    // removes what the retention lets go. Returns whether one was made.
    // Throws zk::Error when the backup cannot be written; what was begun is
    // removed, and no half backup ever passes for a whole one.
    bool make(const QString &cause, const QDateTime &now);

    // The files of a backup that differ from the folder now, by path.
    QList<BackupDifference> compare(const BackupEntry &entry) const;
    // Puts back the chosen files of the backup (all its changed and missing
    // ones when `paths` is empty), after a backup of the present state, so
    // that the restore itself can be undone. Throws zk::Error, naming the
    // file, for a damaged backup or a file that cannot be written; the files
    // restored before it stay restored.
    void restore(const BackupEntry &entry, const QStringList &paths, const QDateTime &now);

private:
    struct Current {
        QList<BackupEntry::File> files;
        QStringList unreadable;
        QList<QByteArray> bytes;
    };
    Current readCurrent() const;
    bool make(const QString &cause, const QDateTime &now, const Current &current);
    static QList<BackupDifference> differences(const BackupEntry &entry, const Current &current);
    QStringList entryFolders() const; // newest first
    void removeUnfinished() const;
    void prune(const QDateTime &now) const;

    QString m_program;
};

} // namespace zk
