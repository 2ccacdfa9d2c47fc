#include "caldata/calfiletreemodel.h"
#include "caldata/caltableviewer.h"
#include "caldata/foodfiltermodel.h"
#include "caldata/foodtreemodel.h"
#include "common/platform.h"
#include "common/sjis.h"

#include "support/scriptedprompt.h"
#include "support/tempprogramfolder.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

using namespace zk;

namespace {

QByteArray sj(const QString &text) {
    return sjis::encode(text);
}

// The texts of the food tree, depth-first, two spaces per level.
QStringList texts(const QAbstractItemModel &model, const QModelIndex &parent = {}, int depth = 0) {
    QStringList out;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex i = model.index(r, 0, parent);
        out << QString(depth * 2, u' ') + i.data().toString();
        out << texts(model, i, depth + 1);
    }
    return out;
}

const QByteArray fruit =
    sj(QStringLiteral("@果物\r\n\tりんご 1個(250g):133\r\n\tバナナ 1本(100g):93\r\n"
                      "@菓子\r\n\tあめ:20\r\n"));
const QStringList fruitTree{QStringLiteral("果物"), QStringLiteral("  りんご 1個(250g)"),
                            QStringLiteral("  バナナ 1本(100g)"), QStringLiteral("菓子"),
                            QStringLiteral("  あめ")};
// Japanese collation orders kana by sound, hiragana and katakana alike.
const QStringList fruitList{QStringLiteral("あめ"), QStringLiteral("バナナ 1本(100g)"),
                            QStringLiteral("りんご 1個(250g)")};

} // namespace

class TestCalTableViewer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    }
    void foodModelPassesTester();
    void foodModelShowsKilocalories();
    void filterKeepsHeadingsOfMatches_data();
    void filterKeepsHeadingsOfMatches();
    void fileModelPassesTester();
    void showsTableAndTitle();
    void failedLoadKeepsTree_data();
    void failedLoadKeepsTree();
    void folderChangesNothing();
    void listViewFollowsLoads();
    void standardReadsSelectedTableAgain();
    void nutrientsBesideTheTable_data();
    void nutrientsBesideTheTable();
};

void TestCalTableViewer::foodModelPassesTester() {
    FoodTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTree(FoodTree::parse(fruit));
    model.setTree(FoodTree::parse("a\r\n b\r\n  c:1\r\n d\r\ne:2"));
    model.setTree(model.tree().dictionary());
    model.setTree({});
}

void TestCalTableViewer::foodModelShowsKilocalories() {
    FoodTreeModel model;
    model.setTree(FoodTree::parse(sj(QStringLiteral("@鍋\r\n\tすき焼き:1234\r\nx:-5"))));
    const QModelIndex heading = model.index(0, FoodTreeModel::Text);
    const QModelIndex food = model.index(0, FoodTreeModel::Text, heading);
    QCOMPARE(food.data().toString(), QStringLiteral("すき焼き"));
    QCOMPARE(food.data(Qt::ToolTipRole).toString(), QStringLiteral("すき焼き\n1,234 kcal"));
    QCOMPARE(food.siblingAtColumn(FoodTreeModel::Calory).data().toString(),
             QStringLiteral("1,234 kcal"));
    QCOMPARE(food.data(FoodTreeModel::CaloryRole).toInt(), 1234);
    QCOMPARE(food.data(FoodTreeModel::TextBytesRole).toByteArray(), sj(QStringLiteral("すき焼き")));
    QVERIFY(food.data(FoodTreeModel::IsFoodRole).toBool());
    // Headings show no value.
    QVERIFY(!heading.data(FoodTreeModel::IsFoodRole).toBool());
    QVERIFY(heading.siblingAtColumn(FoodTreeModel::Calory).data().toString().isEmpty());
    QCOMPARE(model.index(1, FoodTreeModel::Calory).data().toString(), QStringLiteral("-5 kcal"));
    QVERIFY(!model.index(1, FoodTreeModel::ColumnCount).isValid());
}

