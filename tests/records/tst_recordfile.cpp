#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "records/datetext.h"
#include "records/recordfile.h"
#include "records/recorditem.h"

#include "support/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace zk;

Q_DECLARE_METATYPE(zk::RecordLines)

class TestRecordFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void itemEntry_data();
    void itemEntry();
    void loadItems();
    void loadItemsWithoutList();
    void refusedNames_data();
    void refusedNames();
    void acceptedNames_data();
    void acceptedNames();
    void ensureCreatesEmptyFile();
    void loadSplitsEveryLineEnd();
    void splitLine_data();
    void splitLine();
    void addSorts_data();
    void addSorts();
    void replaceKeepsOrder();
    void duplicateDates();
    void deleteOnlyRecordLeavesEmptyFile();
    void lineBreakingValueRefused();
    void failedSaveKeepsFileAndLines();
    void range_data();
    void range();
    void dateText_data();
    void dateText();
    void dateTextRejected_data();
    void dateTextRejected();
    void dayNumbers_data();
    void dayNumbers();
};

void TestRecordFile::initTestCase() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestRecordFile::itemEntry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("parsedName");
    QTest::addColumn<QString>("parsedUnit");
    QTest::newRow("with unit") << "体重"
                               << "kg"
                               << "体重[kg]"
                               << "体重"
                               << "kg";
    QTest::newRow("without unit") << "体重"
                                  << ""
                                  << "体重"
                                  << "体重"
                                  << "";
    // The entry alone cannot tell these apart; the windows keep name and unit.
    QTest::newRow("name ends in ]") << "A[B]"
                                    << ""
                                    << "A[B]"
                                    << "A"
                                    << "B";
    QTest::newRow("] without [") << "A]"
                                 << ""
                                 << "A]"
                                 << ""
                                 << "A";
    QTest::newRow("nested brackets") << "a[b"
                                     << "c"
                                     << "a[b[c]"
                                     << "a[b"
                                     << "c";
    QTest::newRow("0x5D trail byte") << "ソ]"
                                     << ""
                                     << "ソ]"
                                     << ""
                                     << "ソ";
}

void TestRecordFile::itemEntry() {
    QFETCH(QString, name);
    QFETCH(QString, unit);
    QFETCH(QString, entry);
    QFETCH(QString, parsedName);
    QFETCH(QString, parsedUnit);
    const RecordItem item{sjis::encode(name), sjis::encode(unit), {}};
    QCOMPARE(FormatItemEntry(item), sjis::encode(entry));
    const ItemEntryParts parts = ParseItemEntry(entry);
    QCOMPARE(parts.name, parsedName);
    QCOMPARE(parts.unit, parsedUnit);
}

void TestRecordFile::loadItems() {
    test::TempProgramFolder folder;
    const QByteArray weight = sjis::encode(u"体重"), waist = sjis::encode(u"ウエスト");
    const QByteArray steps = sjis::encode(u"歩数");
    folder.write(QStringLiteral("setting/graph.dat"), weight +
                                                          "\xff"
                                                          "kg\xff"
                                                          "60\r\n" +
                                                          waist + "\xff\xff\r\n" + steps + "\r\n");
    const auto items = LoadRecordItems();
    QVERIFY(items);
    QCOMPARE(items->size(), 3);
    QCOMPARE(items->at(0), (RecordItem{weight, "kg", "60"}));
    QCOMPARE(items->at(1), (RecordItem{waist, {}, {}}));
    QCOMPARE(items->at(2), (RecordItem{steps, {}, {}}));
}

void TestRecordFile::loadItemsWithoutList() {
    test::TempProgramFolder folder;
    QVERIFY(!LoadRecordItems());
    QVERIFY(!folder.exists(QStringLiteral("setting/graph.dat")));
    folder.write(QStringLiteral("setting/graph.dat"), {});
    QVERIFY(LoadRecordItems());
    QVERIFY(LoadRecordItems()->isEmpty());
}

void TestRecordFile::refusedNames_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("slash") << QByteArray("../setting/project");
    QTest::newRow("sub folder") << QByteArray("a/b");
    QTest::newRow("backslash") << QByteArray("a\\b");
    QTest::newRow("dot") << QByteArray(".");
    QTest::newRow("dot dot") << QByteArray("..");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("blanks") << QByteArray("  \t");
    QTest::newRow("undecodable byte") << QByteArray("a\x80");
}

