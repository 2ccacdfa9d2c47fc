#include "common/error.h"
#include "common/inidocument.h"
#include "common/tinisaveprops.h"

#include "support/tempprogramfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

using namespace zk;

class TestIniSaveProps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lookup_data();
    void lookup();
    void write_data();
    void write();
    void readInteger_data();
    void readInteger();
    void readBoolean_data();
    void readBoolean();
    void formatDate_data();
    void formatDate();
    void readDate_data();
    void readDate();
    void projectIniFromDesignValues();
    void loadKeepsUnboundAndMissingKeys();
    void saveKeepsUnknownSections();
    void saveWhileLoadingDoesNothing();
    void unwritableFileReportsAndKeepsOldFile();
    void withoutFileWritesNothing();
};

void TestIniSaveProps::lookup_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("plain") << QByteArray("[a]\r\nk=1\r\n") << QByteArray("a") << QByteArray("k")
                           << true << QByteArray("1");
    QTest::newRow("case of section and key")
        << QByteArray("[UPDDAYCAL]\r\nposition=3000\r\n") << QByteArray("upddaycal")
        << QByteArray("Position") << true << QByteArray("3000");
    QTest::newRow("blanks around = are part of the name")
        << QByteArray("[a]\r\nChecked = 1\r\n") << QByteArray("a") << QByteArray("Checked") << false
        << QByteArray();
    QTest::newRow("value keeps blanks and =") << QByteArray("[a]\r\nk= x=y \r\n") << QByteArray("a")
                                              << QByteArray("k") << true << QByteArray(" x=y ");
    QTest::newRow("first section wins")
        << QByteArray("[a]\r\nx=1\r\n[A]\r\nk=2\r\n") << QByteArray("a") << QByteArray("k") << false
        << QByteArray();
    QTest::newRow("first key wins") << QByteArray("[a]\nk=1\rk=2\r\n") << QByteArray("a")
                                    << QByteArray("k") << true << QByteArray("1");
    QTest::newRow("line before first section ignored")
        << QByteArray("k=0\r\n[a]\r\n") << QByteArray("a") << QByteArray("k") << false
        << QByteArray();
    QTest::newRow("comment line") << QByteArray("[a]\r\n;k=1\r\nk=2\r\n") << QByteArray("a")
                                  << QByteArray("k") << true << QByteArray("2");
    QTest::newRow("line without =") << QByteArray("[a]\r\nk\r\n") << QByteArray("a")
                                    << QByteArray("k") << false << QByteArray();
    // 0x83 0x41 is ア: its second byte is not the letter A.
    QTest::newRow("double-byte name not folded")
        << QByteArray("[\x83\x41]\r\nk=1\r\n") << QByteArray("\x83\x61") << QByteArray("k") << false
        << QByteArray();
    QTest::newRow("double-byte name exact")
        << QByteArray("[\x83\x41]\r\nk=1\r\n") << QByteArray("\x83\x41") << QByteArray("K") << true
        << QByteArray("1");
    QTest::newRow("empty value") << QByteArray("[a]\r\nk=\r\n") << QByteArray("a")
                                 << QByteArray("k") << true << QByteArray("");
    QTest::newRow("garbage") << QByteArray("\xff\x00[a]\r\nk=1") << QByteArray("a")
                             << QByteArray("k") << false << QByteArray();
}

void TestIniSaveProps::lookup() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(bool, found);
    QFETCH(QByteArray, value);
    const auto v = IniDocument::parse(file).value(section, key);
    QCOMPARE(v.has_value(), found);
    if (found)
        QCOMPARE(*v, value);
}

void TestIniSaveProps::write_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty document")
        << QByteArray() << QByteArray("[upddaycal]\r\nPosition=7\r\n\r\n");
    QTest::newRow("header keeps its case, key takes the binding's")
        << QByteArray("[UPDDAYCAL]\r\nposition=3000\r\n")
        << QByteArray("[UPDDAYCAL]\r\nPosition=7\r\n\r\n");
    QTest::newRow("blanked key left alone, line appended to section")
        << QByteArray("[upddaycal]\r\nPosition = 1\r\nx=y\r\n[other]\r\nz=1\r\n")
        << QByteArray(
               "[upddaycal]\r\nPosition = 1\r\nx=y\r\nPosition=7\r\n\r\n[other]\r\nz=1\r\n\r\n");
    QTest::newRow("section appended after unknown ones")
        << QByteArray("[other]\r\nz=1\r\n")
        << QByteArray("[other]\r\nz=1\r\n\r\n[upddaycal]\r\nPosition=7\r\n\r\n");
    QTest::newRow("comments and leading lines vanish")
        << QByteArray("top=1\r\n; note\r\n\r\n[upddaycal]\r\n;c\r\nPosition=1\r\n\r\n\r\n")
        << QByteArray("[upddaycal]\r\nPosition=7\r\n\r\n");
    QTest::newRow("only the first of two lines replaced")
        << QByteArray("[upddaycal]\nposition=1\nPosition=2\n")
        << QByteArray("[upddaycal]\r\nPosition=7\r\nPosition=2\r\n\r\n");
}

