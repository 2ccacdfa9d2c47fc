#include "app/intakelist.h"
#include "caldata/nutrients.h"
#include "common/platform.h"

#include "support/scriptedprompt.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace zk;
using Answer = Prompt::Answer;

class TestIntakeList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void duplicates_data();
    void duplicates();
    void colourThresholds_data();
    void colourThresholds();
    void totalText();
    void negativeCaloriesSubtract();
    void zeroLimit_data();
    void zeroLimit();
    void limitText_data();
    void limitText();
    void sorting_data();
    void sorting();
    void sortKeySharedBetweenLists();
    void deleteSelected_data();
    void deleteSelected();
    void deleteAll();
    void deleteOnDoubleClick();
    void deleteCaption();
    void columnWidths();
    void amounts_data();
    void amounts();
    void typedAmounts_data();
    void typedAmounts();
    void balance();
};

namespace {

const QByteArray rice("\x82\xb2\x94\xd1"); // ご飯

void select(IntakeList &list, const QList<int> &rows) {
    list.selection()->clearSelection();
    for (int r : rows)
        list.selection()->select(list.model()->index(r, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// 精白米 うるち米 (めし) of the food composition table: 156 kcal, P 2.5 g,
// F 0.3 g, C 37.1 g and salt 0 g in 100 g.
IntakeFood cookedRice() {
    Nutrients n;
    n.grams = 100;
    n.values = {2.5, 0.3, 37.1, 1.5, 0.0};
    return IntakeFood::of(156, &n);
}

QStringList cells(IntakeList &list, int r) {
    QStringList out;
    for (int c = IntakeListModel::Calory; c < IntakeListModel::ColumnCount; ++c)
        out.append(list.model()->index(r, c).data().toString());
    return out;
}

QStringList column(IntakeList &list, int c) {
    QStringList out;
    for (int r = 0; r < list.model()->rowCount(); ++r)
        out.append(list.model()->index(r, c).data().toString());
    return out;
}

// An intake list with its own sort key, asking a scripted prompt.
struct Fixture {
    test::ScriptedPrompt prompt;
    SortKey key;
    IntakeList list{key, prompt};
};

} // namespace

void TestIntakeList::initTestCase() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestIntakeList::duplicates_data() {
    QTest::addColumn<int>("policy");
    QTest::addColumn<int>("alreadyThere"); // equal rows in the list before adding
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("rowsAfter");
    const auto ask = int(DuplicatesPolicy::Ask);
    QTest::newRow("ask, yes") << ask << 1 << QList<Answer>{Answer::Yes} << 1 << 2;
    QTest::newRow("ask, cancel") << ask << 1 << QList<Answer>{Answer::Cancel} << 1 << 1;
    QTest::newRow("ask twice for two rows")
        << ask << 2 << QList<Answer>{Answer::Yes, Answer::Yes} << 2 << 3;
    QTest::newRow("one cancel adds nothing")
        << ask << 2 << QList<Answer>{Answer::Yes, Answer::Cancel} << 2 << 2;
    QTest::newRow("forbid is silent")
        << int(DuplicatesPolicy::Forbid) << 1 << QList<Answer>{} << 0 << 1;
    QTest::newRow("allow") << int(DuplicatesPolicy::Allow) << 2 << QList<Answer>{} << 0 << 3;
    QTest::newRow("first of its kind") << ask << 0 << QList<Answer>{} << 0 << 1;
}

void TestIntakeList::duplicates() {
    QFETCH(int, policy);
    QFETCH(int, alreadyThere);
    QFETCH(QList<Answer>, answers);
    QFETCH(int, questions);
    QFETCH(int, rowsAfter);
    Fixture f;
    QAbstractItemModelTester tester(f.list.model());
    for (int i = 0; i < alreadyThere; ++i)
        f.list.add(rice, 234, QStringLiteral("主食"), DuplicatesPolicy::Allow);
    f.list.add(rice, 300, QStringLiteral("別の表"), DuplicatesPolicy::Forbid); // another table
    f.prompt.answers = answers;
    f.list.add(rice, 234, QStringLiteral("主食"), DuplicatesPolicy(policy));
    QCOMPARE(f.prompt.asked.size(), questions);
    for (const auto &box : f.prompt.asked) {
        QCOMPARE(box.kind, QStringLiteral("question"));
        QCOMPARE(box.text,
                 QStringLiteral("「ご飯」（主食）は既にリストにありますが、追加しますか？"));
    }
    QCOMPARE(f.list.model()->rowCount() - 1, rowsAfter);
}

void TestIntakeList::colourThresholds_data() {
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QString>("percent");
    using C = TotalBar::Colour;
    QTest::newRow("1200") << 1200 << int(C::Silver) << "48%";
    QTest::newRow("1262") << 1262 << int(C::Silver) << "50%";
    QTest::newRow("1263") << 1263 << int(C::Navy) << "50%";
    QTest::newRow("2000") << 2000 << int(C::Navy) << "80%";
    QTest::newRow("2013") << 2013 << int(C::Maroon) << "80%";
    QTest::newRow("2512") << 2512 << int(C::Maroon) << "100%";
    QTest::newRow("2513") << 2513 << int(C::Red) << "100%";
    QTest::newRow("5000") << 5000 << int(C::Red) << "100%";
}

void TestIntakeList::colourThresholds() {
    QFETCH(int, total);
    QFETCH(int, colour);
    QFETCH(QString, percent);
    Fixture f;
    f.list.setLimitText(QStringLiteral("1日の基準 : 2500 kcal"));
    f.list.add("x", total, QStringLiteral("t"), DuplicatesPolicy::Allow);
    const TotalBar bar = f.list.total();
    QCOMPARE(int(bar.colour), colour);
    QCOMPARE(bar.percent, percent);
    QCOMPARE(bar.maximum, 2500);
    QCOMPARE(bar.position, std::min(total, 2500));
}

void TestIntakeList::totalText() {
    Fixture f;
    QSignalSpy spy(&f.list, &IntakeList::totalChanged);
    f.list.setLimitText(QStringLiteral("1日の基準 : 2500 kcal"));
    QCOMPARE(spy.count(), 0); // choosing the text by program recomputes nothing
    f.list.add(rice, 1000, QStringLiteral("主食"), DuplicatesPolicy::Allow);
    f.list.add("y", 850, QStringLiteral("主食"), DuplicatesPolicy::Allow);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(column(f.list, 2), (QStringList{"1,000 kcal", "850 kcal"}));
    QCOMPARE(f.list.total().text, QStringLiteral("総取得ｶﾛﾘｰ : 1,850 kcal／2,500 kcal"));
    select(f.list, {0});
    f.list.deleteSelected();
    select(f.list, {0});
    f.list.deleteSelected();
    const TotalBar empty = spy.last().first().value<TotalBar>();
    QCOMPARE(empty.text, QString());
    QCOMPARE(empty.percent, QStringLiteral("0%"));
    QCOMPARE(int(empty.colour), int(TotalBar::Colour::Silver));
}

void TestIntakeList::negativeCaloriesSubtract() {
    Fixture f;
    f.list.setLimitText(QStringLiteral("1日の基準 : 2500 kcal"));
    f.list.add("a", 1500, QStringLiteral("t"), DuplicatesPolicy::Allow);
    f.list.add("walk", -1234, QStringLiteral("t"), DuplicatesPolicy::Allow);
    QCOMPARE(column(f.list, 2).last(), QStringLiteral("-1,234 kcal"));
    QCOMPARE(f.list.total().text, QStringLiteral("総取得ｶﾛﾘｰ : 266 kcal／2,500 kcal"));
    f.list.add("run", -500, QStringLiteral("t"), DuplicatesPolicy::Allow);
    QCOMPARE(f.list.total().text, QStringLiteral("総取得ｶﾛﾘｰ : -234 kcal／2,500 kcal"));
    QCOMPARE(f.list.total().position, 0);
    QCOMPARE(f.list.total().percent, QStringLiteral("0%"));
}

void TestIntakeList::zeroLimit_data() {
    QTest::addColumn<QString>("limit");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("colour");
    QTest::newRow("0, nothing") << "1日の基準 : 0 kcal" << 0 << int(TotalBar::Colour::Silver);
    QTest::newRow("0, something") << "1日の基準 : 0 kcal" << 10 << int(TotalBar::Colour::Red);
    QTest::newRow("negative") << "朝 : -5 kcal" << 10 << int(TotalBar::Colour::Red);
}

void TestIntakeList::zeroLimit() {
    QFETCH(QString, limit);
    QFETCH(int, total);
    QFETCH(int, colour);
    Fixture f;
    f.list.setLimitText(limit);
    f.list.add("a", total, QStringLiteral("t"), DuplicatesPolicy::Allow);
    const TotalBar bar = f.list.total();
    QCOMPARE(bar.maximum, 0);
    QCOMPARE(bar.position, 0);
    QCOMPARE(bar.percent, QStringLiteral("0%"));
    QCOMPARE(int(bar.colour), colour);
}

void TestIntakeList::limitText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::newRow("daily") << "1日の基準 : 2500 kcal" << 2500;
    QTest::newRow("named") << "朝 : 750 kcal" << 750;
    QTest::newRow("no separator") << "1日の基準 : 12000 kcal" << 12000;
    QTest::newRow("nothing selected") << "" << 1000;
    QTest::newRow("not a number") << "朝 : abc kcal" << 1000;
    QTest::newRow("grouped") << "朝 : 1,000 kcal" << 1000;
    QTest::newRow("colon in the title") << "a:b : 600 kcal" << 600;
}

void TestIntakeList::limitText() {
    QFETCH(QString, text);
    QFETCH(int, limit);
    QCOMPARE(GetStandartCalory(text), limit);
}

void TestIntakeList::sorting_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("foods");
    QTest::newRow("calory, largest first") << QList<int>{2} << QStringList{"b", "c", "d", "a"};
    QTest::newRow("calory reversed") << QList<int>{2, 2} << QStringList{"a", "d", "c", "b"};
    QTest::newRow("foods") << QList<int>{0} << QStringList{"a", "b", "c", "d"};
    QTest::newRow("foods reversed") << QList<int>{0, 0} << QStringList{"d", "c", "b", "a"};
    QTest::newRow("another column starts afresh")
        << QList<int>{0, 0, 2} << QStringList{"b", "c", "d", "a"};
    QTest::newRow("category") << QList<int>{1} << QStringList{"c", "b", "d", "a"};
    QTest::newRow("amount, grams first") << QList<int>{3} << QStringList{"d", "a", "b", "c"};
    QTest::newRow("protein, unknown last") << QList<int>{4} << QStringList{"d", "a", "b", "c"};
    QTest::newRow("protein reversed") << QList<int>{4, 4} << QStringList{"a", "b", "c", "d"};
}

void TestIntakeList::sorting() {
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, foods);
    Fixture f;
    QAbstractItemModelTester tester(f.list.model());
    f.list.add("a", 85, QStringLiteral("ぶ"), DuplicatesPolicy::Allow);
    f.list.add("b", 1200, QStringLiteral("い"), DuplicatesPolicy::Allow);
    f.list.add("c", 999, QStringLiteral("あ"), DuplicatesPolicy::Allow);
    f.list.add("d", QStringLiteral("え"), cookedRice(), DuplicatesPolicy::Allow);
    for (int c : clicks)
        f.list.sortByColumn(c);
    QCOMPARE(column(f.list, 0), foods);
}

