#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/tinisaveprops.h"
#include "records/csvexport.h"
#include "records/intakediary.h"

#include "support/filesizelimit.h"
#include "support/tempprogramfolder.h"
#include "support/withoutrights.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <optional>

using namespace zk;

Q_DECLARE_METATYPE(zk::IntakeMeasure)

Q_DECLARE_METATYPE(zk::GraphPoint)

class TestIntakeDiary : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void dayFile_data();
    void dayFile();
    void emptyListRemovesFile();
    void otherNamesKept();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void totalPoints_data();
    void totalPoints();
    void totalItem_data();
    void totalItem();
    void csvRows();
    void diaryOption();
};

static const QDate day(2026, 1, 5);
static const QString dayPath = QStringLiteral("record/intake/2026-01-05.dat");

void TestIntakeDiary::init() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestIntakeDiary::dayFile_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<ListRows>("rows");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<qint64>("total");
    const QByteArray rice = sjis::encode(u"ご飯"), staple = sjis::encode(u"主食");
    const QByteArray own = rice + "\xff" + staple +
                           "\xff"
                           "1,252 kcal\r\n"
                           "run\xff\xff-100 kcal\r\n";
    QTest::newRow("as the list writes it")
        << own << ListRows{{rice, staple, "1,252 kcal"}, {"run", "", "-100 kcal"}} << own
        << qint64(1152);
    const QByteArray invalid("\x80\xa0\xfd\xff\x81\xff"
                             "12 kcal\r\n");
    QTest::newRow("not CP932") << invalid << ListRows{{"\x80\xa0\xfd", "\x81", "12 kcal"}}
                               << invalid << qint64(12);
    QTest::newRow("no 0xFF") << QByteArray("only\r\n") << ListRows{{"only"}}
                             << QByteArray("only\r\n") << qint64(0);
    QTest::newRow("Calory as typed")
        << QByteArray("a\xff\xff"
                      "about 1,5 0\nb\xff\xff"
                      "kcal\nc\xff\xff"
                      "99999999999")
        << ListRows{{"a", "", "about 1,5 0"}, {"b", "", "kcal"}, {"c", "", "99999999999"}}
        << QByteArray("a\xff\xff"
                      "about 1,5 0\r\nb\xff\xff"
                      "kcal\r\nc\xff\xff"
                      "99999999999\r\n")
        << qint64(150);
}

// The file of the date is read, counted and written back as it was (line
// ends made CR LF).
void TestIntakeDiary::dayFile() {
    QFETCH(QByteArray, file);
    QFETCH(ListRows, rows);
    QFETCH(QByteArray, saved);
    QFETCH(qint64, total);
    test::TempProgramFolder folder;
    QCOMPARE(LoadIntakeDay(day), ListRows());
    folder.write(dayPath, file);
    const ListRows loaded = LoadIntakeDay(day);
    QCOMPARE(loaded, rows);
    QCOMPARE(IntakeDayTotal(loaded), total);
    SaveIntakeDay(day, loaded);
    QCOMPARE(folder.read(dayPath), saved);
}

void TestIntakeDiary::emptyListRemovesFile() {
    test::TempProgramFolder folder;
    SaveIntakeDay(day, {{"a", "b", "1 kcal"}});
    QVERIFY(folder.exists(dayPath));
    SaveIntakeDay(day, {});
    QVERIFY(!folder.exists(dayPath));
    QVERIFY(folder.exists(QStringLiteral("record/intake")));
    SaveIntakeDay(day, {}); // nothing left to remove
}

// Only the program's own day names are days; nothing else there is touched.
void TestIntakeDiary::otherNamesKept() {
    test::TempProgramFolder folder;
    const QStringList others{"2026-1-6.dat",   "2026-02-30.dat",     "2026-01-07.DAT",
                             "notes.txt",      "2026-01-08.dat.bak", "x",
                             "+2026-01-09.dat"};
    for (const QString &name : others)
        folder.write(QStringLiteral("record/intake/") + name, "a\xff\xff"
                                                              "5 kcal\r\n");
    QVERIFY(QDir().mkpath(folder.path(QStringLiteral("record/intake/2026-01-10.dat"))));
    folder.write(dayPath, "a\xff\xff"
                          "7 kcal\r\n");
    folder.write(QStringLiteral("record/intake/2025-12-31.dat"), "a\xff\xff"
                                                                 "8 kcal\r\n");

    QCOMPARE(IntakeDays(), (QList<QDate>{QDate(2025, 12, 31), day}));
    const QDate folderDay(2026, 1, 10);
    QCOMPARE(LoadIntakeDay(folderDay), ListRows());
    SaveIntakeDay(folderDay, {});
    SaveIntakeDay(day, {});
    QCOMPARE(IntakeDays(), QList<QDate>{QDate(2025, 12, 31)});
    QVERIFY(QFileInfo(folder.path(QStringLiteral("record/intake/2026-01-10.dat"))).isDir());
    for (const QString &name : others)
        QVERIFY2(folder.exists(QStringLiteral("record/intake/") + name), qPrintable(name));
}

