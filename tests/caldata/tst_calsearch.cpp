#include "caldata/calsearch.h"
#include "common/platform.h"
#include "common/sjis.h"

#include "support/tempprogramfolder.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <limits>

#include <sys/stat.h>

using namespace zk;

Q_DECLARE_METATYPE(zk::SearchCondition)

namespace {

QByteArray sj(const QString &text) {
    return sjis::encode(text);
}

// "name|value" per result row.
QStringList rows(const QList<CalorieRow> &found) {
    QStringList out;
    for (const CalorieRow &r : found)
        out << r.foodsText + u'|' + r.calory;
    return out;
}

QStringList rows(const CalorieListModel &model) {
    return rows(model.rows());
}

SearchCondition textCondition(const QString &text) {
    SearchCondition c;
    c.text = text;
    return c;
}

// Runs a search to its end; `onTable` runs as each table's rows are awaited.
bool runSearch(CalSearch &search, const QList<CalCatalogue::Entry> &tables,
               const SearchCondition &condition,
               const std::function<void(const QString &)> &onTable = {}) {
    QMetaObject::Connection announced;
    if (onTable)
        announced = QObject::connect(&search, &CalSearch::searching, onTable);
    QSignalSpy finished(&search, &CalSearch::finished);
    const bool started = search.start(tables, condition);
    if (started && search.isRunning())
        finished.wait(30000);
    QObject::disconnect(announced);
    return started;
}

SearchCondition foldedCondition(const QString &text) {
    SearchCondition c = textCondition(text);
    c.foldKana = true;
    return c;
}

SearchCondition rangeCondition(int minimum, int maximum, const QString &text = {}) {
    SearchCondition c = textCondition(text);
    c.caloryOn = true;
    c.minimum = minimum;
    c.maximum = maximum;
    return c;
}

} // namespace

class TestCalSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    }
    void text_data();
    void text();
    void viewsWithoutData();
    void foldingByTable();
    void search_data();
    void search();
    void targets_data();
    void targets();
    void runsTablesInOrderAndSkipsMissing();
    void unreadableTableStopsKeepingRows();
    void noSecondSearchWhileRunning();
    void runsBesideTheEventLoop();
    void resultsFollowTheSharedSort();
    void resultsOfManyTablesSortAsOneList_data();
    void resultsOfManyTablesSortAsOneList();
    void clickDuringSearchSortsRowsFoundSoFar();
    void sortAgreesWithTheRowComparison_data();
    void sortAgreesWithTheRowComparison();
};

void TestCalSearch::text_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("match");
    QTest::newRow("inside a word")
        << sj(QStringLiteral("しょうゆラーメン")) << sj(QStringLiteral("ラー")) << true;
    QTest::newRow("upper name, lower text")
        << QByteArray("BEEF stew") << QByteArray("beef") << true;
    QTest::newRow("lower name, upper text")
        << QByteArray("beef stew") << QByteArray("BEEF") << true;
    QTest::newRow("mixed") << sj(QStringLiteral("Ｔボーン Steak")) << QByteArray("sTEAK") << true;
    // ア is 83 41 and ソ is 83 5C: their trail bytes are "A" and "\".
    QTest::newRow("trail byte is not a letter")
        << sj(QStringLiteral("アイス")) << QByteArray("a") << false;
    QTest::newRow("trail byte not lowered")
        << sj(QStringLiteral("アイス")) << QByteArray("\x83\x61") << false;
    QTest::newRow("across a character boundary")
        << sj(QStringLiteral("ソース")) << QByteArray("\x5c\x81") << false;
    QTest::newRow("second byte then match later") << QByteArray("\x83\x41"
                                                                "A")
                                                  << QByteArray("A") << true;
    QTest::newRow("full-width letters are not folded")
        << sj(QStringLiteral("ＢＥＥＦ")) << sj(QStringLiteral("ｂｅｅｆ")) << false;
    QTest::newRow("empty text") << QByteArray("abc") << QByteArray() << false;
    QTest::newRow("empty name") << QByteArray() << QByteArray("a") << false;
}