void TestIntakeList::sortKeySharedBetweenLists() {
    test::ScriptedPrompt prompt;
    SortKey key;
    IntakeList intake(key, prompt);
    IntakeList results(key, prompt);
    for (IntakeList *l : {&intake, &results}) {
        l->add("a", 1, QStringLiteral("t"), DuplicatesPolicy::Allow);
        l->add("b", 2, QStringLiteral("t"), DuplicatesPolicy::Allow);
    }
    intake.sortByColumn(0);
    QCOMPARE(column(intake, 0), (QStringList{"a", "b"}));
    results.sortByColumn(0);
    QCOMPARE(column(results, 0), (QStringList{"b", "a"}));
    QCOMPARE(key.value(), -1);
}

void TestIntakeList::deleteSelected_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<int>("recomputed");
    QTest::newRow("none") << QList<int>{} << QList<Answer>{} << QStringList{"a", "b", "c"}
                          << QStringList{} << 1;
    QTest::newRow("one, no question")
        << QList<int>{1} << QList<Answer>{} << QStringList{"a", "c"} << QStringList{} << 1;
    QTest::newRow("two, yes") << QList<int>{0, 2} << QList<Answer>{Answer::Yes} << QStringList{"b"}
                              << QStringList{"この2個のデータを削除しても構わないでしょうか？"}
                              << 1;
    QTest::newRow("two, cancel") << QList<int>{0, 2} << QList<Answer>{Answer::Cancel}
                                 << QStringList{"a", "b", "c"}
                                 << QStringList{"この2個のデータを削除しても構わないでしょうか？"}
                                 << 0;
}