void TestRecordFile::refusedNames() {
    QFETCH(QByteArray, name);
    test::TempProgramFolder folder;
    QVERIFY_THROWS_EXCEPTION(Error, RecordFilePath(name));
    QVERIFY_THROWS_EXCEPTION(Error, EnsureRecordFile(name));
    RecordLines lines;
    QVERIFY_THROWS_EXCEPTION(Error, AddRecordLine(name, lines, "2002/08/23", "1"));
    QVERIFY(!folder.exists(QStringLiteral("record")));
}

void TestRecordFile::acceptedNames_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("file");
    // 0x5C is the second byte of ソ and 表: not a path separator.
    QTest::newRow("so") << sjis::encode(u"ソース") << "record/ソース.dat";
    QTest::newRow("hyou") << sjis::encode(u"表") << "record/表.dat";
    QTest::newRow("dots inside") << QByteArray("a..b") << "record/a..b.dat";
    QTest::newRow("blank around") << QByteArray(" w ") << "record/ w .dat";
}

void TestRecordFile::acceptedNames() {
    QFETCH(QByteArray, name);
    QFETCH(QString, file);
    test::TempProgramFolder folder;
    QCOMPARE(RecordFilePath(name), folder.path(file));
    EnsureRecordFile(name);
    QVERIFY(folder.exists(file));
}

void TestRecordFile::ensureCreatesEmptyFile() {
    test::TempProgramFolder folder;
    const QByteArray name = sjis::encode(u"体重");
    EnsureRecordFile(name);
    QVERIFY(folder.exists(QStringLiteral("record/体重.dat")));
    QCOMPARE(folder.read(QStringLiteral("record/体重.dat")), QByteArray());
    QVERIFY(LoadRecordLines(name).isEmpty());
    folder.write(QStringLiteral("record/体重.dat"), "x\r\n");
    EnsureRecordFile(name);
    QCOMPARE(folder.read(QStringLiteral("record/体重.dat")), QByteArray("x\r\n"));
}

void TestRecordFile::loadSplitsEveryLineEnd() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), "a\xff"
                                                 "1\r\nb\xff"
                                                 "2\rc\xff"
                                                 "3\nd\xff"
                                                 "4");
    QCOMPARE(LoadRecordLines("w"), (RecordLines{"a\xff"
                                                "1",
                                                "b\xff"
                                                "2",
                                                "c\xff"
                                                "3",
                                                "d\xff"
                                                "4"}));
    // Saving writes CR LF after every line, the last one too.
    SaveRecordLines("w", LoadRecordLines("w"));
    QCOMPARE(folder.read(QStringLiteral("record/w.dat")), QByteArray("a\xff"
                                                                     "1\r\nb\xff"
                                                                     "2\r\nc\xff"
                                                                     "3\r\nd\xff"
                                                                     "4\r\n"));
}

void TestRecordFile::splitLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("plain") << QByteArray("2002/08/23\xff"
                                         "60.5")
                           << QByteArray("2002/08/23") << QByteArray("60.5");
    QTest::newRow("no separator") << QByteArray("2002/08/23") << QByteArray()
                                  << QByteArray("2002/08/23");
    QTest::newRow("two separators") << QByteArray("d\xff"
                                                  "1\xff"
                                                  "2")
                                    << QByteArray("d")
                                    << QByteArray("1\xff"
                                                  "2");
    QTest::newRow("empty value") << QByteArray("d\xff") << QByteArray("d") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
}

void TestRecordFile::splitLine() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, value);
    const RecordLine record = SplitRecordLine(line);
    QCOMPARE(record.date, date);
    QCOMPARE(record.value, value);
}

void TestRecordFile::addSorts_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("first record") << QByteArray() << QByteArray("2002/08/23")
                                  << QByteArray("2002/08/23\xff"
                                                "1.2.3\r\n");
    QTest::newRow("in the middle") << QByteArray("2002/08/01\xff"
                                                 "1\r\n2002/09/01\xff"
                                                 "2\r\n")
                                   << QByteArray("2002/08/23")
                                   << QByteArray("2002/08/01\xff"
                                                 "1\r\n2002/08/23\xff"
                                                 "1.2.3\r\n2002/09/01\xff"
                                                 "2\r\n");
    QTest::newRow("whole file sorted") << QByteArray("2002/09/01\xff"
                                                     "2\r\n2002/08/01\xff"
                                                     "1\r\n")
                                       << QByteArray("2003/01/01")
                                       << QByteArray("2002/08/01\xff"
                                                     "1\r\n2002/09/01\xff"
                                                     "2\r\n2003/01/01\xff"
                                                     "1.2.3\r\n");
    // Text order, not the calendar: a month/day/year file stays in text order.
    QTest::newRow("text order") << QByteArray("9/30/2002\xff"
                                              "1\r\n")
                                << QByteArray("10/1/2002")
                                << QByteArray("10/1/2002\xff"
                                              "1.2.3\r\n9/30/2002\xff"
                                              "1\r\n");
}