void TestCalSearch::text() {
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, text);
    QFETCH(bool, match);
    QCOMPARE(containsText(name, lowerAscii(text)), match);
}

// Views without data (an empty name cut from a line) are read like empty ones.
void TestCalSearch::viewsWithoutData() {
    QCOMPARE(lowerAscii(QByteArrayView()), QByteArray());
    QVERIFY(!containsText(QByteArrayView(), "a"));
    QVERIFY(
        searchTable(QByteArrayView(), SearchPlan(SearchCondition{"a", true, 0, 10}), {}).isEmpty());
}

// The table-driven folding gives what decoding and normalising give, for
// every character alone and before each half-width voicing mark.
void TestCalSearch::foldingByTable() {
    QList<QByteArray> characters;
    for (int b = 0; b < 0x100; ++b)
        characters.append(QByteArray(1, char(b)));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC && sjis::isLeadByte(uchar(lead)); ++trail)
            characters.append(QByteArray(1, char(lead)) + char(trail));
    }
    QString folded;
    for (const QByteArray &c : std::as_const(characters)) {
        for (const QByteArray &bytes : {c, c + "\xDE", c + "\xDF"}) {
            foldShiftJis(bytes, folded);
            QCOMPARE(folded, foldForSearch(sjis::decode(bytes)));
        }
    }
}