void TestIntakeList::deleteSelected() {
    QFETCH(QList<int>, selected);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, left);
    QFETCH(QStringList, asked);
    QFETCH(int, recomputed);
    Fixture f;
    for (const char *food : {"a", "b", "c"})
        f.list.add(food, 1, QStringLiteral("t"), DuplicatesPolicy::Allow);
    select(f.list, selected);
    QSignalSpy spy(&f.list, &IntakeList::totalChanged);
    f.prompt.answers = answers;
    f.list.deleteSelected();
    QCOMPARE(column(f.list, 0), left);
    QCOMPARE(f.prompt.texts(), asked);
    QCOMPARE(spy.count(), recomputed);
}

void TestIntakeList::deleteAll() {
    Fixture f;
    f.list.deleteAll();
    QCOMPARE(f.prompt.asked.size(), 1);
    QCOMPARE(f.prompt.asked[0].kind, QStringLiteral("message"));
    QCOMPARE(f.prompt.asked[0].text, QStringLiteral("リスト内にデータがありません。"));
    f.list.add("a", 1, QStringLiteral("t"), DuplicatesPolicy::Allow);
    f.list.add("b", 1, QStringLiteral("t"), DuplicatesPolicy::Allow);
    f.prompt.clear();
    f.prompt.answers = {Answer::Cancel};
    f.list.deleteAll();
    QCOMPARE(f.list.model()->rowCount(), 2);
    QCOMPARE(f.prompt.asked[0].kind, QStringLiteral("warning"));
    QCOMPARE(f.prompt.asked[0].text,
             QStringLiteral("リスト内にある2件のデータを削除しても構いませんか？"));
    f.prompt.answers = {Answer::Yes};
    f.list.deleteAll();
    QCOMPARE(f.list.model()->rowCount(), 0);
}

