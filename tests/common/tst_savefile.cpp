#include "common/error.h"
#include "common/savefile.h"

#include "support/tempprogramfolder.h"
#include "support/withoutrights.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace zk;

class TestSaveFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveCreatesMissingFolders();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void killedSaveLeavesOldOrNew();
};

void TestSaveFile::saveCreatesMissingFolders() {
    test::TempProgramFolder folder;
    SaveStringToFile(folder.path(QStringLiteral("setting/deep/x.dat")), QByteArray("a\r\n"));
    QCOMPARE(folder.read(QStringLiteral("setting/deep/x.dat")), QByteArray("a\r\n"));
    SaveStringToFile(folder.path(QStringLiteral("setting/empty.dat")), QByteArray());
    QVERIFY(folder.exists(QStringLiteral("setting/empty.dat")));
    QCOMPARE(folder.read(QStringLiteral("setting/empty.dat")), QByteArray());
}

void TestSaveFile::failedSaveKeepsOldFile_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    // ro/x.dat may be written but no temporary file can be made beside it:
    // only writing into the file itself, half a file on a failure, would work.
    QTest::newRow("read-only folder") << "ro/x.dat"
                                      << "ro/x.dat";
    QTest::newRow("folder in the way") << "blocker/sub/x.dat"
                                       << "ディレクトリ";
    QTest::newRow("file is a folder") << "isdir"
                                      << "isdir";
}

void TestSaveFile::failedSaveKeepsOldFile() {
    QFETCH(QString, target);
    QFETCH(QString, message);
    test::TempProgramFolder folder;
    const auto open =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(folder.path(), open);
    folder.write(QStringLiteral("ro/x.dat"), "old");
    QFile::setPermissions(folder.path(QStringLiteral("ro/x.dat")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther |
                              QFile::WriteOther);
    QFile::setPermissions(folder.path(QStringLiteral("ro")),
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    folder.write(QStringLiteral("blocker"), "a file where a folder should be");
    QDir().mkpath(folder.path(QStringLiteral("isdir")));

    const QString error =
        test::errorWithoutRights([&] { SaveStringToFile(folder.path(target), QByteArray("new")); });
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(folder.read(QStringLiteral("ro/x.dat")), QByteArray("old"));
    QFile::setPermissions(folder.path(QStringLiteral("ro")), open);
}

// A save killed at any moment leaves the whole old text or the whole new one.
void TestSaveFile::killedSaveLeavesOldOrNew() {
    test::TempProgramFolder folder;
    const QString path = folder.path(QStringLiteral("setting/x.dat"));
    const QByteArray one(300000, '1'), two(200000, '2');
    SaveStringToFile(path, one);
    std::mt19937 random(20261208);
    std::uniform_int_distribution<useconds_t> wait(0, 3000);
    for (int round = 0; round < 300; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            for (;;) {
                SaveStringToFile(path, two);
                SaveStringToFile(path, one);
            }
        }
        usleep(wait(random));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const QByteArray now = folder.read(QStringLiteral("setting/x.dat"));
        QVERIFY2(now == one || now == two,
                 qPrintable(QStringLiteral("round %1: %2 bytes").arg(round).arg(now.size())));
    }
}

QTEST_GUILESS_MAIN(TestSaveFile)
#include "tst_savefile.moc"