void TestIntakeDiary::failedSaveKeepsOldFile_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<ListRows>("rows");
    QTest::addColumn<QString>("reason");
    const ListRows more{{"a", "b", "1 kcal"}, {QByteArray(64, 'c'), "d", "2 kcal"}};
    QTest::newRow("read-only folder") << "rights" << more << "not writable";
    QTest::newRow("emptied, read-only folder") << "rights" << ListRows() << "Permission denied";
    QTest::newRow("full disk") << "full" << more << "File too large";
}

void TestIntakeDiary::failedSaveKeepsOldFile() {
    QFETCH(QString, fault);
    QFETCH(ListRows, rows);
    QFETCH(QString, reason);
    test::TempProgramFolder folder;
    const QByteArray old("old\xff\xff"
                         "3 kcal\r\n");
    folder.write(dayPath, old);
    const auto open =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    const QString intake = folder.path(QStringLiteral("record/intake"));
    QString error;
    if (fault == QLatin1String("rights")) {
        QFile::setPermissions(folder.path(), open);
        QFile::setPermissions(folder.path(QStringLiteral("record")), open);
        QFile::setPermissions(intake, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther);
        error = test::errorWithoutRights([&] { SaveIntakeDay(day, rows); });
        QFile::setPermissions(intake, open);
    } else {
        test::FileSizeLimit full(8);
        try {
            SaveIntakeDay(day, rows);
        } catch (const Error &e) {
            error = e.text();
        }
    }
    QVERIFY2(error.contains(folder.path(dayPath)) && error.contains(reason), qPrintable(error));
    QCOMPARE(folder.read(dayPath), old);
    QCOMPARE(QDir(intake).entryList(QDir::Files | QDir::Hidden), QStringList{"2026-01-05.dat"});
}

void TestIntakeDiary::totalPoints_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("ranged");
    QTest::addColumn<QList<GraphPoint>>("points");
    QTest::addColumn<IntakeMeasure>("measure");
    const QList<GraphPoint> all{{"2025/12/31", 1200}, {"2026/01/05", 7}, {"2026/10/01", 0}};
    QTest::newRow("all days") << "ja_JP" << false << all << IntakeMeasure();
    QTest::newRow("range, bounds included") << "ja_JP" << true << all.mid(1, 1) << IntakeMeasure();
    QTest::newRow("pattern with dashes")
        << "sv_SE" << false
        << QList<GraphPoint>{{"2025-12-31", 1200}, {"2026-01-05", 7}, {"2026-10-01", 0}}
        << IntakeMeasure();
    // Only the days that know the nutrient: the sum of the rows that know it.
    QTest::newRow("protein") << "ja_JP" << false << QList<GraphPoint>{{"2025/12/31", 12.5}}
                             << IntakeMeasure(Protein);
    QTest::newRow("salt") << "ja_JP" << false << QList<GraphPoint>{} << IntakeMeasure(Salt);
}

// Days in date order, not in the order of their names' texts or of creation.
void TestIntakeDiary::totalPoints() {
    QFETCH(QString, locale);
    QFETCH(bool, ranged);
    QFETCH(QList<GraphPoint>, points);
    QFETCH(IntakeMeasure, measure);
    Regional::setCurrent(Regional(QLocale(locale)));
    test::TempProgramFolder folder;
    SaveIntakeDay(QDate(2026, 10, 1), {{"a", "", "kcal"}});
    SaveIntakeDay(day, {{"a", "", "7 kcal"}});
    QVERIFY(!AnyIntakeNutrients());
    SaveIntakeDay(QDate(2025, 12, 31), {{"a", "", "1,000 kcal", "100g", "10.5"},
                                        {"b", "", "200 kcal", "1g", "2.0", "", "", "x"},
                                        {"c", "", "0 kcal"}});
    QVERIFY(AnyIntakeNutrients());
    // A day whose file fails to read (reading there is an I/O error) is left
    // out and named; the other days still make their points.
    QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), IntakeDayPath(QDate(2026, 1, 6))));
    const OptionalRange range =
        ranged ? OptionalRange(DateRange::of(day, QDate(2026, 9, 30))) : std::nullopt;
    const IntakeTotalPoints totals = CollectIntakeTotalPoints(range, measure);
    QCOMPARE(totals.points, points);
    QCOMPARE(totals.unreadable, QList<QDate>{QDate(2026, 1, 6)});
}