void TestIntakeList::deleteOnDoubleClick() {
    Fixture f;
    for (const char *food : {"a", "b", "c"})
        f.list.add(food, 1, QStringLiteral("t"), DuplicatesPolicy::Allow);
    QSignalSpy spy(&f.list, &IntakeList::totalChanged);
    f.list.deleteOnDoubleClick(); // nothing selected: nothing goes, the total is recomputed
    QCOMPARE(f.list.model()->rowCount(), 3);
    QCOMPARE(spy.count(), 1);
    select(f.list, {2, 1});
    f.list.deleteOnDoubleClick(); // the selected row nearest the top
    QCOMPARE(column(f.list, 0), (QStringList{"a", "c"}));
    QVERIFY(f.prompt.asked.isEmpty());
}

void TestIntakeList::deleteCaption() {
    Fixture f;
    f.list.add(rice, 1, QStringLiteral("t"), DuplicatesPolicy::Allow);
    f.list.add("b", 1, QStringLiteral("t"), DuplicatesPolicy::Allow);
    f.list.add("c", 1, QStringLiteral("t"), DuplicatesPolicy::Allow);
    QCOMPARE(f.list.deleteCaption(QStringLiteral("削除")), QStringLiteral("削除"));
    select(f.list, {0});
    QCOMPARE(f.list.deleteCaption(QStringLiteral("削除")), QStringLiteral("「ご飯」を削除"));
    select(f.list, {2, 0, 1});
    QCOMPARE(f.list.deleteCaption(QString()), QStringLiteral("「ご飯」以下3件を削除"));
}

