#include "benchmark.h"

#include "app/dailyintake.h"
#include "app/frequentfoods.h"
#include "app/intakereport.h"
#include "app/lastamounts.h"
#include "caldata/calcatalogue.h"
#include "common/platform.h"
#include "common/prompt.h"
#include "common/sjis.h"
#include "records/intakediary.h"

#include <QDate>

using namespace zk;

namespace {

// Nothing is asked while the files are whole.
struct SilentPrompt : Prompt {
    void message(const QString &) override {}
    void error(const QString &text) override { qFatal("%s", qPrintable(text)); }
    bool question(const QString &) override { return false; }
    bool warning(const QString &) override { return false; }
    Answer warningYesNoCancel(const QString &) override { return Answer::Cancel; }
};

// What the main window does at start-up for the intake list: the list, the
// diary started on today (or off), and the graph's look for any day.
void startUp(bool diaryOn) {
    SilentPrompt prompt;
    SortKey key;
    IntakeList list(key, prompt);
    DailyIntake diary(list, prompt);
    diary.start(diaryOn);
    if (diaryOn && (list.model()->rowCount() != 12 || !AnyIntakeDay()))
        qFatal("today's list is missing");
}

// A year of days, twelve foods a day with their amounts and nutrients, as
// the intake list writes them.
void fillYear(const QDate &first) {
    const QByteArray category = sjis::encode(u"日本食品標準成分表");
    for (int d = 0; d < 365; ++d) {
        ListRows rows;
        for (int i = 0; i < 12; ++i)
            rows.append({sjis::encode(QStringLiteral("料理その%1").arg(i)), category,
                         QByteArray::number(100 + d + i * 37) + " kcal", "150g", "3.8", "0.5",
                         "55.7", "0.1"});
        SaveIntakeDay(first.addDays(d), rows);
    }
}

// A list of 200 foods with nutrients, the diary on: one amount changed with
// the total, the balance and the day file written.
void changeAmounts(const QDate &day) {
    SilentPrompt prompt;
    SortKey key;
    IntakeList list(key, prompt);
    DailyIntake diary(list, prompt);
    diary.start(true);
    if (!diary.showDate(day))
        qFatal("the day cannot be read");
    Nutrients n;
    n.grams = 100;
    n.values = {2.5, 0.3, 37.1, 1.5, 0.0};
    for (int i = 0; i < 200; ++i)
        list.add(QByteArray::number(i), QStringLiteral("穀類"), IntakeFood::of(156, &n),
                 DuplicatesPolicy::Allow);
    int step = 0;
    zk::bench::measure("change an amount in a list of 200 rows", 200,
                       [&] { list.stepAmounts({step % 200}, ++step % 2 ? 1 : -1); });
}

const zk::bench::Register r("intake", [](const QString &scratch) {
    const QDate first(2025, 1, 1);
    const QDate middle = first.addDays(180);
    zk::bench::useProgramFolder(scratch, middle);
    fillYear(first);
    zk::bench::measure("start-up, diary off", 200, [] { startUp(false); });
    zk::bench::measure("start-up with today's list", 200, [] { startUp(true); });
    {
        SilentPrompt prompt;
        SortKey key;
        IntakeList list(key, prompt);
        DailyIntake diary(list, prompt);
        diary.start(true);
        int step = 0;
        zk::bench::measure("switch to another day", 200, [&] {
            if (!diary.showDate(middle.addDays(++step % 2 ? -1 : 0)))
                qFatal("a day cannot be read");
        });
    }
    zk::bench::measure("load one day of 12 rows", 200, [&] { LoadIntakeDay(middle); });
    zk::bench::measure("list the 365 days", 50, [] { IntakeDays(); });
    zk::bench::measure("daily totals of 365 days", 20, [] {
        if (CollectIntakeTotalPoints(std::nullopt).points.size() != 365)
            qFatal("a day is missing");
    });
    zk::bench::measure("daily protein of 365 days", 20, [] {
        if (CollectIntakeTotalPoints(std::nullopt, Protein).points.size() != 365)
            qFatal("a day is missing");
    });
    changeAmounts(first.addDays(400));
});

// よく食べる食品 as the calorie-file window makes it: three years of days of
// 15 rows, foods of the bundled tables, and amounts chosen for them.
const zk::bench::Register f("frequent", [](const QString &scratch) {
    const QDate today(2026, 12, 9);
    zk::bench::useProgramFolder(scratch, today);
    zk::bench::copyBundledTables(QStringLiteral(ZENKARTA_SOURCE_DIR "/data"), scratch);
    SetCaloryDirectories();
    // 60 foods, from three tables of the food composition table and one hand-made one.
    struct Pick {
        QByteArray name;
        QString table;
        IntakeFood food;
    };
    QList<Pick> pool;
    for (const CalCatalogue::Entry &entry : CalFileList().entries()) {
        static const QStringList tables{QStringLiteral("穀類"), QStringLiteral("魚介類"),
                                        QStringLiteral("野菜類"), QStringLiteral("魚料理")};
        if (!tables.contains(entry.name))
            continue;
        const FoodTree tree = FoodTree::load(entry.path);
        const NutrientTable nutrients = NutrientTable::loadFor(entry.path);
        for (int i = 0, taken = 0; i < tree.size() && taken < 15; ++i) {
            const FoodNode &node = tree.node(i);
            if (!node.isFood())
                continue;
            pool.append(
                {node.text, entry.name, IntakeFood::of(node.calory, nutrients.find(node.text))});
            ++taken;
        }
    }
    LastAmounts last;
    QList<LastAmounts::Choice> choices;
    for (const Pick &p : std::as_const(pool))
        if (p.food.basis.unit == Amount::Unit::Grams)
            choices.append({p.table, p.name, Amount::grams(150)});
    last.remember(choices);
    for (int d = 0; d < 3 * 365; ++d) {
        ListRows rows;
        for (int i = 0; i < 15; ++i) {
            const Pick &p = pool[(d * 7 + i * i) % pool.size()];
            rows.append(IntakeRow::added(p.name, p.table, p.food, p.food.basis).cells());
        }
        SaveIntakeDay(today.addDays(-d), rows);
    }
    zk::bench::measure("よく食べる食品 of 60 days (3 years in the folder)", 20, [&] {
        const FrequentFoodList list = CollectFrequentFoods(today, &last);
        if (list.foods.size() != 30 || FrequentFoodTree(list).size() != 30)
            qFatal("foods are missing");
    });
    zk::bench::measure("  of which the 60 day files read", 20, [&] {
        for (int d = 0; d < frequentDays; ++d)
            LoadIntakeDay(today.addDays(-d));
    });
    // The report window's figures for a month of the same folder.
    zk::bench::measure("monthly report (3 years in the folder)", 20, [&] {
        const IntakeReport report =
            MakeIntakeReport(ReportRange::of(ReportPeriod::Month, today.addMonths(-1)), 2000,
                             QStringLiteral("体重"));
        if (report.days.size() != 30 || report.summary().size() < 5)
            qFatal("days are missing");
    });
});

} // namespace
