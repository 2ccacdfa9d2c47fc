#include "common/backups.h"
#include "common/error.h"

#include "support/tempprogramfolder.h"
#include "support/withoutrights.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTest>

#include <random>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zk;

namespace {

const QDateTime noon(QDate(2026, 12, 9), QTime(12, 0));

// The paths of a backup's files, and its cause.
QString describe(const BackupEntry &e) {
    QStringList paths;
    for (const BackupEntry::File &f : e.files)
        paths << f.path;
    return e.cause + u':' + paths.join(u',');
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void retention_data();
    void retention();
    void backUpAndRestore();
    void damagedAndUnfinished();
    void unreadableFileIsNamed();
    void killedBackupNeverPassesForWhole();
};

void TestBackups::retention_data() {
    QTest::addColumn<QList<int>>("hoursAgo"); // newest first
    QTest::addColumn<QList<int>>("megabytes");
    QTest::addColumn<QList<int>>("kept"); // the positions that stay
    QTest::newRow("the last 24 hours, all")
        << QList<int>{0, 1, 2, 23} << QList<int>{1, 1, 1, 1} << QList<int>{0, 1, 2, 3};
    // 12:00 now: 30 and 34 hours ago are on 12/08, the newest of that day stays.
    QTest::newRow("one a day for 14 days")
        << QList<int>{30, 34, 13 * 24, 13 * 24 + 1} << QList<int>{1, 1, 1, 1} << QList<int>{0, 2};
    // 20 and 22 days back are 11/19 and 11/17, one week; 50 and 57 days back
    // are in two weeks of October, the older past the 8 weeks.
    QTest::newRow("one a week for 8 weeks") << QList<int>{20 * 24, 22 * 24, 50 * 24, 57 * 24}
                                            << QList<int>{1, 1, 1, 1} << QList<int>{0, 2};
    QTest::newRow("one a month for 12 months, then none")
        << QList<int>{100 * 24, 101 * 24, 300 * 24, 400 * 24} << QList<int>{1, 1, 1, 1}
        << QList<int>{0, 2};
    QTest::newRow("past 200 MB the oldest go, the newest stays")
        << QList<int>{0, 1, 2, 3} << QList<int>{150, 40, 20, 5} << QList<int>{0, 1};
    QTest::newRow("one backup larger than the limit")
        << QList<int>{0} << QList<int>{300} << QList<int>{0};
}

void TestBackups::retention() {
    QFETCH(QList<int>, hoursAgo);
    QFETCH(QList<int>, megabytes);
    QFETCH(QList<int>, kept);
    QList<QDateTime> made;
    QList<qint64> sizes;
    for (qsizetype i = 0; i < hoursAgo.size(); ++i) {
        made << noon.addSecs(-3600LL * hoursAgo[i]);
        sizes << qint64(megabytes[i]) * 1024 * 1024;
    }
    const QList<bool> keep = keptBackups(made, sizes, noon);
    QList<int> got;
    for (qsizetype i = 0; i < keep.size(); ++i) {
        if (keep[i])
            got << int(i);
    }
    QCOMPARE(got, kept);
}

void TestBackups::backUpAndRestore() {
    test::TempProgramFolder folder;
    const QByteArray bundled = "@h\r\n\tx:1\r\n";
    folder.write(QStringLiteral("data/a/bundled.cal"), bundled);
    folder.write(QStringLiteral(".bundled-sums"),
                 QCryptographicHash::hash(bundled, QCryptographicHash::Sha256).toHex() +
                     "  a/bundled.cal\n");
    folder.write(QStringLiteral("data/mine.cal"), "y:2\r\n");
    folder.write(QStringLiteral("record/intake/2026-12-09.dat"), "day\r\n");
    folder.write(QStringLiteral("setting/font.dat"), "font\r\n");
    folder.write(QStringLiteral("help/index.html"), "help");
    Backups backups(folder.path());
    QVERIFY(!backups.madeOn(noon.date()));
    QVERIFY(backups.make(QStringLiteral("起動時"), noon));
    QVERIFY(backups.madeOn(noon.date()));
    // Neither the help nor a bundled table as installed; equal to the last: none.
    QCOMPARE(describe(backups.list().value(0)),
             QStringLiteral("起動時:data/mine.cal,record/intake/2026-12-09.dat,setting/font.dat"));
    QVERIFY(!backups.make(QStringLiteral("again"), noon.addSecs(60)));
    QCOMPARE(backups.list().size(), 1);

    // The day emptied, a table edited, a bundled table changed and a file added.
    QVERIFY(QFile::remove(folder.path(QStringLiteral("record/intake/2026-12-09.dat"))));
    folder.write(QStringLiteral("data/mine.cal"), "");
    folder.write(QStringLiteral("data/a/bundled.cal"), "changed");
    folder.write(QStringLiteral("setting/new.ini"), "new");
    const BackupEntry first = backups.list().value(0);
    QStringList differences;
    for (const BackupDifference &d : backups.compare(first))
        differences << QString::number(d.kind) + d.path;
    QCOMPARE(differences, (QStringList{"0data/mine.cal", "1record/intake/2026-12-09.dat",
                                       "2data/a/bundled.cal", "2setting/new.ini"}));

    backups.restore(first, {QStringLiteral("record/intake/2026-12-09.dat")}, noon.addSecs(120));
    QCOMPARE(folder.read(QStringLiteral("record/intake/2026-12-09.dat")), QByteArray("day\r\n"));
    QCOMPARE(folder.read(QStringLiteral("data/mine.cal")), QByteArray());
    // The state before the restore was kept first, so the restore can be undone.
    const QList<BackupEntry> after = backups.list();
    QCOMPARE(after.size(), 2);
    QCOMPARE(after.first().cause, QStringLiteral("復元の前"));
    backups.restore(first, {}, noon.addSecs(180)); // the whole backup
    QCOMPARE(folder.read(QStringLiteral("data/mine.cal")), QByteArray("y:2\r\n"));
    QCOMPARE(folder.read(QStringLiteral("setting/new.ini")), QByteArray("new")); // left alone
}

void TestBackups::damagedAndUnfinished() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/a.dat"), "1");
    Backups backups(folder.path());
    QVERIFY(backups.make(QStringLiteral("one"), noon));
    folder.write(QStringLiteral("record/a.dat"), "22");
    QVERIFY(backups.make(QStringLiteral("two"), noon.addSecs(1)));
    // A copy cut short, and a backup a crash left unfinished.
    const BackupEntry two = backups.list().value(0);
    folder.write(two.folder.mid(folder.path().size()) + QStringLiteral("record/a.dat"), "2");
    folder.write(QStringLiteral("backup/.making-2026-12-09_120005/record/a.dat"), "x");
    const QList<BackupEntry> entries = backups.list();
    QCOMPARE(entries.size(), 2);
    QVERIFY(entries[0].damaged);
    QVERIFY(!entries[1].damaged);
    try {
        backups.restore(entries[0], {}, noon.addSecs(2));
        QFAIL("restored from a damaged backup");
    } catch (const Error &) {
    }
    QCOMPARE(folder.read(QStringLiteral("record/a.dat")), QByteArray("22"));
    // A list that names a file outside the folders backed up is damaged.
    const QString list = entries[1].folder.mid(folder.path().size()) + QStringLiteral("backup.lst");
    folder.write(list, folder.read(list).replace("record/a.dat", "record/../../x"));
    QVERIFY(backups.list().value(1).damaged);
    folder.write(QStringLiteral("record/a.dat"), "333");
    QVERIFY(backups.make(QStringLiteral("three"), noon.addSecs(3)));
    QVERIFY(!QDir(folder.path(QStringLiteral("backup/.making-2026-12-09_120005"))).exists());
}