void TestCalSearch::search_data() {
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<SearchCondition>("condition");
    QTest::addColumn<QStringList>("found");
    const QByteArray menu =
        sj(QStringLiteral("@麺\r\n\tうどん:238\r\n\tそば:234 \r\n\t天ぷらそば:480\r\n"
                          "\r\n\t\t\tつけ麺: 650\r\nメモ\r\n@そば屋"));
    QTest::newRow("text") << menu << textCondition(QStringLiteral("そば"))
                          << QStringList{QStringLiteral("そば|234 kcal"),
                                         QStringLiteral("天ぷらそば|480 kcal")};
    QTest::newRow("range, ends included")
        << menu << rangeCondition(234, 480)
        << QStringList{QStringLiteral("うどん|238 kcal"), QStringLiteral("そば|234 kcal"),
                       QStringLiteral("天ぷらそば|480 kcal")};
    QTest::newRow("range 0..1000 takes unreadable values")
        << menu << rangeCondition(0, 1000)
        << QStringList{QStringLiteral("うどん|238 kcal"), QStringLiteral("そば|234 kcal"),
                       QStringLiteral("天ぷらそば|480 kcal"), QStringLiteral("つけ麺|650 kcal"),
                       QStringLiteral("|0 kcal")};
    QTest::newRow("text or range")
        << menu << rangeCondition(600, 700, QStringLiteral("うどん"))
        << QStringList{QStringLiteral("うどん|238 kcal"), QStringLiteral("つけ麺|650 kcal")};
    QTest::newRow("minimum above maximum") << menu << rangeCondition(500, 400) << QStringList{};
    QTest::newRow("nothing asked") << menu << SearchCondition{} << QStringList{};
    QTest::newRow("headings never match") << menu << textCondition(QStringLiteral("麺"))
                                          << QStringList{QStringLiteral("つけ麺|650 kcal")};
    QTest::newRow("text in the value only")
        << QByteArray("a:12\r\nb12:3") << textCondition(QStringLiteral("12"))
        << QStringList{"b12|3 kcal"};
    QTest::newRow("two colons") << QByteArray("a:b:12") << textCondition(QStringLiteral("a:b"))
                                << QStringList{"a:b|12 kcal"};
    QTest::newRow("control bytes trimmed")
        << QByteArray("\x01 x:-5\x02\t") << rangeCondition(-10, 0) << QStringList{"x|-5 kcal"};
    QTest::newRow("NUL ends the table")
        << QByteArray("x:1\r\n\0y:1", 9) << rangeCondition(0, 5) << QStringList{"x|1 kcal"};
    QTest::newRow("CR and LF alone") << QByteArray("ax:1\rbx:2\ncx:3") << textCondition("X")
                                     << QStringList{"ax|1 kcal", "bx|2 kcal", "cx|3 kcal"};
    QTest::newRow("value without a colon, heading, empty name")
        << QByteArray("105\r\n  @x:105\r\n:105 \r\nab") << rangeCondition(100, 109)
        << QStringList{"|105 kcal", "|105 kcal"};
    QTest::newRow("mixed line ends")
        << QByteArray("a:1\r\r\nb:2\rc:3\n\rd:4\n\n") << rangeCondition(0, 9)
        << QStringList{"a|1 kcal", "b|2 kcal", "c|3 kcal", "d|4 kcal"};
    QTest::newRow("hexadecimal and extreme values")
        << QByteArray("h:$10\r\nlow:-2147483648\r\nhigh:2147483647\r\nbig:12345678901")
        << rangeCondition(std::numeric_limits<int>::min(), 16)
        << QStringList{"h|16 kcal", "low|-2147483648 kcal", "big|0 kcal"};
    QTest::newRow("text twice in a line") << QByteArray("aaa:1\r\nbab:2") << textCondition("a")
                                          << QStringList{"aaa|1 kcal", "bab|2 kcal"};
    // Kana and width folded: the same food however it is typed.
    const QByteArray katsu = sj(QStringLiteral("カツ丼:900\r\nかつ丼:850\r\nｶﾂ丼ｾｯﾄ:1000\r\n"
                                               "天丼:700\r\nｶﾞﾝﾓ:90\r\nＢ.Ｌ.Ｔ:400\r\n"
                                               "ヴィシソワーズ:150"));
    QTest::newRow("half-width kana, bytes") << katsu << textCondition(QStringLiteral("ｶﾂ丼"))
                                            << QStringList{QStringLiteral("ｶﾂ丼ｾｯﾄ|1000 kcal")};
    QTest::newRow("half-width kana, folded")
        << katsu << foldedCondition(QStringLiteral("ｶﾂ丼"))
        << QStringList{QStringLiteral("カツ丼|900 kcal"), QStringLiteral("かつ丼|850 kcal"),
                       QStringLiteral("ｶﾂ丼ｾｯﾄ|1000 kcal")};
    QTest::newRow("voiced half-width as one character")
        << katsu << foldedCondition(QStringLiteral("がん"))
        << QStringList{QStringLiteral("ｶﾞﾝﾓ|90 kcal")};
    // Shift-JIS has no ゔ: the folded form is searched all the same.
    QTest::newRow("hiragana without a Shift-JIS code")
        << katsu << foldedCondition(QStringLiteral("ゔぃしそ"))
        << QStringList{QStringLiteral("ヴィシソワーズ|150 kcal")};
    QTest::newRow("unvoiced kana does not match voiced")
        << katsu << foldedCondition(QStringLiteral("かん")) << QStringList{};
    QTest::newRow("full-width letters, either case")
        << katsu << foldedCondition(QStringLiteral("b.l.t"))
        << QStringList{QStringLiteral("Ｂ.Ｌ.Ｔ|400 kcal")};
    QTest::newRow("folded text or range") << katsu << [] {
        SearchCondition c = rangeCondition(0, 100, QStringLiteral("テン"));
        c.foldKana = true;
        return c;
    }() << QStringList{QStringLiteral("ｶﾞﾝﾓ|90 kcal")};
}

void TestCalSearch::search() {
    QFETCH(QByteArray, table);
    QFETCH(SearchCondition, condition);
    QFETCH(QStringList, found);
    const QList<CalorieRow> result =
        searchTable(table, SearchPlan(condition), QStringLiteral("表"));
    QCOMPARE(rows(result), found);
    for (const CalorieRow &r : result)
        QCOMPARE(r.category, QStringLiteral("表"));
}