void TestCalTableViewer::filterKeepsHeadingsOfMatches_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("dictionary"); // the list view, loaded after the filter is set
    QTest::addColumn<QStringList>("shown");
    const QStringList all{"丼物",        "  カツ丼",         "  親子丼",         "麺類",
                          "  うどん",    "    きつねうどん", "    カレーうどん", "  ラーメン",
                          "カレーライス"};
    QTest::newRow("empty") << QString() << false << all;
    QTest::newRow("half-width kana")
        << QStringLiteral("ｶﾂ") << false << QStringList{"丼物", "  カツ丼"};
    QTest::newRow("hiragana for katakana")
        << QStringLiteral("かれー") << false
        << QStringList{"麺類", "  うどん", "    カレーうどん", "カレーライス"};
    QTest::newRow("a heading keeps its foods")
        << QStringLiteral("丼物") << false << QStringList{"丼物", "  カツ丼", "  親子丼"};
    QTest::newRow("nothing") << QStringLiteral("xyz") << false << QStringList();
    QTest::newRow("list view") << QStringLiteral("うどん") << true
                               << QStringList{"カレーうどん", "きつねうどん"};
}

void TestCalTableViewer::filterKeepsHeadingsOfMatches() {
    QFETCH(QString, filter);
    QFETCH(bool, dictionary);
    QFETCH(QStringList, shown);
    const FoodTree tree = FoodTree::parse(sj(QStringLiteral(
        "@丼物\r\n\tカツ丼:893\r\n\t親子丼:731\r\n@麺類\r\n\t@うどん\r\n\t\tきつねうどん:380\r\n"
        "\t\tカレーうどん:450\r\n\tラーメン:500\r\nカレーライス:760")));
    FoodTreeModel model;
    FoodFilterModel filtered(&model);
    QAbstractItemModelTester tester(&filtered,
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTree(tree);
    filtered.setFilterText(filter);
    if (dictionary)
        model.setTree(tree.dictionary());
    QCOMPARE(texts(filtered), shown);
}

void TestCalTableViewer::fileModelPassesTester() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/a/b/c.cal"), "");
    folder.write(QStringLiteral("data/a/d.cal"), "");
    folder.write(QStringLiteral("data/e.cal"), "");
    CalFileTreeModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setTree(CalFileTree::scan(folder.path(QStringLiteral("data"))));
    QCOMPARE(model.rowCount(), 2);
    const QModelIndex a = model.index(0, 0);
    QCOMPARE(a.data().toString(), QStringLiteral("a"));
    QCOMPARE(a.data(CalFileTreeModel::KindRole).toInt(), int(CalFileNode::Kind::Folder));
    QVERIFY(!model.index(0, 1).isValid()); // names only
    const QModelIndex d = model.index(1, 0, a);
    QCOMPARE(d.data(CalFileTreeModel::KindRole).toInt(), int(CalFileNode::Kind::Table));
    QCOMPARE(d.data(CalFileTreeModel::PathRole).toString(),
             folder.path(QStringLiteral("data/a/d.cal")));
    model.setTree({});
}

void TestCalTableViewer::showsTableAndTitle() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    folder.write(QStringLiteral("data/果物.cal"), fruit);
    CalTableViewer viewer(prompt);
    QSignalSpy title(&viewer, &CalTableViewer::titleChanged);
    QSignalSpy loaded(&viewer, &CalTableViewer::loaded);
    const QString path = folder.path(QStringLiteral("data/果物.cal"));
    QVERIFY(viewer.showTable(QStringLiteral("果物"), path));
    QCOMPARE(texts(*viewer.model()), fruitTree);
    QCOMPARE(title.count(), 1);
    QCOMPARE(title.at(0).at(0).toString(), QStringLiteral("果物"));
    QCOMPARE(title.at(0).at(1).toString(), path);
    QCOMPARE(loaded.count(), 1);
    QVERIFY(prompt.asked.isEmpty());

    // An empty table empties the tree; the title still names it.
    folder.write(QStringLiteral("data/空.cal"), "");
    QVERIFY(viewer.showTable(QStringLiteral("空"), folder.path(QStringLiteral("data/空.cal"))));
    QCOMPARE(viewer.model()->rowCount(), 0);
    QCOMPARE(viewer.caption(), QStringLiteral("空"));
}

