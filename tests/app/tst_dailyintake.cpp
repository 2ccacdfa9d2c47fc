#include "app/dailyintake.h"
#include "app/frequentfoods.h"
#include "app/intakereport.h"
#include "app/lastamounts.h"
#include "caldata/calcatalogue.h"
#include "caldata/foodtreemodel.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "records/intakediary.h"

#include "support/scriptedprompt.h"
#include "support/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace zk;

Q_DECLARE_METATYPE(zk::Prompt::Answer)

class TestDailyIntake : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void eachDayKeepsItsList();
    void untouchedRowsKeepTheirBytes();
    void failedWriteIsKeptAndRetried();
    void oneUnwritableDayStopsNoOther();
    void followsTodayPastMidnight();
    void offWritesNothing_data();
    void offWritesNothing();
    void copyToADay();
    void storedAmounts();
    void frequentFoods();
    void weekReport();
};

namespace {

const QDate today(2026, 12, 8);
QDate now = today; // what the program takes for today
const QString dayFile = QStringLiteral("record/intake/2026-12-08.dat");
const QString yesterdayFile = QStringLiteral("record/intake/2026-12-07.dat");

// A diary over its own program folder and intake list, "today" fixed.
struct Fixture {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    SortKey key;
    IntakeList list{key, prompt};
    DailyIntake diary{list, prompt};