void TestCalSearch::targets_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QList<int>>("tables");
    QTest::newRow("nothing selected") << 2 << QList<int>{} << QList<int>{0, 1, 2};
    QTest::newRow("selected, in list order") << 3 << QList<int>{3, 1} << QList<int>{0, 2};
    QTest::newRow("current on all") << 0 << QList<int>{2} << QList<int>{0, 1, 2};
    QTest::newRow("current elsewhere") << 2 << QList<int>{3} << QList<int>{2};
}

void TestCalSearch::targets() {
    QFETCH(int, current);
    QFETCH(QList<int>, selected);
    QFETCH(QList<int>, tables);
    QCOMPARE(searchTargets(3, current, selected), tables);
    QCOMPARE(searchTargets(0, current, selected), QList<int>{});
}

void TestCalSearch::runsTablesInOrderAndSkipsMissing() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/b.cal"), "bx:1\r\n");
    folder.write(QStringLiteral("data/a.cal"), "ax:2\r\n");
    const QList<CalCatalogue::Entry> tables{
        {"b", folder.path(QStringLiteral("data/b.cal"))},
        {"gone", folder.path(QStringLiteral("data/gone.cal"))},
        {"a", folder.path(QStringLiteral("data/a.cal"))},
    };
    SortKey key;
    CalSearch search(key);
    QStringList visited;
    QVERIFY(runSearch(search, tables, textCondition("x"), [&](const QString &p) { visited << p; }));
    QCOMPARE(visited.size(), 3);
    QCOMPARE(rows(*search.results()), (QStringList{"bx|1 kcal", "ax|2 kcal"}));
    QCOMPARE(search.results()->row(1).category, QStringLiteral("a"));
    // A new search starts from an empty list.
    QVERIFY(runSearch(search, tables, textCondition("a")));
    QCOMPARE(rows(*search.results()), (QStringList{"ax|2 kcal"}));
}

void TestCalSearch::unreadableTableStopsKeepingRows() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/a.cal"), "ax:2\r\n");
    folder.write(QStringLiteral("data/c.cal"), "cx:2\r\n");
    const QString pipe = folder.path(QStringLiteral("data/b.cal"));
    QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
    const QList<CalCatalogue::Entry> tables{{"a", folder.path(QStringLiteral("data/a.cal"))},
                                            {"b", pipe},
                                            {"c", folder.path(QStringLiteral("data/c.cal"))}};
    SortKey key;
    CalSearch search(key);
    QVERIFY(runSearch(search, tables, textCondition("x")));
    QCOMPARE(search.outcome(), CalSearch::Outcome::Failed);
    QCOMPARE(search.error(), QStringLiteral("ファイル %1 は開けません").arg(pipe));
    QCOMPARE(rows(*search.results()), (QStringList{"ax|2 kcal"}));
    QVERIFY(!search.isRunning());
}

void TestCalSearch::noSecondSearchWhileRunning() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/a.cal"), "ax:2\r\n");
    SortKey key;
    CalSearch search(key);
    QSignalSpy finished(&search, &CalSearch::finished);
    bool second = true;
    QVERIFY(runSearch(search, {{"a", folder.path(QStringLiteral("data/a.cal"))}},
                      textCondition("x"), [&](const QString &) {
                          QVERIFY(search.isRunning());
                          second = search.start({}, textCondition("x"));
                      }));
    QVERIFY(!second);
    QCOMPARE(rows(*search.results()), (QStringList{"ax|2 kcal"}));
    QCOMPARE(finished.count(), 1);
}