void TestRecordFile::addSorts() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, after);
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), before);
    RecordLines lines = LoadRecordLines("w");
    AddRecordLine("w", lines, date, "1.2.3");
    QCOMPARE(folder.read(QStringLiteral("record/w.dat")), after);
    QCOMPARE(lines, LoadRecordLines("w"));
}

void TestRecordFile::replaceKeepsOrder() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), "2002/09/01\xff"
                                                 "2\r\n2002/08/01\xff"
                                                 "1\r\n");
    RecordLines lines = LoadRecordLines("w");
    ReplaceRecordLine("w", lines, 0, "2002/09/01", "07.");
    QCOMPARE(folder.read(QStringLiteral("record/w.dat")), QByteArray("2002/09/01\xff"
                                                                     "07.\r\n2002/08/01\xff"
                                                                     "1\r\n"));
    QVERIFY_THROWS_EXCEPTION(Error, ReplaceRecordLine("w", lines, 2, "2002/09/02", "1"));
}

void TestRecordFile::duplicateDates() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), "2002/08/23\xff"
                                                 "1\r\n2002/08/24\xff"
                                                 "2\r\n2002/08/23\xff"
                                                 "3\r\n");
    RecordLines lines = LoadRecordLines("w");
    QCOMPARE(FindRecordLine(lines, "2002/08/23"), 0);
    QCOMPARE(FindRecordLine(lines, "2002/08/24"), 1);
    QCOMPARE(FindRecordLine(lines, "2002/08/2"), -1);
    DeleteRecordLines("w", lines, "2002/08/23");
    QCOMPARE(folder.read(QStringLiteral("record/w.dat")), QByteArray("2002/08/24\xff"
                                                                     "2\r\n"));
    QCOMPARE(lines, RecordLines{"2002/08/24\xff"
                                "2"});
}

void TestRecordFile::deleteOnlyRecordLeavesEmptyFile() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), "2002/08/23\xff"
                                                 "1\r\n");
    RecordLines lines = LoadRecordLines("w");
    DeleteRecordLines("w", lines, "2002/08/23");
    QVERIFY(folder.exists(QStringLiteral("record/w.dat")));
    QCOMPARE(folder.read(QStringLiteral("record/w.dat")), QByteArray());
}

void TestRecordFile::lineBreakingValueRefused() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), "2002/08/23\xff"
                                                 "1\r\n");
    RecordLines lines = LoadRecordLines("w");
    for (const QByteArray &value : {QByteArray("1\r\n2002/01/01\xff"
                                               "9"),
                                    QByteArray("1\xff"
                                               "2"),
                                    QByteArray("1\n")}) {
        QVERIFY_THROWS_EXCEPTION(Error, AddRecordLine("w", lines, "2002/08/24", value));
        QVERIFY_THROWS_EXCEPTION(Error, ReplaceRecordLine("w", lines, 0, "2002/08/23", value));
    }
    QCOMPARE(folder.read(QStringLiteral("record/w.dat")), QByteArray("2002/08/23\xff"
                                                                     "1\r\n"));
}

void TestRecordFile::failedSaveKeepsFileAndLines() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), "2002/08/23\xff"
                                                 "1\r\n");
    RecordLines lines = LoadRecordLines("w");
    const RecordLines before = lines;
    // A folder in the file's place makes every save fail, whatever our rights.
    QVERIFY(QFile::remove(folder.path(QStringLiteral("record/w.dat"))));
    QVERIFY(QDir().mkpath(folder.path(QStringLiteral("record/w.dat"))));
    QVERIFY_THROWS_EXCEPTION(Error, AddRecordLine("w", lines, "2002/08/24", "2"));
    QVERIFY_THROWS_EXCEPTION(Error, ReplaceRecordLine("w", lines, 0, "2002/08/23", "2"));
    QVERIFY_THROWS_EXCEPTION(Error, DeleteRecordLines("w", lines, "2002/08/23"));
    QCOMPARE(lines, before);
}