    void add(const char *name, int calory) {
        list.add(name, calory, QStringLiteral("主食"), DuplicatesPolicy::Allow);
    }
    void select(const QList<int> &rows) {
        for (const int r : rows)
            list.selection()->select(list.model()->index(r, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList foods() {
        QStringList out;
        for (const IntakeRow &row : list.model()->rows())
            out.append(row.list.foodsText);
        return out;
    }
};

QByteArray line(const QByteArray &foods, const QByteArray &calory) {
    return foods + '\xff' + sjis::encode(u"主食") + '\xff' + calory + "\r\n";
}

// The table 穀類 of one food, rice at 156 kcal a 100 g, with its nutrients.
void writeRiceTable(const test::TempProgramFolder &folder, const QByteArray &rice) {
    folder.write(QStringLiteral("data/穀類.cal"), rice + ":156\r\n");
    folder.write(QStringLiteral("data/穀類.nutrients"), rice + "\xff"
                                                               "100g\xff"
                                                               "2.5\xff"
                                                               "0.3\xff"
                                                               "37.1\xff"
                                                               "1.5\xff"
                                                               "0\r\n");
    SetCaloryDirectories();
}

} // namespace

void TestDailyIntake::initTestCase() {
    Regional regional(QLocale(QLocale::Japanese, QLocale::Japan));
    regional.setToday([] { return now; });
    Regional::setCurrent(regional);
}

void TestDailyIntake::init() {
    now = today;
}

void TestDailyIntake::eachDayKeepsItsList() {
    Fixture f;
    f.diary.start(true);
    f.add("b", 1300);
    f.add("a", -100); // an exercise entry keeps its sign
    QCOMPARE(f.folder.read(dayFile), line("b", "1,300 kcal") + line("a", "-100 kcal"));
    f.list.sortByColumn(0); // a sort is a change too
    QCOMPARE(f.folder.read(dayFile), line("a", "-100 kcal") + line("b", "1,300 kcal"));

    QVERIFY(f.diary.showDate(today.addDays(-1)));
    QCOMPARE(f.foods(), QStringList{});
    QCOMPARE(f.list.total().text, QString());
    f.add("c", 50);
    QVERIFY(f.diary.showDate(today));
    QCOMPARE(f.foods(), (QStringList{"a", "b"}));
    QCOMPARE(f.list.total().text, QStringLiteral("総取得ｶﾛﾘｰ : 1,200 kcal／1,000 kcal"));

    QVERIFY(f.diary.showDate(today.addDays(-1)));
    QCOMPARE(f.foods(), QStringList{"c"});
    f.prompt.answers = {Prompt::Answer::Yes};
    f.list.deleteAll();
    QVERIFY(!f.folder.exists(yesterdayFile));
    QVERIFY(f.folder.exists(dayFile));
}

void TestDailyIntake::untouchedRowsKeepTheirBytes() {
    // Bytes that are not CP932, a row without 0xFF, more cells than three.
    const QByteArray stored = QByteArray("\x80\xa0\xfd\x81\xff\xff") + "12 kcal\r\n" +
                              "memo only\r\n" + "x\xff" + "y\xff" + "9 kcal\xff" + "extra\r\n";
    Fixture f;
    f.folder.write(dayFile, stored);
    f.diary.start(true);
    QCOMPARE(f.list.model()->rowCount(), 3);
    QCOMPARE(f.list.model()->row(0).list.foodsText.at(0), QChar(0xFFFD));
    QCOMPARE(f.list.total().text, QStringLiteral("総取得ｶﾛﾘｰ : 21 kcal／1,000 kcal"));
    f.add("b", 5);
    QCOMPARE(f.folder.read(dayFile), stored + line("b", "5 kcal"));
}

void TestDailyIntake::failedWriteIsKeptAndRetried() {
    Fixture f;
    f.diary.start(true);
    // A file where the folder should be: no day can be written.
    f.folder.write(QStringLiteral("record/intake"), "not a folder");
    f.add("a", 1);
    f.add("b", 2);
    QCOMPARE(f.prompt.asked.size(), 1); // told once, not at every change
    QVERIFY(f.prompt.asked.first().text.contains(QStringLiteral("intake")));
    QCOMPARE(f.foods(), (QStringList{"a", "b"}));
    // The unwritten day is shown as the user left it when chosen again.
    QVERIFY(f.diary.showDate(today.addDays(-1)));
    QVERIFY(f.diary.showDate(today));
    QCOMPARE(f.foods(), (QStringList{"a", "b"}));
    QVERIFY(!f.diary.flushAtEnd());
    QCOMPARE(f.prompt.asked.size(), 2); // at the end it is said again

    QVERIFY(QFile::remove(f.folder.path(QStringLiteral("record/intake"))));
    f.add("c", 3);
    QCOMPARE(f.folder.read(dayFile),
             line("a", "1 kcal") + line("b", "2 kcal") + line("c", "3 kcal"));
    QCOMPARE(f.prompt.asked.size(), 2);
}

void TestDailyIntake::oneUnwritableDayStopsNoOther() {
    Fixture f;
    // A folder of the day's name: that day can be shown, never written.
    QVERIFY(QDir().mkpath(f.folder.path(yesterdayFile)));
    f.diary.start(true);
    QVERIFY(f.diary.showDate(today.addDays(-1)));
    f.add("old", 1);
    QCOMPARE(f.prompt.asked.size(), 1);
    QVERIFY(f.prompt.asked.first().text.startsWith(QStringLiteral("2026/12/07の")));
    QVERIFY(f.diary.showDate(today));
    f.add("new", 2);
    QCOMPARE(f.folder.read(dayFile), line("new", "2 kcal"));
    QCOMPARE(f.prompt.asked.size(), 1); // the old day is not said again at each change
    QVERIFY(!f.diary.flushAtEnd());
    QCOMPARE(f.prompt.asked.size(), 2);
    QVERIFY(f.prompt.asked.last().text.contains(QStringLiteral("2026/12/07")));
    QVERIFY(!f.prompt.asked.last().text.contains(QStringLiteral("2026/12/08")));
}

void TestDailyIntake::followsTodayPastMidnight() {
    Fixture f;
    f.folder.write(dayFile, line("a", "1 kcal"));
    f.diary.start(true);
    QSignalSpy followed(&f.diary, &DailyIntake::todayFollowed);
    now = today.addDays(1);
    f.diary.followToday();
    QCOMPARE(followed.size(), 1);
    QCOMPARE(f.diary.date(), now);
    QCOMPARE(f.foods(), QStringList{});
    f.add("breakfast", 300);
    QCOMPARE(f.folder.read(dayFile), line("a", "1 kcal"));
    QCOMPARE(f.folder.read(QStringLiteral("record/intake/2026-12-09.dat")),
             line("breakfast", "300 kcal"));
    // The now set back: the list of today follows; a chosen day stays.
    now = today;
    f.diary.followToday();
    QCOMPARE(f.foods(), QStringList{"a"});
    QVERIFY(f.diary.showDate(today.addDays(-5)));
    now = today.addDays(1);
    f.diary.followToday();
    QCOMPARE(f.diary.date(), today.addDays(-5));
    QCOMPARE(followed.size(), 2);
}

void TestDailyIntake::offWritesNothing_data() {
    QTest::addColumn<bool>("startOn");
    QTest::addColumn<QStringList>("changes"); // "+x" adds x, "-" deletes the first row
    QTest::addColumn<int>("daysLater");       // how long after the change it goes on again
    QTest::addColumn<QList<Prompt::Answer>>("answers");
    QTest::addColumn<QStringList>("foods"); // the list once turned on again
    QTest::addColumn<bool>("on");
    const auto yes = QList{Prompt::Answer::Yes}, no = QList{Prompt::Answer::No},
               cancel = QList{Prompt::Answer::Cancel};
    // Turned off and on unchanged: nothing to ask.
    QTest::newRow("off and on") << true << QStringList{} << 0 << QList<Prompt::Answer>{}
                                << QStringList{"s"} << true;
    // A list changed while off is today's list only when the user says so.
    QTest::newRow("changed, keep stored")
        << true << QStringList{"-", "+x"} << 0 << yes << QStringList{"s"} << true;
    QTest::newRow("changed, use shown")
        << true << QStringList{"-", "+x"} << 0 << no << QStringList{"x"} << true;
    QTest::newRow("changed, cancel")
        << true << QStringList{"-", "+x"} << 0 << cancel << QStringList{"x"} << false;
    QTest::newRow("started off") << false << QStringList{"+x"} << 0 << yes << QStringList{"s"}
                                 << true;
    // Past midnight the list shown is yesterday's: asked, never copied unasked.
    QTest::newRow("next day, keep") << true << QStringList{} << 1 << yes << QStringList{} << true;
    QTest::newRow("next day, use shown")
        << true << QStringList{} << 1 << no << QStringList{"s"} << true;
}

void TestDailyIntake::offWritesNothing() {
    QFETCH(bool, startOn);
    QFETCH(QStringList, changes);
    QFETCH(int, daysLater);
    QFETCH(QList<Prompt::Answer>, answers);
    QFETCH(QStringList, foods);
    QFETCH(bool, on);
    Fixture f;
    f.folder.write(dayFile, line("s", "7 kcal"));
    f.diary.start(startOn);
    QCOMPARE(f.foods(), startOn ? QStringList{"s"} : QStringList{});
    f.diary.setOn(false);
    for (const QString &change : changes) {
        if (change == u'-') {
            f.select({0});
            f.list.deleteSelected();
        } else {
            f.add(change.mid(1).toLatin1().constData(), 1);
        }
    }
    QCOMPARE(f.folder.read(dayFile), line("s", "7 kcal")); // nothing written while off
    QCOMPARE(IntakeDays(), QList<QDate>{today});
    now = today.addDays(daysLater);
    f.prompt.answers = answers;
    f.diary.setOn(true);
    QCOMPARE(f.prompt.asked.size(), answers.size());
    QCOMPARE(f.diary.isOn(), on);
    QCOMPARE(f.foods(), foods);
    // Nothing stored was dropped unless the list shown replaced it.
    QCOMPARE(f.folder.read(dayFile), daysLater == 0 && on && foods != QStringList{"s"}
                                         ? line("x", "1 kcal")
                                         : line("s", "7 kcal"));
    QCOMPARE(LoadIntakeDay(now).size(), on ? foods.size() : daysLater == 0 ? 1 : 0);
}

void TestDailyIntake::copyToADay() {
    Fixture f;
    f.folder.write(dayFile, line("a", "1 kcal"));
    f.folder.write(yesterdayFile, line("a", "1 kcal") + line("b", "2 kcal"));
    f.diary.start(true);
    QCOMPARE(f.diary.copyToToday(DuplicatesPolicy::Allow), 0); // on today itself: nothing
    QVERIFY(f.diary.showDate(today.addDays(-1)));
    f.select({0, 1});
    QCOMPARE(f.diary.copyToToday(DuplicatesPolicy::Forbid), 1); // "a" is there already
    QCOMPARE(f.folder.read(dayFile), line("a", "1 kcal") + line("b", "2 kcal"));
    QCOMPARE(f.foods(), (QStringList{"a", "b"})); // the day shown stays as it was

    // Any day: a day without a file gets one; the day shown gets the rows too.
    QCOMPARE(f.diary.copyTo(QDate(2026, 11, 30), DuplicatesPolicy::Ask), 2);
    QCOMPARE(f.folder.read(QStringLiteral("record/intake/2026-11-30.dat")),
             line("a", "1 kcal") + line("b", "2 kcal"));
    QCOMPARE(f.foods(), (QStringList{"a", "b"}));
    f.list.selection()->clearSelection();
    f.select({1});
    QCOMPARE(f.diary.copyTo(today.addDays(-1), DuplicatesPolicy::Allow), 1);
    QCOMPARE(f.foods(), (QStringList{"a", "b", "b"}));
    QCOMPARE(f.folder.read(yesterdayFile),
             line("a", "1 kcal") + line("b", "2 kcal") + line("b", "2 kcal"));
}

// A row keeps its amount and nutrients; a changed amount is worked out from
// the food's table when the table still gives what was stored, otherwise
// from what was stored. The amount chosen is where the food starts next time.
void TestDailyIntake::storedAmounts() {
    Fixture f;
    const QByteArray rice = sjis::encode(u"精白米"), grain = sjis::encode(u"穀類");
    writeRiceTable(f.folder, rice);
    // 1 g of rice recorded at a calorie figure its table does not give now.
    const QByteArray stored = rice + "\xff" + grain +
                              "\xff"
                              "234 kcal\xff"
                              "150g\xff"
                              "3.8\xff"
                              "0.5\xff"
                              "55.7\xff"
                              "0.0\r\n" +
                              "x\xff"
                              "t\xff"
                              "90 kcal\xff"
                              "lots\xff"
                              "abc\xff"
                              "1.0\r\n" +
                              rice + "\xff" + grain +
                              "\xff"
                              "5 kcal\xff"
                              "1g\xff"
                              "0.0\r\n";
    f.folder.write(dayFile, stored);
    LastAmounts last;
    IntakeList list{f.key, f.prompt, &last};
    DailyIntake diary{list, f.prompt};
    diary.start(true);
    const auto shown = [&](int r) {
        QStringList out;
        for (int c = IntakeListModel::Calory; c < IntakeListModel::ColumnCount; ++c)
            out.append(list.model()->index(r, c).data().toString());
        return out;
    };
    QCOMPARE(shown(0), (QStringList{"234 kcal", "150 g", "3.8", "0.5", "55.7", "0.0"}));
    QCOMPARE(shown(1), (QStringList{"90 kcal", "1人前", "−", "1.0", "−", "−"}));
    QCOMPARE(list.balance().lacking, 2);
    list.add("y", 1, QStringLiteral("t"), DuplicatesPolicy::Allow);
    QCOMPARE(f.folder.read(dayFile), stored + "y\xfft\xff"
                                              "1 kcal\r\n");

    list.setAmount(0, Amount::grams(10)); // from the table: 15.6 kcal, not 234 / 15
    list.stepAmounts({1, 2}, 1);          // from what was stored
    QCOMPARE(shown(0), (QStringList{"16 kcal", "10 g", "0.3", "0.0", "3.7", "0.0"}));
    QCOMPARE(shown(1), (QStringList{"113 kcal", "1.25人前", "−", "1.3", "−", "−"}));
    QCOMPARE(shown(2), (QStringList{"55 kcal", "11 g", "0.0", "−", "−", "−"}));
    QCOMPARE(f.folder.read(dayFile), rice + "\xff" + grain +
                                         "\xff"
                                         "16 kcal\xff"
                                         "10g\xff"
                                         "0.3\xff"
                                         "0.0\xff"
                                         "3.7\xff"
                                         "0.0\r\n" +
                                         "x\xff"
                                         "t\xff"
                                         "113 kcal\xff"
                                         "1.25" +
                                         sjis::encode(u"人前") +
                                         "\xff\xff"
                                         "1.3\r\n" +
                                         rice + "\xff" + grain +
                                         "\xff"
                                         "55 kcal\xff"
                                         "11g\xff"
                                         "0.0\r\n" +
                                         "y\xfft\xff"
                                         "1 kcal\r\n");
    QCOMPARE(f.folder.read(QStringLiteral("setting/amounts.dat")),
             "t\xffx\xff"
             "1.25" +
                 sjis::encode(u"人前") + "\r\n" + grain + "\xff" + rice +
                 "\xff"
                 "11g\r\n");
    // Found by the search: the table's nutrients while its figure is the one found.
    list.add({CalorieRow{rice, QStringLiteral("穀類"), {}, 156, {}, {}},
              CalorieRow{rice, QStringLiteral("穀類"), {}, 150, {}, {}}},
             DuplicatesPolicy::Allow);
    QCOMPARE(shown(4), (QStringList{"17 kcal", "11 g", "0.3", "0.0", "4.1", "0.0"}));
    QCOMPARE(shown(5), (QStringList{"150 kcal", "1人前", "−", "−", "−", "−"}));

    // Amounts that cannot be kept for next time are still the list's.
    QVERIFY(QFile::remove(f.folder.path(QStringLiteral("setting/amounts.dat"))));
    QVERIFY(QDir().mkpath(f.folder.path(QStringLiteral("setting/amounts.dat"))));
    QSignalSpy notKept(&list, &IntakeList::amountsNotKept);
    list.stepAmounts({5}, 1);
    QCOMPARE(notKept.count(), 1);
    QCOMPARE(shown(5).mid(0, 2), (QStringList{"188 kcal", "1.25人前"}));
}

// The foods of the last 60 days, most rows first, then the latest; each as
// its table gives it now (as last eaten when its table no longer has it), at
// the amount last chosen.
void TestDailyIntake::frequentFoods() {
    Fixture f;
    const QByteArray rice = sjis::encode(u"精白米");
    writeRiceTable(f.folder, rice);
    const auto row = [](const QByteArray &food, const char *table, const QByteArray &rest) {
        return food + '\xff' + sjis::encode(QString::fromUtf8(table)) + '\xff' + rest + "\r\n";
    };
    const QByteArray riceRow = row(rice, "穀類",
                                   "234 kcal\xff"
                                   "150g");
    for (int d = 0; d < 7; ++d)
        f.folder.write(
            QStringLiteral("record/intake/%1.dat")
                .arg(today.addDays(-d).toString(QStringLiteral("yyyy-MM-dd"))),
            riceRow +
                (d < 3 ? row("b", "t",
                             "90 kcal\xff"
                             "1.5" +
                                 sjis::encode(u"人前"))
                       : QByteArray()) +
                (d == 6 ? row("c", "t", "10 kcal") + row("c", "t", "10 kcal") : QByteArray()));
    f.folder.write(QStringLiteral("record/intake/2026-10-09.dat"),
                   row("old", "t", "1 kcal")); // 61 days ago
    LastAmounts last;
    last.remember({{QStringLiteral("穀類"), rice, Amount::grams(200)}});

    const FrequentFoodList list = CollectFrequentFoods(today, &last);
    QStringList order;
    for (const FrequentFood &food : list.foods)
        order.append(QStringLiteral("%1/%2 %3×%4")
                         .arg(sjis::decode(food.name), food.table, food.amount.text())
                         .arg(food.count));
    QCOMPARE(order, (QStringList{"精白米/穀類 200 g×7", "b/t 1.5人前×3", "c/t 1人前×2"}));
    QCOMPARE(CollectFrequentFoods(today, &last, 60, 2).foods.size(), 2);
    // Added as from its table: the table's values, not the stored row's.
    QCOMPARE(
        IntakeRow::added(rice, QStringLiteral("穀類"), list.foods[0].food, list.foods[0].amount)
            .cells(),
        IntakeRow::added(rice, QStringLiteral("穀類"),
                         IntakeFood::of(156, &*list.foods[0].tableNutrients), Amount::grams(200))
            .cells());
    QCOMPARE(list.foods[1].food.caloriesFor(Amount::portions(1)), 60); // 90 kcal for 1.5

    const FoodTree tree = FrequentFoodTree(list);
    FoodTreeModel model;
    model.setTree(tree);
    QCOMPARE(model.index(0, FoodTreeModel::Calory).data().toString(), QStringLiteral("312 kcal"));
    QCOMPARE(model.index(0, 0).data(FoodTreeModel::NutrientSummaryRole).toString(),
             QStringLiteral(
                 "200 g で 312 kcal（穀類） ／ たんぱく質 5 g ／ 脂質 0.6 g ／ 炭水化物 74.2 g ／ "
                 "食物繊維 3 g ／ 食塩相当量 0 g"));
    QCOMPARE(model.index(1, 0).data(FoodTreeModel::NutrientSummaryRole).toString(),
             QStringLiteral("1.5人前 で 90 kcal（t）"));
    QCOMPARE(FrequentFoodsStatus(list, true),
             QStringLiteral("よく食べる食品: 過去60日の記録から3件"));
    QVERIFY(FrequentFoodsStatus({}, false).contains(QStringLiteral("オフ")));
    QCOMPARE(FrequentFoodsStatus(CollectFrequentFoods(today.addDays(100), &last), true),
             QStringLiteral("過去60日の記録に食品がありません。"));
}

// A week of four recorded days: their average against the standard, the
// days over it, the average nutrients and their PFC ratio, and the change of
// 体重 from its first to its last value of the week.
void TestDailyIntake::weekReport() {
    Fixture f;
    const ReportRange week = ReportRange::of(ReportPeriod::Week, today); // a Tuesday
    QCOMPARE(week, (ReportRange{QDate(2026, 12, 7), QDate(2026, 12, 13)}));
    QCOMPARE(week.stepped(ReportPeriod::Week, -1).first, QDate(2026, 11, 30));
    QCOMPARE(ReportRange::of(ReportPeriod::Month, today).stepped(ReportPeriod::Month, 2),
             (ReportRange{QDate(2027, 2, 1), QDate(2027, 2, 28)}));
    const auto day = [&](int d, const QByteArray &cells) {
        f.folder.write(QStringLiteral("record/intake/2026-12-%1.dat").arg(d, 2, 10, QChar(u'0')),
                       cells);
    };
    day(6, line("a", "9000 kcal")); // the Sunday before
    day(7, line("a", "1800 kcal\xff"
                     "1\xff"
                     "60\xff"
                     "50\xff"
                     "250\xff"
                     "8"));
    day(8, line("a", "2400 kcal\xff"
                     "1\xff"
                     "80\xff"
                     "70\xff"
                     "300"));
    day(10, line("a", "2100 kcal") + line("b", "-100 kcal"));
    day(13, line("a", "1900 kcal\xff"
                      "1\xff"
                      "70\xff"
                      "60\xff"
                      "275\xff"
                      "10"));
    f.folder.write(QStringLiteral("record/体重.dat"), "2026/12/06\xff"
                                                      "60\r\n2026/12/07\xff"
                                                      "59.4\r\n2026/12/09\xffx\r\n"
                                                      "2026/12/12\xff"
                                                      "58.9\r\n2026/12/14\xff"
                                                      "58\r\n");
    const IntakeReport report = MakeIntakeReport(week, 2000, QStringLiteral("体重"));
    QCOMPARE(report.days.size(), 4);
    QCOMPARE(report.summary(),
             (QStringList{"記録した日数 4日", "平均摂取ｶﾛﾘｰ 2,025 kcal（基準 2,000 kcal）",
                          "基準を超えた日 1日", "平均 P 70.0 g  F 60.0 g  C 275.0 g  塩分 9.0 g",
                          "PFCバランス P 15% F 28% C 57%（目標 P 13～20% F 20～30% C 50～65%）",
                          "体重の変化 59.4 → 58.9（−0.5）"}));
    const IntakeReport empty =
        MakeIntakeReport(week.stepped(ReportPeriod::Week, 1), 2000, QStringLiteral("腹囲"));
    QCOMPARE(empty.summary(), QStringList{"2026/12/14～2026/12/20 の記録はありません。"});
    QCOMPARE(empty.change.first, std::nullopt);
}

QTEST_GUILESS_MAIN(TestDailyIntake)
#include "tst_dailyintake.moc"