void TestIniSaveProps::write() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, expected);
    IniDocument doc = IniDocument::parse(file);
    doc.setValue("upddaycal", "Position", "7");
    QCOMPARE(doc.toBytes(), expected);
}

void TestIniSaveProps::readInteger_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << QByteArray("3000") << 3000;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("0x") << QByteArray("0x9C4") << 2500;
    QTest::newRow("0X") << QByteArray("0X9c4") << 2500;
    QTest::newRow("dollar") << QByteArray("$9C4") << 2500;
    QTest::newRow("not a number") << QByteArray("abc") << 0;
    QTest::newRow("bare 0x") << QByteArray("0x") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("blank") << QByteArray(" 5") << 0;
    QTest::newRow("too big") << QByteArray("4294967296") << 0;
    QTest::newRow("hex wraps") << QByteArray("$FFFFFFFF") << -1;
}

void TestIniSaveProps::readInteger() {
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(TIniSaveProps::readInteger(text), value);
}

void TestIniSaveProps::readBoolean_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("value");
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("low byte zero") << QByteArray("256") << false;
    QTest::newRow("low byte set") << QByteArray("257") << true;
    QTest::newRow("text") << QByteArray("true") << false;
}

void TestIniSaveProps::readBoolean() {
    QFETCH(QByteArray, text);
    QFETCH(bool, value);
    QCOMPARE(TIniSaveProps::readBoolean(text), value);
}

void TestIniSaveProps::formatDate_data() {
    QTest::addColumn<double>("days");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("with time") << 37257.0057047454 << QByteArray("37257.0057047454");
    QTest::newRow("whole day") << 37257.0 << QByteArray("37257");
    QTest::newRow("zero") << 0.0 << QByteArray("0");
    QTest::newRow("rounded to 15 digits")
        << 37257.123456789012345 << QByteArray("37257.1234567890");
    QTest::newRow("half") << 0.5 << QByteArray("0.5");
    QTest::newRow("tiny, no exponent") << 0.00001 << QByteArray("0.00001");
    QTest::newRow("before 1899") << -1.25 << QByteArray("-1.25");
    QTest::newRow("large") << 2958465.99999999 << QByteArray("2958465.99999999");
}

void TestIniSaveProps::formatDate() {
    QFETCH(double, days);
    QFETCH(QByteArray, text);
    QByteArray expected = text;
    if (expected.contains('.')) // trailing zeros never written
        while (expected.endsWith('0'))
            expected.chop(1);
    QCOMPARE(TIniSaveProps::formatDate(days), expected);
}

void TestIniSaveProps::readDate_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("days");
    QTest::newRow("with time") << QByteArray("37257.0057047454") << 37257.0057047454;
    QTest::newRow("empty") << QByteArray() << 0.0;
    QTest::newRow("garbage") << QByteArray("2002/01/01") << 0.0;
    QTest::newRow("nan") << QByteArray("nan") << 0.0;
}

void TestIniSaveProps::readDate() {
    QFETCH(QByteArray, text);
    QFETCH(double, days);
    QCOMPARE(TIniSaveProps::readDate(text), days);
}

namespace {

struct MainOptions {
    bool findTopMost = true, arrowDup = false, banDup = false, confirmDup = true;
    void bind(TIniSaveProps &isp) {
        isp.bindBoolean(
            "mnuFindTopMost", "Checked", [this] { return findTopMost; },
            [this](bool v) { findTopMost = v; });
        isp.bindBoolean(
            "mnuArrowDup", "Checked", [this] { return arrowDup; },
            [this](bool v) { arrowDup = v; });
        isp.bindBoolean(
            "mnuBanDup", "Checked", [this] { return banDup; }, [this](bool v) { banDup = v; });
        isp.bindBoolean(
            "mnuConfirmDup", "Checked", [this] { return confirmDup; },
            [this](bool v) { confirmDup = v; });
    }
};

} // namespace

