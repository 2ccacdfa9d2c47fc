#include "app/intakelist.h"
#include "app/ui/intakecontroller.h"
#include "app/ui/tmainform.h"
#include "caldata/calfiletreemodel.h"
#include "caldata/foodtreemodel.h"
#include "caldata/ui/caltablecontroller.h"
#include "caldata/ui/tfiles.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/ui/plaintext.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>
#include <QTreeView>

using namespace zk;

namespace {

// The index of the node reached by the names, from the top of a tree.
QModelIndex find(const QAbstractItemModel *model, const QStringList &names) {
    QModelIndex at;
    for (const QString &name : names) {
        const QModelIndexList hit =
            model->match(model->index(0, 0, at), Qt::DisplayRole, name, 1, Qt::MatchExactly);
        if (hit.isEmpty())
            return {};
        at = hit.first();
    }
    return at;
}

QStringList topTexts(const QTreeView *tree) {
    QStringList out;
    for (int r = 0; r < tree->model()->rowCount(); ++r)
        out << tree->model()->index(r, 0).data().toString();
    return out;
}

// A program folder holding a copy of the bundled tables and their nutrients.
void copyBundledTables(const test::TempProgramFolder &folder) {
    const QString source = QStringLiteral(ZENKARTA_SOURCE_DIR "/data/");
    QDirIterator it(source, {QStringLiteral("*.cal"), QStringLiteral("*.nutrients")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        folder.write(QStringLiteral("data/") + path.mid(source.size()), f.readAll());
    }
}

// What a label or tooltip shows of a text: markup is rendered.
QString shown(const QString &text, Qt::TextFormat format = Qt::AutoText) {
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text)))
        return text;
    QTextDocument doc;
    doc.setHtml(text);
    return doc.toPlainText();
}

} // namespace

class TestTFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    }
    void docksLeftFloatsAndComesBack();
    void menuFollowsTheWindow();
    void choosingATableShowsIt();
    void namesShowAsText();
    void listViewAndBack();
    void missingTableKeepsTheTree();
    void addsTheSelectedFood();
};

void TestTFiles::docksLeftFloatsAndComesBack() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TFiles *files = test::child<TFiles>(&form, "Files");
    QCOMPARE(files->windowTitle(), QStringLiteral("ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ"));
    QCOMPARE(form.dockWidgetArea(files), Qt::LeftDockWidgetArea);
    QVERIFY(files->features().testFlag(QDockWidget::DockWidgetFloatable));
    QVERIFY(files->features().testFlag(QDockWidget::DockWidgetClosable));
    // Dragged by its title bar, it floats.
    const QPoint title(20, 5);
    QTest::mousePress(files, Qt::LeftButton, {}, title);
    QTest::mouseMove(files, title + QPoint(40, 40));
    QTest::mouseMove(files, title + QPoint(300, 200));
    QTest::mouseRelease(files, Qt::LeftButton, {}, title + QPoint(300, 200));
    QVERIFY(files->isFloating());
    QVERIFY(files->isVisible());
    files->setFloating(false);
    QVERIFY(!files->isFloating());
    QCOMPARE(form.dockWidgetArea(files), Qt::LeftDockWidgetArea);
}

void TestTFiles::menuFollowsTheWindow() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *mnuCalFiles = test::child<QAction>(&form, "mnuCalFiles");
    auto *Files = test::child<TFiles>(&form, "Files");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(mnuCalFiles->isEnabled());
    QVERIFY(mnuCalFiles->isChecked());
    mnuCalFiles->trigger();
    QVERIFY(!mnuCalFiles->isChecked());
    QVERIFY(Files->isHidden());
    mnuCalFiles->trigger();
    QVERIFY(mnuCalFiles->isChecked());
    QVERIFY(Files->isVisible());
    // The close box hides the window and clears the check mark.
    Files->close();
    QVERIFY(Files->isHidden());
    QVERIFY(!mnuCalFiles->isChecked());
    mnuCalFiles->trigger();
    QVERIFY(Files->isVisible());
    // Closed while floating, it comes back floating and can dock again.
    Files->setFloating(true);
    Files->close();
    QVERIFY(!mnuCalFiles->isChecked());
    mnuCalFiles->trigger();
    QVERIFY(Files->isVisible());
    Files->setFloating(false);
    QCOMPARE(form.dockWidgetArea(Files), Qt::LeftDockWidgetArea);
}