void TestBackups::unreadableFileIsNamed() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/a.dat"), "1");
    folder.write(QStringLiteral("record/secret.dat"), "2");
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                      QFile::WriteOther | QFile::ExeOther;
    for (const QString &dir : {QString(), QStringLiteral("record")})
        QFile::setPermissions(folder.path(dir), open);
    QFile::setPermissions(folder.path(QStringLiteral("record/secret.dat")), QFile::WriteOwner);
    // Made by a user who may not read the one file.
    const QString said = test::errorWithoutRights([&] {
        Backups backups(folder.path());
        backups.make(QStringLiteral("x"), noon);
        const BackupEntry made = backups.list().value(0);
        throw Error(made.unreadable.join(u',') + u'|' + describe(made));
    });
    QCOMPARE(said, QStringLiteral("record/secret.dat|x:record/a.dat"));
}

// A backup killed at any moment is either whole or not listed as whole, and
// the program folder's files are untouched.
void TestBackups::killedBackupNeverPassesForWhole() {
    test::TempProgramFolder folder;
    for (int i = 0; i < 40; ++i)
        folder.write(QStringLiteral("record/intake/d%1.dat").arg(i),
                     QByteArray(20000, 'a' + i % 26));
    std::mt19937 random(20261209);
    std::uniform_int_distribution<useconds_t> wait(0, 20000);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            Backups backups(folder.path());
            for (int n = 0;; ++n) {
                folder.write(QStringLiteral("setting/n.dat"), QByteArray::number(n));
                backups.make(QStringLiteral("loop"), noon.addSecs(100 * round + n));
            }
        }
        usleep(wait(random));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        for (const BackupEntry &e : Backups(folder.path()).list()) {
            if (e.damaged)
                continue;
            for (const BackupEntry::File &f : e.files) {
                const QByteArray copy = folder.read(e.folder.mid(folder.path().size()) + f.path);
                QCOMPARE(QCryptographicHash::hash(copy, QCryptographicHash::Sha256).toHex(),
                         f.sha256);
            }
        }
        QCOMPARE(folder.read(QStringLiteral("record/intake/d3.dat")), QByteArray(20000, 'd'));
    }
}

QTEST_GUILESS_MAIN(TestBackups)
#include "tst_backups.moc"
