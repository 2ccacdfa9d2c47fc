#include "common/platform.h"
#include "common/sjis.h"
#include "records/dayrecentry.h"

#include "support/scriptedprompt.h"
#include "support/tempprogramfolder.h"

#include <QTest>

using namespace zk;

namespace {

const QByteArray File = "2002/06/30\xff"
                        "3\r\n2002/06/01\xff"
                        "1\r\n2002/06/15\xff"
                        "2\r\n2002/06/01 hand\r\n";

QByteArray weight() {
    return sjis::encode(u"体重");
}

} // namespace

class TestDayRecEntry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void rows_data();
    void rows();
    void overwrite_data();
    void overwrite();
    void changeKeepsPlace();
    void changeWithoutLine();
    void deleteValue_data();
    void deleteValue();
};

void TestDayRecEntry::initTestCase() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestDayRecEntry::rows_data() {
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QStringList>("values");
    // Without a range every line is listed, a line without 0xFF whole as its date.
    QTest::newRow("all, sorted") << false << QByteArray() << QByteArray()
                                 << QStringList{"2002/06/01", "2002/06/01 hand", "2002/06/15",
                                                "2002/06/30"}
                                 << QStringList{"1", "", "2", "3"};
    QTest::newRow("bounds included")
        << true << QByteArray("2002/06/01") << QByteArray("2002/06/30")
        << QStringList{"2002/06/01", "2002/06/15", "2002/06/30"} << QStringList{"1", "2", "3"};
    QTest::newRow("equal bounds") << true << QByteArray("2002/06/15") << QByteArray("2002/06/15")
                                  << QStringList{"2002/06/15"} << QStringList{"2"};
    QTest::newRow("reversed bounds") << true << QByteArray("2002/06/30") << QByteArray("2002/06/01")
                                     << QStringList{} << QStringList{};
}

void TestDayRecEntry::rows() {
    QFETCH(bool, ranged);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QStringList, dates);
    QFETCH(QStringList, values);
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("record/w.dat"), File);
    const ListRows rows = DayRecRows(LoadRecordLines("w"),
                                     ranged ? OptionalRange(DateRange{from, to}) : std::nullopt);
    QStringList gotDates, gotValues;
    for (const ListRow &row : rows) {
        gotDates.append(QString::fromLatin1(row.value(0)));
        gotValues.append(QString::fromLatin1(row.value(1)));
    }
    QCOMPARE(gotDates, dates);
    QCOMPARE(gotValues, values);
}

void TestDayRecEntry::overwrite_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("yes") << int(Prompt::Answer::Yes) << int(EntryOutcome::Saved)
                         << QByteArray("2002/08/22\xff"
                                       "1\r\n2002/08/23\xff"
                                       "61\r\n");
    QTest::newRow("cancel") << int(Prompt::Answer::Cancel) << int(EntryOutcome::Kept)
                            << QByteArray("2002/08/22\xff"
                                          "1\r\n2002/08/23\xff"
                                          "60.5\r\n");
}

void TestDayRecEntry::overwrite() {
    QFETCH(int, answer);
    QFETCH(int, outcome);
    QFETCH(QByteArray, file);
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    prompt.answers = {Prompt::Answer(answer)};
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/22\xff"
                                                    "1\r\n2002/08/23\xff"
                                                    "60.5\r\n");
    QCOMPARE(int(WriteDayRecValue(prompt, weight(), QStringLiteral("体重[kg]"), EntryMode::Add,
                                  "2002/08/23", "61")),
             outcome);
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked[0].kind, QStringLiteral("warning"));
    QCOMPARE(prompt.asked[0].text,
             QStringLiteral("日付 : 2002/08/23\rはすでに記録済みです。体重[kg]の値は、「60.5」"
                            "となっていますが上書きしますか？"));
    QCOMPARE(folder.read(QStringLiteral("record/体重.dat")), file);
}

void TestDayRecEntry::changeKeepsPlace() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    folder.write(QStringLiteral("record/w.dat"), "2002/09/01\xff"
                                                 "2\r\n2002/08/01\xff"
                                                 "1\r\n2002/09/01\xff"
                                                 "9\r\n");
    QCOMPARE(
        WriteDayRecValue(prompt, "w", QStringLiteral("w"), EntryMode::Change, "2002/09/01", "5"),
        EntryOutcome::Saved);
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(folder.read(QStringLiteral("record/w.dat")), QByteArray("2002/09/01\xff"
                                                                     "5\r\n2002/08/01\xff"
                                                                     "1\r\n2002/09/01\xff"
                                                                     "9\r\n"));
}

void TestDayRecEntry::changeWithoutLine() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    // The date stands alone on its line: listed, but no line carries it as date text.
    const QByteArray file = "2002/08/01\r\n2002/08/02\xff"
                            "2\r\n";
    folder.write(QStringLiteral("record/w.dat"), file);
    QCOMPARE(
        WriteDayRecValue(prompt, "w", QStringLiteral("w"), EntryMode::Change, "2002/08/01", "5"),
        EntryOutcome::Refused);
    QCOMPARE(prompt.asked.size(), 1);
    QVERIFY(prompt.asked[0].text.startsWith(QStringLiteral("日付 : 2002/08/01 ")));
    QCOMPARE(folder.read(QStringLiteral("record/w.dat")), file);
}

void TestDayRecEntry::deleteValue_data() {
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<QByteArray>("file");
    const QByteArray file = "2002/08/23\xff"
                            "1\r\n2002/08/24\r\n2002/08/23\xff"
                            "3\r\n";
    QTest::newRow("both lines of a date")
        << QByteArray("2002/08/23") << true << QByteArray("2002/08/24\r\n");
    QTest::newRow("line without separator") << QByteArray("2002/08/24") << false << file;
}

void TestDayRecEntry::deleteValue() {
    QFETCH(QByteArray, date);
    QFETCH(bool, deleted);
    QFETCH(QByteArray, file);
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    folder.write(QStringLiteral("record/w.dat"), "2002/08/23\xff"
                                                 "1\r\n2002/08/24\r\n2002/08/23\xff"
                                                 "3\r\n");
    QCOMPARE(DeleteDayRecValue(prompt, "w", date), deleted);
    QCOMPARE(prompt.asked.size(), deleted ? 0 : 1);
    QCOMPARE(folder.read(QStringLiteral("record/w.dat")), file);
}

QTEST_GUILESS_MAIN(TestDayRecEntry)
#include "tst_dayrecentry.moc"