void TestTFiles::choosingATableShowsIt() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    copyBundledTables(folder);
    TMainForm form;
    auto *pnlTitle = test::child<QLabel>(&form, "pnlTitle");
    auto *trvCal = test::child<QTreeView>(&form, "trvCal");
    QTreeView *trvFile = test::child<QTreeView>(&form, "trvFile");
    // The tree is expanded, folders first by name as the collation orders them.
    const QModelIndex folderNode = find(trvFile->model(), {QStringLiteral("主食")});
    QVERIFY(folderNode.isValid());
    QVERIFY(trvFile->isExpanded(folderNode));
    QVERIFY(!trvFile->model()->index(0, 0).data(Qt::DecorationRole).isNull());

    // A folder changes nothing.
    trvFile->setCurrentIndex(folderNode);
    QCOMPARE(pnlTitle->text(), QString());
    QCOMPARE(trvCal->model()->rowCount(), 0);

    const QModelIndex table =
        find(trvFile->model(), {QStringLiteral("主食"), QStringLiteral("麺類")});
    trvFile->setCurrentIndex(table);
    QCOMPARE(pnlTitle->text(), QStringLiteral("麺類"));
    QCOMPARE(pnlTitle->toolTip(), plainToolTip(folder.path(QStringLiteral("data/主食/麺類.cal"))));
    // A screen reader is told the path, not the tooltip's markup.
    QCOMPARE(QAccessible::queryAccessibleInterface(pnlTitle)->text(QAccessible::Description),
             folder.path(QStringLiteral("data/主食/麺類.cal")));
    const QStringList headings = topTexts(trvCal);
    QCOMPARE(headings.first(), QStringLiteral("うどん"));
    QVERIFY(headings.contains(QStringLiteral("パスタ")));
    const QModelIndex udon = trvCal->model()->index(0, 0);
    QVERIFY(trvCal->isExpanded(udon));
    const QModelIndex first = trvCal->model()->index(0, 0, udon);
    QCOMPARE(first.data().toString(), QStringLiteral("うどん ゆで 1玉(250g)"));
    QCOMPARE(first.siblingAtColumn(FoodTreeModel::Calory).data().toString(),
             QStringLiteral("238 kcal"));

    // A food of the food composition table: its nutrients in the tooltip and,
    // once selected, in the status bar; the filter keeps it under its headings.
    trvFile->setCurrentIndex(
        find(trvFile->model(), {QStringLiteral("日本食品標準成分表2020"), QStringLiteral("穀類")}));
    const QStringList rice{QStringLiteral("こめ"), QStringLiteral("［水稲めし］"),
                           QStringLiteral("こめ ［水稲めし］ 精白米 うるち米")};
    const QString summary = QStringLiteral("100 g あたり 156 kcal ／ たんぱく質 2.5 g ／ 脂質 0.3 "
                                           "g ／ 炭水化物 37.1 g ／ 食物繊維 1.5 g ／ "
                                           "食塩相当量 0 g");
    QModelIndex food = find(trvCal->model(), rice);
    QCOMPARE(food.data(Qt::ToolTipRole).toString(),
             rice.last() +
                 QStringLiteral("\n100 g あたり 156 kcal\nたんぱく質 2.5 g ／ 脂質 0.3 g ／ "
                                "炭水化物 37.1 g\n食物繊維 1.5 g ／ 食塩相当量 0 g"));
    trvCal->setCurrentIndex(food);
    QCOMPARE(form.statusBar()->currentMessage(), summary);
    trvCal->setCurrentIndex(trvCal->model()->index(0, 0)); // a heading
    QCOMPARE(form.statusBar()->currentMessage(), QString());
    test::child<QLineEdit>(&form, "txtFilter")->setText(QStringLiteral("うるち米"));
    QVERIFY(find(trvCal->model(), rice).isValid());
    QVERIFY(prompt.asked.isEmpty());
}

void TestTFiles::namesShowAsText() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    // A long name, to show that a line of a tooltip does not wrap either.
    const QString name =
        QStringLiteral("<img src=x> 日本食品標準成分表の食品の長い名前 うるち米 もち米");
    folder.write(QStringLiteral("data/<b>x<b>.cal"), "@h\r\n\t" + sjis::encode(name) + ":12\r\n");
    TMainForm form;
    auto *pnlTitle = test::child<QLabel>(&form, "pnlTitle");
    auto *trvCal = test::child<QTreeView>(&form, "trvCal");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTreeView *trvFile = test::child<QTreeView>(&form, "trvFile");
    trvFile->setCurrentIndex(find(trvFile->model(), {QStringLiteral("<b>x<b>")}));
    QCOMPARE(shown(pnlTitle->text(), pnlTitle->textFormat()), QStringLiteral("<b>x<b>"));
    QCOMPARE(shown(pnlTitle->toolTip()), folder.path(QStringLiteral("data/<b>x<b>.cal")));
    // The food's tooltip in the tree, as the tree shows it under the mouse.
    const QModelIndex food = trvCal->model()->index(0, 0, trvCal->model()->index(0, 0));
    const QPoint at = trvCal->visualRect(food).center();
    QHelpEvent help(QEvent::ToolTip, at, trvCal->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(trvCal->viewport(), &help);
    QCOMPARE(shown(QToolTip::text()), name + QStringLiteral("\n12 kcal"));
    QLabel *tip = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == u"qtooltip_label")
            tip = qobject_cast<QLabel *>(w);
    }
    QVERIFY(tip);
    QVERIFY(tip->sizeHint().height() < 3 * tip->fontMetrics().lineSpacing()); // two lines
}