void TestIntakeDiary::totalItem_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<QString>("entry");
    QTest::newRow("no items") << QStringList() << QStringList() << "摂取ｶﾛﾘｰ[kcal]";
    QTest::newRow("other items") << QStringList{"体重", "摂取ｶﾛﾘｰ2"} << QStringList{"kg", ""}
                                 << "摂取ｶﾛﾘｰ[kcal]";
    QTest::newRow("item of the name")
        << QStringList{"摂取ｶﾛﾘｰ"} << QStringList{""} << "摂取ｶﾛﾘｰ(2)[kcal]";
    QTest::newRow("of the name and the next")
        << QStringList{"摂取ｶﾛﾘｰ", "摂取ｶﾛﾘｰ(2)"} << QStringList{"g", ""} << "摂取ｶﾛﾘｰ(3)[kcal]";
    QTest::newRow("of the entry") << QStringList{"摂取ｶﾛﾘｰ[kcal]"} << QStringList{""}
                                  << "摂取ｶﾛﾘｰ(2)[kcal]";
}

void TestIntakeDiary::totalItem() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, units);
    QFETCH(QString, entry);
    QList<RecordItem> items;
    for (qsizetype i = 0; i < names.size(); ++i)
        items.append({sjis::encode(names[i]), sjis::encode(units[i]), {}});
    QCOMPARE(sjis::decode(FormatItemEntry(IntakeTotalItem(items))), entry);
    QCOMPARE(sjis::decode(FormatItemEntry(IntakeTotalItem(items, Salt))),
             QStringLiteral("食塩相当量[g]"));
}

// Days in date order, bounds included; kcal as a signed number.
void TestIntakeDiary::csvRows() {
    test::TempProgramFolder folder;
    SaveIntakeDay(QDate(2026, 1, 6), {{"late", "", "9 kcal"}});
    SaveIntakeDay(day, {{sjis::encode(u"ご飯"), sjis::encode(u"主食"), "1,252 kcal"},
                        {"run", "", "-100 kcal"}});
    SaveIntakeDay(QDate(2025, 12, 31), {{"early", "", "5 kcal"}});
    SaveIntakeDay(QDate(2026, 1, 4), {{"first", "x", "3 kcal"}});
    const QStringList header{"日付",          "食品",    "表",          "kcal",         "量",
                             "たんぱく質(g)", "脂質(g)", "炭水化物(g)", "食塩相当量(g)"};
    QCOMPARE(IntakeCsvRows(QDate(2026, 1, 4), day),
             (QList<QStringList>{header,
                                 {"2026/01/04", "first", "x", "3", "1人前", "", "", "", ""},
                                 {"2026/01/05", "ご飯", "主食", "1252", "1人前", "", "", "", ""},
                                 {"2026/01/05", "run", "", "-100", "1人前", "", "", "", ""}}));
    QCOMPARE(IntakeCsvRows(day, QDate(2026, 1, 4)), QList<QStringList>{header});
}

// On unless the file says otherwise; its own file, under its menu item.
void TestIntakeDiary::diaryOption() {
    test::TempProgramFolder folder;
    bool on = true;
    TIniSaveProps isp;
    bindIntakeDiaryOption(
        isp, [&] { return on; }, [&](bool value) { on = value; });
    isp.Load();
    QVERIFY(on);
    on = false;
    isp.Save();
    QCOMPARE(folder.read(QStringLiteral("setting/intake.ini")),
             QByteArray("[mnuIntakeDiary]\r\nChecked=0\r\n\r\n"));
    QVERIFY(!folder.exists(QStringLiteral("setting/project.ini")));
    on = true;
    isp.Load();
    QVERIFY(!on);
}

QTEST_GUILESS_MAIN(TestIntakeDiary)
#include "tst_intakediary.moc"
