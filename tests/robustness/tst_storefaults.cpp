// The INI store and the list files under faults: bytes that are not valid
// CP932 survive a save, a failed save leaves the old file whole, and a file
// that cannot be read is reported rather than taken as empty.
#include "common/error.h"
#include "common/inidocument.h"
#include "common/listtable.h"
#include "common/savefile.h"
#include "common/textutil.h"
#include "common/tinisaveprops.h"

#include "support/filesizelimit.h"
#include "support/tempprogramfolder.h"

#include <QDir>
#include <QTest>

using namespace zk;

namespace {

const QByteArray invalid("\x85\x40\xa0\xfd"); // no CP932 characters

QString errorOf(const std::function<void()> &command) {
    try {
        command();
    } catch (const Error &e) {
        return e.text();
    }
    return {};
}

} // namespace

class TestStoreFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void invalidBytesSurviveSave_data();
    void invalidBytesSurviveSave();
    void saveFails_data();
    void saveFails();
    void unreadableFileIsReported();
    void fullDiskAnySize_data();
    void fullDiskAnySize();
    void iniValueLinesRoundTrip_data();
    void iniValueLinesRoundTrip();
};

void TestStoreFaults::invalidBytesSurviveSave_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("value") << "[w]\r\nLeft=10\r\nName=" + invalid + "\r\n\r\n";
    QTest::newRow("section") << "[" + invalid + "]\r\nk=1\r\n\r\n[w]\r\nLeft=10\r\n\r\n";
    QTest::newRow("key") << "[w]\r\n" + invalid + "=1\r\nLeft=10\r\n\r\n";
    QTest::newRow("lone lead byte at the end") << QByteArray("[w]\r\nLeft=10\r\nT=\x82\r\n\r\n");
}

void TestStoreFaults::invalidBytesSurviveSave() {
    QFETCH(QByteArray, before);
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("w.ini"), before);
    TIniSaveProps store;
    store.FileName = folder.path(QStringLiteral("w.ini"));
    int left = 0;
    store.bindInteger(
        "w", "Left", [&] { return left; }, [&](int v) { left = v; });
    store.Load();
    QCOMPARE(left, 10);
    store.Save();
    QCOMPARE(folder.read(QStringLiteral("w.ini")), before);
}

void TestStoreFaults::saveFails_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason"); // what the store's message says beyond its first line
    QTest::newRow("disk full") << "full" << QStringLiteral("w.ini に書き込めません。(");
    QTest::newRow("folder replaced by a file") << "file" << QStringLiteral("l.datが作れません。");
}

void TestStoreFaults::saveFails() {
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    test::TempProgramFolder folder;
    const QByteArray old("[w]\r\nLeft=10\r\n\r\n");
    folder.write(QStringLiteral("setting/w.ini"), old);
    folder.write(QStringLiteral("setting/l.dat"), "a\xff"
                                                  "b\r\n");
    TIniSaveProps store;
    store.FileName = folder.path(QStringLiteral("setting/w.ini"));
    if (fault == QLatin1String("file"))
        store.FileName = folder.path(QStringLiteral("setting/l.dat/w.ini"));
    int left = 99;
    store.bindInteger(
        "w", "Left", [&] { return left; }, [&](int v) { left = v; });
    ListTableModel table({QStringLiteral("a"), QStringLiteral("b")});
    table.setRows({{"c", QByteArray(4096, 'd')}});
    std::optional<test::FileSizeLimit> full;
    if (fault == QLatin1String("full"))
        full.emplace(4);
    const QString storeError = errorOf([&] { store.Save(); });
    QString listError;
    if (fault == QLatin1String("full"))
        listError =
            errorOf([&] { ListViewSave(table, folder.path(QStringLiteral("setting/l.dat"))); });
    full.reset();
    QVERIFY2(storeError.startsWith(
                 QStringLiteral("ファイル %1 を作成できません\n").arg(store.FileName)) &&
                 storeError.contains(reason),
             qPrintable(storeError));
    if (fault == QLatin1String("full")) {
        QVERIFY2(listError.startsWith(QStringLiteral("ファイル %1 に書き込めません。")
                                          .arg(folder.path(QStringLiteral("setting/l.dat")))),
                 qPrintable(listError));
    }
    QCOMPARE(folder.read(QStringLiteral("setting/w.ini")), old);
    QCOMPARE(folder.read(QStringLiteral("setting/l.dat")), QByteArray("a\xff"
                                                                      "b\r\n"));
    QCOMPARE(QDir(folder.path(QStringLiteral("setting"))).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"l.dat", "w.ini"}));
}