void TestIntakeList::columnWidths() {
    QCOMPARE(foodListColumnWidths(339), (std::array<int, 3>{140, 105, 74}));
    QCOMPARE(foodListColumnWidths(20), (std::array<int, 3>{0, 0, 0}));
}

void TestIntakeList::amounts_data() {
    QTest::addColumn<bool>("byWeight");
    QTest::addColumn<QList<int>>("steps");  // +/- presses, after the edit
    QTest::addColumn<double>("edited");     // 0: no edit
    QTest::addColumn<QStringList>("shown"); // Calory, 量, P, F, C, 塩分
    const bool grams = true, portions = false;
    QTest::newRow("added at 100 g")
        << grams << QList<int>{} << 0.0
        << QStringList{"156 kcal", "100 g", "2.5", "0.3", "37.1", "0.0"};
    QTest::newRow("150 g of rice") << grams << QList<int>{} << 150.0
                                   << QStringList{"234 kcal", "150 g", "3.8", "0.5", "55.7", "0.0"};
    QTest::newRow("+ and - by 10 g")
        << grams << QList<int>{1, 1, -1} << 0.0
        << QStringList{"172 kcal", "110 g", "2.8", "0.3", "40.8", "0.0"};
    QTest::newRow("- stops at 1 g") << grams << QList<int>{-1} << 1.0
                                    << QStringList{"2 kcal", "1 g", "0.0", "0.0", "0.4", "0.0"};
    QTest::newRow("+ stops at 5000 g")
        << grams << QList<int>{1} << 5000.0
        << QStringList{"7,800 kcal", "5000 g", "125.0", "15.0", "1855.0", "0.0"};
    QTest::newRow("a dish at 1 portion")
        << portions << QList<int>{} << 0.0 << QStringList{"620 kcal", "1人前", "−", "−", "−", "−"};
    QTest::newRow("a dish at 1.5 portions")
        << portions << QList<int>{} << 1.5
        << QStringList{"930 kcal", "1.5人前", "−", "−", "−", "−"};
    QTest::newRow("- stops at 0.25 portions")
        << portions << QList<int>{-1, -1} << 0.5
        << QStringList{"155 kcal", "0.25人前", "−", "−", "−", "−"};
}

void TestIntakeList::amounts() {
    QFETCH(bool, byWeight);
    QFETCH(QList<int>, steps);
    QFETCH(double, edited);
    QFETCH(QStringList, shown);
    Fixture f;
    QAbstractItemModelTester tester(f.list.model());
    f.list.setLimitText(QStringLiteral("1日の基準 : 2500 kcal"));
    if (byWeight)
        f.list.add(rice, QStringLiteral("穀類"), cookedRice(), DuplicatesPolicy::Allow);
    else
        f.list.add("dish", 620, QStringLiteral("定食"), DuplicatesPolicy::Allow);
    QSignalSpy changed(&f.list, &IntakeList::rowsChanged);
    const QModelIndex amount = f.list.model()->index(0, IntakeListModel::AmountColumn);
    QVERIFY(f.list.model()->flags(amount) & Qt::ItemIsEditable);
    QVERIFY(!f.list.model()->setData(amount, 0.0));    // refused in the editor
    QVERIFY(!f.list.model()->setData(amount, 5001.0)); // over the limit
    if (edited > 0)
        QVERIFY(f.list.model()->setData(amount, edited));
    for (const int step : steps)
        f.list.stepAmounts({0}, step);
    QCOMPARE(cells(f.list, 0), shown);
    QCOMPARE(f.list.total().text, QStringLiteral("総取得ｶﾛﾘｰ : ") + shown.first().chopped(5) +
                                      QStringLiteral(" kcal／2,500 kcal"));
    QCOMPARE(f.list.balance().lacking, byWeight ? 0 : 1);
    QVERIFY(changed.count() <= steps.size() + (edited > 0));
}