void TestIniSaveProps::projectIniFromDesignValues() {
    test::TempProgramFolder folder;
    MainOptions options;
    TIniSaveProps isp;
    options.bind(isp);
    isp.FileName = folder.path(QStringLiteral("setting/project.ini"));
    isp.Load(); // no file: design values stay
    QVERIFY(options.findTopMost && options.confirmDup);
    isp.Save();
    QCOMPARE(folder.read(QStringLiteral("setting/project.ini")),
             QByteArray("[mnuFindTopMost]\r\nChecked=1\r\n\r\n[mnuArrowDup]\r\nChecked=0\r\n\r\n"
                        "[mnuBanDup]\r\nChecked=0\r\n\r\n[mnuConfirmDup]\r\nChecked=1\r\n\r\n"));
}

void TestIniSaveProps::loadKeepsUnboundAndMissingKeys() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("setting/project.ini"),
                 "[MNUBANDUP]\r\nchecked=1\r\n[mnuFindTopMost]\r\nChecked = 0\r\n");
    MainOptions options;
    TIniSaveProps isp;
    options.bind(isp);
    isp.FileName = folder.path(QStringLiteral("setting/project.ini"));
    isp.Load();
    QVERIFY(options.banDup);
    QVERIFY(options.findTopMost); // "Checked " is another key
    QVERIFY(options.confirmDup);
}

void TestIniSaveProps::saveKeepsUnknownSections() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("setting/setting.ini"),
                 "[window]\r\nleft=\x83\x5c\r\n[upddaycal]\r\nPosition=100\r\nold=1\r\n");
    int daily = 3000;
    TIniSaveProps isp;
    isp.bindInteger(
        "upddaycal", "Position", [&] { return daily; }, [&](int v) { daily = v; });
    isp.FileName = folder.path(QStringLiteral("setting/setting.ini"));
    isp.Save();
    QCOMPARE(folder.read(QStringLiteral("setting/setting.ini")),
             QByteArray(
                 "[window]\r\nleft=\x83\x5c\r\n\r\n[upddaycal]\r\nPosition=3000\r\nold=1\r\n\r\n"));
}

void TestIniSaveProps::saveWhileLoadingDoesNothing() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("setting/x.ini"), "[a]\r\nk=5\r\n");
    TIniSaveProps isp;
    int value = 0;
    // A setter with side effects that asks for a save, as a check box's click
    // handler might.
    isp.bindInteger(
        "a", "k", [&] { return value; },
        [&](int v) {
            value = v;
            isp.Save();
        });
    isp.FileName = folder.path(QStringLiteral("setting/x.ini"));
    isp.Load();
    QCOMPARE(value, 5);
    QVERIFY(!isp.loading());
    QCOMPARE(folder.read(QStringLiteral("setting/x.ini")), QByteArray("[a]\r\nk=5\r\n"));
}

void TestIniSaveProps::unwritableFileReportsAndKeepsOldFile() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("setting"), "not a folder");
    TIniSaveProps isp;
    isp.bindBoolean(
        "a", "Checked", [] { return true; }, [](bool) {});
    const QString path = folder.path(QStringLiteral("setting/project.ini"));
    isp.FileName = path;
    try {
        isp.Save();
        QFAIL("no error");
    } catch (const Error &e) {
        QCOMPARE(e.text(),
                 QStringLiteral("ファイル %1 を作成できません\nディレクトリ%2が作れません。")
                     .arg(path, folder.path(QStringLiteral("setting"))));
    }
    QCOMPARE(folder.read(QStringLiteral("setting")), QByteArray("not a folder"));
}

// A store whose window forgot its file fails loudly, and nothing lands beside
// the program.
void TestIniSaveProps::withoutFileWritesNothing() {
    TIniSaveProps isp;
    isp.bindBoolean(
        "chkDataRange", "Checked", [] { return true; }, [](bool) {});
    QVERIFY_THROWS_EXCEPTION(Error, isp.Save());
    QVERIFY_THROWS_EXCEPTION(Error, isp.Load());
    QVERIFY(!QFile::exists(QCoreApplication::applicationFilePath() + QStringLiteral(".ini")));
}

QTEST_GUILESS_MAIN(TestIniSaveProps)
#include "tst_inisaveprops.moc"