// A file replaced by a folder, or one that went away after the program saw
// it, is an error and not an empty file: an empty table must not be saved
// over the user's data.
void TestStoreFaults::unreadableFileIsReported() {
    test::TempProgramFolder folder;
    QVERIFY(QDir().mkpath(folder.path(QStringLiteral("setting/l.dat"))));
    ListTableModel table({QStringLiteral("a")});
    table.setRows({{"kept"}});
    const QString path = folder.path(QStringLiteral("setting/l.dat"));
    QCOMPARE(errorOf([&] { ListViewLoad(table, path); }),
             QStringLiteral("ファイル %1 は開けません").arg(path));
    QCOMPARE(table.rowCount(), 1);
    QCOMPARE(errorOf([&] { IniDocument::load(path); }),
             QStringLiteral("ファイル %1 は開けません").arg(path));
    QCOMPARE(
        errorOf([&] { readFileBytes(folder.path(QStringLiteral("gone.dat"))); }),
        QStringLiteral("ファイル %1 は開けません").arg(folder.path(QStringLiteral("gone.dat"))));
}

void TestStoreFaults::fullDiskAnySize_data() {
    QTest::addColumn<int>("size");
    // Below the write buffer the bytes reach the disk only at the commit.
    QTest::newRow("smaller than the write buffer") << 100;
    QTest::newRow("about the write buffer") << 16 * 1024;
    QTest::newRow("larger than the write buffer") << 64 * 1024;
}

void TestStoreFaults::fullDiskAnySize() {
    QFETCH(int, size);
    test::TempProgramFolder folder;
    const QByteArray old("old\r\n");
    folder.write(QStringLiteral("record/x.dat"), old);
    const QString path = folder.path(QStringLiteral("record/x.dat"));
    QString error;
    {
        test::FileSizeLimit full(10);
        error = errorOf([&] { SaveStringToFile(path, QByteArray(size, 'n')); });
    }
    QVERIFY2(error.startsWith(QStringLiteral("ファイル %1 に書き込めません。").arg(path)),
             qPrintable(error));
    QCOMPARE(folder.read(QStringLiteral("record/x.dat")), old);
    QCOMPARE(QDir(folder.path(QStringLiteral("record"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{"x.dat"});
}

void TestStoreFaults::iniValueLinesRoundTrip_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("equals signs") << QByteArray("a=b=c");
    QTest::newRow("brackets") << QByteArray("[x]");
    QTest::newRow("trail byte 0x5D") << QByteArray("\x83\x5d");
    QTest::newRow("invalid") << invalid;
}

void TestStoreFaults::iniValueLinesRoundTrip() {
    QFETCH(QByteArray, value);
    IniDocument doc = IniDocument::parse("[s]\r\nk=1\r\n");
    doc.setValue("s", "v", value);
    doc.setValue("\x83\x5d", "k", value);
    const IniDocument again = IniDocument::parse(doc.toBytes());
    QCOMPARE(again.value("s", "v"), value);
    QCOMPARE(again.value("\x83\x5d", "k"), value);
    QCOMPARE(again.toBytes(), doc.toBytes());
}

QTEST_GUILESS_MAIN(TestStoreFaults)
#include "tst_storefaults.moc"