// The search returns at once; events are handled before any row arrives, and
// rows of many tables, searched on several threads, come in list order.
void TestCalSearch::runsBesideTheEventLoop() {
    test::TempProgramFolder folder;
    QList<CalCatalogue::Entry> tables;
    QStringList expected;
    for (int t = 0; t < 40; ++t) {
        const QString name = QString::number(t);
        QByteArray lines;
        for (int line = 0; line < 200; ++line)
            lines += QStringLiteral("%1-%2:%3\r\n").arg(name).arg(line).arg(line % 3).toLatin1();
        folder.write(QStringLiteral("data/%1.cal").arg(name), lines);
        tables.append({name, folder.path(QStringLiteral("data/%1.cal").arg(name))});
        for (int line = 0; line < 200; line += 3)
            expected << QStringLiteral("%1-%2|0 kcal").arg(name).arg(line);
    }
    SortKey key;
    CalSearch search(key);
    bool handledFirst = false;
    QMetaObject::invokeMethod(
        &search, [&] { handledFirst = search.isRunning() && search.results()->rowCount() == 0; },
        Qt::QueuedConnection);
    QSignalSpy finished(&search, &CalSearch::finished);
    QVERIFY(search.start(tables, rangeCondition(0, 0)));
    QVERIFY(search.isRunning());
    QVERIFY(finished.wait(30000));
    QVERIFY(handledFirst);
    QCOMPARE(rows(*search.results()), expected);
    // Stopped (here as the first table is awaited), it finishes at once; a
    // search can start again straight away.
    const auto stopAtFirst = connect(&search, &CalSearch::searching, &search, &CalSearch::stop);
    QVERIFY(search.start(tables, rangeCondition(0, 0)));
    disconnect(stopAtFirst);
    QCOMPARE(search.outcome(), CalSearch::Outcome::Stopped);
    QVERIFY(!search.isRunning());
    QVERIFY(runSearch(search, tables, rangeCondition(0, 0)));
    QCOMPARE(search.results()->rowCount(), expected.size());
}

void TestCalSearch::resultsFollowTheSharedSort() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/a.cal"), "b:1\r\nc:3\r\na:2\r\n");
    const QList<CalCatalogue::Entry> tables{{"t", folder.path(QStringLiteral("data/a.cal"))}};
    SortKey key;
    CalSearch search(key);
    const SearchCondition all = rangeCondition(0, 10);
    QVERIFY(runSearch(search, tables, all));
    QCOMPARE(rows(*search.results()), (QStringList{"b|1 kcal", "c|3 kcal", "a|2 kcal"}));
    // "Foods" sorted on the intake list: the results come sorted the same way.
    key.click(1);
    QVERIFY(runSearch(search, tables, all));
    QCOMPARE(rows(*search.results()), (QStringList{"a|2 kcal", "b|1 kcal", "c|3 kcal"}));
    // "Foods" clicked on the results then reverses.
    search.sortByColumn(0);
    QCOMPARE(key.value(), -1);
    QCOMPARE(rows(*search.results()), (QStringList{"c|3 kcal", "b|1 kcal", "a|2 kcal"}));
    // After a click on the results, later searches keep the order found.
    QVERIFY(runSearch(search, tables, all));
    QCOMPARE(rows(*search.results()), (QStringList{"b|1 kcal", "c|3 kcal", "a|2 kcal"}));
    search.sortByColumn(2); // "Calory": largest first
    QCOMPARE(rows(*search.results()), (QStringList{"c|3 kcal", "a|2 kcal", "b|1 kcal"}));
}

// Each table's rows join the sorted ones found before; ties keep the order
// found, and a key changed between tables (on another list) sorts everything.
void TestCalSearch::resultsOfManyTablesSortAsOneList_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("changeTo");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("calory, ties across tables")
        << 3 << 0
        << QStringList{"d|5 kcal", "b|5 kcal", "f|5 kcal", "a|2 kcal", "e|2 kcal", "c|1 kcal"};
    QTest::newRow("foods") << 1 << 0 << QStringList{"a|2 kcal", "b|5 kcal", "c|1 kcal",
                                                    "d|5 kcal", "e|2 kcal", "f|5 kcal"};
    QTest::newRow("key changed after the first table")
        << 1 << 3
        << QStringList{"d|5 kcal", "b|5 kcal", "f|5 kcal", "a|2 kcal", "e|2 kcal", "c|1 kcal"};
}