void TestCalTableViewer::failedLoadKeepsTree_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes"); // written unless the file is to be missing
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text"); // %1 is the path
    QTest::newRow("missing") << QStringLiteral("data/消えた.cal") << QByteArray() << "message"
                             << QStringLiteral("「%1」が見つかりませんでした。");
    QTest::newRow("level error") << QStringLiteral("data/段.cal") << QByteArray("a:1\r\n\t\tb:2")
                                 << "error"
                                 << QStringLiteral("アイテム \"b:2\" の階層 (2) が不正です");
    QTest::newRow("a folder now") << QStringLiteral("data/dir.cal") << QByteArray("dir") << "error"
                                  << QStringLiteral("ファイル %1 は開けません");
    QTest::newRow("a pipe") << QStringLiteral("data/pipe.cal") << QByteArray("pipe") << "error"
                            << QStringLiteral("ファイル %1 は開けません");
}

void TestCalTableViewer::failedLoadKeepsTree() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    folder.write(QStringLiteral("data/果物.cal"), fruit);
    const QString path = folder.path(file);
    if (bytes == "dir") {
        QVERIFY(QDir().mkpath(path));
    } else if (bytes == "pipe") {
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (!bytes.isEmpty()) {
        folder.write(file, bytes);
    }

    CalTableViewer viewer(prompt);
    QVERIFY(viewer.showTable(QStringLiteral("果物"), folder.path(QStringLiteral("data/果物.cal"))));
    QSignalSpy loaded(&viewer, &CalTableViewer::loaded);
    QVERIFY(!viewer.showTable(QStringLiteral("x"), path));
    QCOMPARE(texts(*viewer.model()), fruitTree);
    QCOMPARE(loaded.count(), 0);
    QCOMPARE(viewer.caption(), QStringLiteral("x"));
    QCOMPARE(viewer.path(), path);
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked.at(0).kind, kind);
    QCOMPARE(prompt.asked.at(0).text, text.contains(u"%1") ? text.arg(path) : text);
}

void TestCalTableViewer::folderChangesNothing() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    folder.write(QStringLiteral("data/f/果物.cal"), fruit);
    const CalFileTree files = CalFileTree::scan(folder.path(QStringLiteral("data")));
    CalTableViewer viewer(prompt);
    QSignalSpy title(&viewer, &CalTableViewer::titleChanged);
    QVERIFY(!viewer.showNode(&files.node(0)));
    QVERIFY(!viewer.showNode(nullptr));
    QCOMPARE(title.count(), 0);
    QVERIFY(viewer.showNode(&files.node(1)));
    QCOMPARE(texts(*viewer.model()), fruitTree);
}

void TestCalTableViewer::listViewFollowsLoads() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    folder.write(QStringLiteral("data/果物.cal"), fruit);
    folder.write(QStringLiteral("data/b.cal"), "z:1\r\n@h\r\n y:2");
    CalTableViewer viewer(prompt);
    QSignalSpy view(&viewer, &CalTableViewer::viewChanged);
    QVERIFY(viewer.showTable(QStringLiteral("果物"), folder.path(QStringLiteral("data/果物.cal"))));
    viewer.showDictionary();
    QCOMPARE(texts(*viewer.model()), fruitList);
    QCOMPARE(view.count(), 1);
    viewer.showDictionary(); // already chosen: nothing happens
    QCOMPARE(view.count(), 1);
    QVERIFY(viewer.showTable(QStringLiteral("b"), folder.path(QStringLiteral("data/b.cal"))));
    QCOMPARE(texts(*viewer.model()), (QStringList{"y", "z"}));
    QVERIFY(viewer.isDictionary());
}

void TestCalTableViewer::standardReadsSelectedTableAgain() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    folder.write(QStringLiteral("data/果物.cal"), fruit);
    folder.write(QStringLiteral("data/g/b.cal"), "b:1");
    const CalFileTree files = CalFileTree::scan(folder.path(QStringLiteral("data")));
    const CalFileNode *subfolder = &files.node(0);
    const CalFileNode *table = &files.node(2);
    QCOMPARE(subfolder->name, QStringLiteral("g"));
    QCOMPARE(table->name, QStringLiteral("果物"));
    CalTableViewer viewer(prompt);
    QVERIFY(viewer.showNode(table));
    viewer.showDictionary();
    // With a folder selected the list stays as it is.
    viewer.showStandard(subfolder);
    QVERIFY(!viewer.isDictionary());
    QCOMPARE(texts(*viewer.model()), fruitList);
    viewer.showDictionary();
    viewer.showStandard(table);
    QCOMPARE(texts(*viewer.model()), fruitTree);
    QSignalSpy loaded(&viewer, &CalTableViewer::loaded);
    viewer.showStandard(table); // already chosen: no reload
    QCOMPARE(loaded.count(), 0);
}