void TestTFiles::listViewAndBack() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("data/菓子.cal"),
                 sjis::encode(QStringLiteral("@和菓子\r\n\tようかん:145\r\n\tあられ:113\r\n"
                                             "@洋菓子\r\n\tプリン:116\r\n\tクッキー:102\r\n")));
    folder.write(QStringLiteral("data/飲み物.cal"),
                 sjis::encode(QStringLiteral("麦茶:2\r\nコーラ:170")));
    TMainForm form;
    auto *mnuDictionary = test::child<QAction>(&form, "mnuDictionary");
    auto *mnuStandard = test::child<QAction>(&form, "mnuStandard");
    auto *trvCal = test::child<QTreeView>(&form, "trvCal");
    QTreeView *trvFile = test::child<QTreeView>(&form, "trvFile");
    trvFile->setCurrentIndex(find(trvFile->model(), {QStringLiteral("菓子")}));
    mnuDictionary->trigger();
    QVERIFY(mnuDictionary->isChecked());
    QVERIFY(!mnuStandard->isChecked());
    QCOMPARE(topTexts(trvCal), (QStringList{QStringLiteral("あられ"), QStringLiteral("クッキー"),
                                            QStringLiteral("プリン"), QStringLiteral("ようかん")}));
    // The list view stays chosen for the next table.
    trvFile->setCurrentIndex(find(trvFile->model(), {QStringLiteral("飲み物")}));
    QCOMPARE(topTexts(trvCal), (QStringList{QStringLiteral("コーラ"), QStringLiteral("麦茶")}));
    trvFile->setCurrentIndex(find(trvFile->model(), {QStringLiteral("菓子")}));
    mnuStandard->trigger();
    QVERIFY(mnuStandard->isChecked());
    QCOMPARE(topTexts(trvCal), (QStringList{QStringLiteral("和菓子"), QStringLiteral("洋菓子")}));
}

void TestTFiles::missingTableKeepsTheTree() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("data/a.cal"), "@x\r\n\ty:1\r\n");
    folder.write(QStringLiteral("data/b.cal"), "z:2\r\n");
    TMainForm form;
    QTreeView *trvFile = test::child<QTreeView>(&form, "trvFile");
    trvFile->setCurrentIndex(find(trvFile->model(), {QStringLiteral("a")}));
    QVERIFY(QFile::remove(folder.path(QStringLiteral("data/b.cal"))));
    trvFile->setCurrentIndex(find(trvFile->model(), {QStringLiteral("b")}));
    QCOMPARE(prompt.texts(), (QStringList{QStringLiteral("「%1」が見つかりませんでした。")
                                              .arg(folder.path(QStringLiteral("data/b.cal")))}));
    QCOMPARE(test::child<QLabel>(&form, "pnlTitle")->text(), QStringLiteral("b"));
    QCOMPARE(topTexts(test::child<QTreeView>(&form, "trvCal")), (QStringList{"x"}));
}

void TestTFiles::addsTheSelectedFood() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("data/a.cal"), "@x\r\n\ty:1200\r\n");
    TMainForm form;
    auto *trvCal = test::child<QTreeView>(&form, "trvCal");
    auto *mnuAddList = test::child<QAction>(&form, "mnuAddList");
    QTreeView *trvFile = test::child<QTreeView>(&form, "trvFile");
    trvFile->setCurrentIndex(find(trvFile->model(), {QStringLiteral("a")}));
    // A heading is not a food: nothing is added.
    trvCal->setCurrentIndex(trvCal->model()->index(0, 0));
    mnuAddList->trigger();
    QCOMPARE(form.intake().list().model()->rowCount(), 0);
    trvCal->setCurrentIndex(trvCal->model()->index(0, 0, trvCal->model()->index(0, 0)));
    mnuAddList->trigger();
    QCOMPARE(form.intake().list().model()->rowCount(), 1);
    // Return in the tree adds as a double-click does.
    test::child<QAction>(&form, "mnuArrowDup")->trigger();
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    trvCal->setFocus();
    QTest::keyClick(trvCal, Qt::Key_Return);
    QCOMPARE(form.intake().list().model()->rowCount(), 2);
}

QTEST_MAIN(TestTFiles)
#include "tst_tfiles.moc"