void TestCalSearch::resultsOfManyTablesSortAsOneList() {
    QFETCH(int, column);
    QFETCH(int, changeTo);
    QFETCH(QStringList, expected);
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/1.cal"), "d:5\r\na:2\r\n");
    folder.write(QStringLiteral("data/2.cal"), "c:1\r\nb:5\r\n");
    folder.write(QStringLiteral("data/3.cal"), "f:5\r\ne:2\r\n");
    QList<CalCatalogue::Entry> tables;
    for (const char *name : {"1", "2", "3"})
        tables.append({name, folder.path(QStringLiteral("data/%1.cal").arg(name))});
    SortKey key;
    key.click(column);
    CalSearch search(key);
    int seen = 0;
    QVERIFY(runSearch(search, tables, rangeCondition(0, 10), [&](const QString &) {
        if (++seen == 2 && changeTo != 0)
            key.click(changeTo);
    }));
    QCOMPARE(rows(*search.results()), expected);
}

// Rows found before a click on the results are sorted by it; later tables'
// rows follow in the order found.
void TestCalSearch::clickDuringSearchSortsRowsFoundSoFar() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/1.cal"), "b:1\r\na:2\r\n");
    folder.write(QStringLiteral("data/2.cal"), "d:1\r\nc:2\r\n");
    folder.write(QStringLiteral("data/3.cal"), "f:1\r\ne:2\r\n");
    QList<CalCatalogue::Entry> tables;
    for (const char *name : {"1", "2", "3"})
        tables.append({name, folder.path(QStringLiteral("data/%1.cal").arg(name))});
    SortKey key;
    key.click(1);
    CalSearch search(key);
    int seen = 0;
    QVERIFY(runSearch(search, tables, rangeCondition(0, 10), [&](const QString &) {
        if (++seen == 3) {
            search.sortByColumn(2);
            QCOMPARE(rows(*search.results()),
                     (QStringList{"a|2 kcal", "c|2 kcal", "b|1 kcal", "d|1 kcal"}));
        }
    }));
    QCOMPARE(rows(*search.results()),
             (QStringList{"a|2 kcal", "c|2 kcal", "b|1 kcal", "d|1 kcal", "f|1 kcal", "e|2 kcal"}));
}

// Rows sorted into already sorted ones must land where a stable sort of them
// all puts them, ties (equal under the collator, equal values) included.
void TestCalSearch::sortAgreesWithTheRowComparison_data() {
    QTest::addColumn<int>("sortKey");
    for (int key : {1, -1, 2, -2, 3, -3})
        QTest::addRow("key %d", key) << key;
}

void TestCalSearch::sortAgreesWithTheRowComparison() {
    QFETCH(int, sortKey);
    const QStringList names{"ア", "あ", "a", "A", "Ａ", "b", "", "あ", "ｱ", "亜", "A"};
    QList<CalorieRow> rows;
    for (int i = 0; i < names.size(); ++i) {
        CalorieRow row;
        row.foods = sjis::encode(names[i]);
        row.foodsText = names[i];
        row.category = names[(i * 7) % names.size()];
        row.value = i % 3;
        row.calory = QString::number(row.value) + QStringLiteral(" kcal");
        rows.append(row);
    }
    QList<CalorieRow> expected = rows;
    std::stable_sort(expected.begin(), expected.end(), [&](const auto &x, const auto &y) {
        return lsvCalCompare(x, y, sortKey) < 0;
    });
    CalorieListModel model;
    const qsizetype half = rows.size() / 2;
    model.append(rows.first(half));
    model.sortBy(sortKey);
    model.append(rows.sliced(half));
    model.sortBy(sortKey, half);
    QCOMPARE(model.rows().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(model.row(i).foodsText, expected[i].foodsText);
        QCOMPARE(model.row(i).category, expected[i].category);
        QCOMPARE(model.row(i).value, expected[i].value);
    }
}

QTEST_GUILESS_MAIN(TestCalSearch)
#include "tst_calsearch.moc"