void TestCalTableViewer::nutrientsBesideTheTable_data() {
    QTest::addColumn<QByteArray>("nutrients"); // "dir": a folder of that name; empty: no file
    QTest::addColumn<QString>("tip");          // the tool tip of めし after its name
    const QString plain = QStringLiteral("156 kcal");
    // A line of cells joined by 0xFF, as the importer writes them.
    const auto line = [](const QStringList &cells) {
        QByteArrayList bytes;
        for (const QString &cell : cells)
            bytes << sj(cell);
        return bytes.join('\xFF') + "\r\n";
    };
    QTest::newRow("read") << line({QStringLiteral("めし"), "100g", "2.5", "0.3", "37.1", "1.5", "0",
                                   "01088"})
                          << QStringLiteral(
                                 "100 g あたり 156 kcal\nたんぱく質 2.5 g ／ 脂質 0.3 g ／ "
                                 "炭水化物 37.1 g\n食物繊維 1.5 g ／ 食塩相当量 0 g");
    QTest::newRow("unknown values")
        << line({QStringLiteral("めし"), QStringLiteral("1人前"), "", "0.3", "", "", ""})
        << QStringLiteral("1人前あたり 156 kcal\nたんぱく質 − ／ 脂質 0.3 g ／ 炭水化物 −\n"
                          "食物繊維 − ／ 食塩相当量 −");
    QTest::newRow("no file") << QByteArray() << plain;
    QTest::newRow("a folder instead") << QByteArray("dir") << plain;
    QTest::newRow("not a nutrient line") << QByteArray("\x82\xdf\x82\xb5\xff\xff\xff") << plain;
}

void TestCalTableViewer::nutrientsBesideTheTable() {
    QFETCH(QByteArray, nutrients);
    QFETCH(QString, tip);
    const QString plain = QStringLiteral("156 kcal");
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    const QByteArray table = sj(QStringLiteral("@米\r\n\tめし:156\r\n\tかゆ:65\r\n"));
    folder.write(QStringLiteral("data/穀類.cal"), table);
    if (nutrients == "dir")
        QVERIFY(QDir().mkpath(folder.path(QStringLiteral("data/穀類.nutrients"))));
    else if (!nutrients.isEmpty())
        folder.write(QStringLiteral("data/穀類.nutrients"), nutrients);
    CalTableViewer viewer(prompt);
    QVERIFY(viewer.showTable(QStringLiteral("穀類"), folder.path(QStringLiteral("data/穀類.cal"))));
    QVERIFY(prompt.asked.isEmpty()); // a nutrient file is never complained about
    const QModelIndex heading = viewer.model()->index(0, 0);
    const QModelIndex rice = viewer.model()->index(0, 0, heading);
    const QModelIndex gruel = viewer.model()->index(1, 0, heading);
    // The tool tip in lines; the status bar's summary is those lines in one.
    QCOMPARE(rice.data(Qt::ToolTipRole).toString(), QStringLiteral("めし\n") + tip);
    QCOMPARE(rice.data(FoodTreeModel::NutrientSummaryRole).toString(),
             tip == plain ? QString() : QString(tip).replace(u'\n', QStringLiteral(" ／ ")));
    QCOMPARE(gruel.data(Qt::ToolTipRole).toString(), QStringLiteral("かゆ\n65 kcal"));
    QVERIFY(heading.data(FoodTreeModel::NutrientSummaryRole).toString().isEmpty());
    if (nutrients != "dir")
        QCOMPARE(folder.read(QStringLiteral("data/穀類.nutrients")), nutrients);
}

QTEST_GUILESS_MAIN(TestCalTableViewer)
#include "tst_caltableviewer.moc"