void TestIntakeList::typedAmounts_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("amounts"); // of the rice and the dish after it
    QTest::newRow("2 for both") << "2" << QStringList{"2 g", "2人前"};
    QTest::newRow("full-width digits") << "２" << QStringList{"2 g", "2人前"};
    QTest::newRow("with the unit of the other") << "2 g" << QStringList{"100 g", "1人前"};
    QTest::newRow("text") << "abc" << QStringList{"100 g", "1人前"};
    QTest::newRow("zero") << "0" << QStringList{"100 g", "1人前"};
    QTest::newRow("negative") << "-5" << QStringList{"100 g", "1人前"};
    QTest::newRow("too much for a portion") << "150" << QStringList{"100 g", "1人前"};
}

void TestIntakeList::typedAmounts() {
    QFETCH(QString, typed);
    QFETCH(QStringList, amounts);
    Fixture f;
    f.list.add(rice, QStringLiteral("穀類"), cookedRice(), DuplicatesPolicy::Allow);
    f.list.add("dish", 620, QStringLiteral("定食"), DuplicatesPolicy::Allow);
    QCOMPARE(f.list.typedAmountLabel({0, 1}),
             QStringLiteral("量を数で入力してください（1 g～5000 g、0.25人前～20人前）:"));
    QCOMPARE(f.list.commonQuantity({0}), QStringLiteral("100")); // what the question starts with
    QCOMPARE(f.list.commonQuantity({0, 1}), QString());
    const bool taken = f.list.setTypedAmount({0, 1}, typed);
    QCOMPARE(column(f.list, IntakeListModel::AmountColumn), amounts);
    QCOMPARE(taken, f.prompt.asked.isEmpty());
    if (!taken)
        QVERIFY(f.prompt.asked.first().text.startsWith(u'「' + typed + u'」'));
}

// The day's sums and PFC shares against the targets; a partial sum says so.
void TestIntakeList::balance() {
    Fixture f;
    f.list.add(rice, QStringLiteral("穀類"), cookedRice(), DuplicatesPolicy::Allow);
    Nutrients fatty;
    fatty.grams = 100;
    fatty.values = {20.0, 30.0, 0.0, 0.0, 1.2};
    f.list.add("pork", QStringLiteral("肉類"), IntakeFood::of(370, &fatty),
               DuplicatesPolicy::Allow);
    f.list.add("dish", 620, QStringLiteral("定食"), DuplicatesPolicy::Allow);
    const PfcBalance b = f.list.balance();
    QCOMPARE(b.sumsText(), QStringLiteral("P 22.5 g  F 30.3 g  C 37.1 g  塩分 1.2 g"));
    // 90 + 272.7 + 148.4 kcal
    QCOMPARE(b.percent, (std::array<int, 3>{18, 53, 29}));
    using S = PfcBalance::Share;
    QCOMPARE(b.shares, (std::array<S, 3>{S::Within, S::Above, S::Below}));
    QCOMPARE(b.lackingText(), QStringLiteral("栄養素のない食品 1件"));
    QVERIFY(PfcBalance::targetsText().contains(QStringLiteral("P 13～20%、F 20～30%、C 50～65%")));
    QVERIFY(!PfcBalance::of({}).hasRatio);
}

QTEST_GUILESS_MAIN(TestIntakeList)
#include "tst_intakelist.moc"