void TestRecordFile::range_data() {
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<bool>("inside");
    QTest::newRow("inside") << QByteArray("2002/06/15") << QByteArray("2002/06/01")
                            << QByteArray("2002/06/30") << true;
    QTest::newRow("lower bound") << QByteArray("2002/06/01") << QByteArray("2002/06/01")
                                 << QByteArray("2002/06/30") << true;
    QTest::newRow("upper bound") << QByteArray("2002/06/30") << QByteArray("2002/06/01")
                                 << QByteArray("2002/06/30") << true;
    QTest::newRow("equal bounds") << QByteArray("2002/06/01") << QByteArray("2002/06/01")
                                  << QByteArray("2002/06/01") << true;
    QTest::newRow("next to equal bounds") << QByteArray("2002/06/02") << QByteArray("2002/06/01")
                                          << QByteArray("2002/06/01") << false;
    QTest::newRow("reversed bounds") << QByteArray("2002/06/15") << QByteArray("2002/06/30")
                                     << QByteArray("2002/06/01") << false;
    QTest::newRow("before") << QByteArray("2002/05/31") << QByteArray("2002/06/01")
                            << QByteArray("2002/06/30") << false;
    QTest::newRow("prefix is smaller")
        << QByteArray("2002/06/30") << QByteArray("2002/06/01") << QByteArray("2002/06/3") << false;
    QTest::newRow("unsigned bytes")
        << QByteArray("\x82\xa0") << QByteArray("2002") << QByteArray("\x82\xa1") << true;
    QTest::newRow("empty date") << QByteArray() << QByteArray("2002/06/01")
                                << QByteArray("2002/06/30") << false;
}

void TestRecordFile::range() {
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(bool, inside);
    QCOMPARE(DateTextInRange(date, from, to), inside);
}

void TestRecordFile::dateText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("japanese") << "ja_JP" << QDate(2002, 8, 23) << QByteArray("2002/08/23");
    QTest::newRow("swedish") << "sv_SE" << QDate(2002, 8, 3) << QByteArray("2002-08-03");
    QTest::newRow("american falls back")
        << "en_US" << QDate(2002, 1, 5) << QByteArray("2002/01/05");
}

void TestRecordFile::dateText() {
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QByteArray, text);
    const Regional saved = Regional::current();
    Regional::setCurrent(Regional(QLocale(locale)));
    const QByteArray formatted = FormatDateText(date);
    const QDate parsed = ParseDateText(text);
    Regional::setCurrent(saved);
    QCOMPARE(formatted, text);
    QCOMPARE(parsed, date);
}

void TestRecordFile::dateTextRejected_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("month first") << QByteArray("08/23/2002");
    QTest::newRow("dashes") << QByteArray("2002-08-23");
    QTest::newRow("no date") << QByteArray("60.5");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no such day") << QByteArray("2002/02/30");
}

void TestRecordFile::dateTextRejected() {
    QFETCH(QByteArray, text);
    try {
        ParseDateText(text);
        QFAIL("accepted");
    } catch (const Error &e) {
        QCOMPARE(e.text(),
                 QStringLiteral("'%1' は日付ではありません").arg(QString::fromLatin1(text)));
    }
}

void TestRecordFile::dayNumbers_data() {
    QTest::addColumn<double>("days");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("roundTrip");
    QTest::newRow("day zero") << 0.0 << QDate(1899, 12, 30) << true;
    QTest::newRow("2002-01-01") << 37257.0 << QDate(2002, 1, 1) << true;
    QTest::newRow("time of day ignored") << 37257.0057047454 << QDate(2002, 1, 1) << false;
    QTest::newRow("before day zero") << -1.25 << QDate(1899, 12, 29) << false;
    QTest::newRow("beyond 9999") << 1e300 << QDate(1899, 12, 30) << false;
    QTest::newRow("not a number") << qQNaN() << QDate(1899, 12, 30) << false;
}

void TestRecordFile::dayNumbers() {
    QFETCH(double, days);
    QFETCH(QDate, date);
    QFETCH(bool, roundTrip);
    QCOMPARE(DaysToDate(days), date);
    if (roundTrip)
        QCOMPARE(DateToDays(date), days);
}

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
