#include "app/ui/intakecontroller.h"
#include "app/ui/tmainform.h"
#include "app/ui/treport.h"
#include "app/ui/trestore.h"
#include "caldata/ui/tcaleditor.h"
#include "caldata/ui/tfiles.h"
#include "caldata/ui/tfinder.h"
#include "common/backups.h"
#include "common/csv.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/ui/fonts.h"
#include "common/ui/viewitemdelegate.h"
#include "records/intakediary.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSpinBox>

#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <memory>

#include <functional>

using namespace zk;

class TestMainForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void menuStructure();
    void toolBar();
    void radioGroupsAreSeparate();
    void findTopMostKeepsItsMark();
    void everyCommandIsEnabled();
    void totalBarFollowsTheList();
    void deleteKeyAsksForTwoRows();
    void amountsAndBalance();
    void doubleClickDeletesAndWidthsFollow();
    void controlsHaveAccessibleNames();
    void searchWindowOpensOverTheMainWindow();
    void diaryKeepsEachDaysList();
    void intakeCsv();
    void restoreBringsBackADay();
    void midnightNewsGoesWithTheDay();
    void filterNarrowsTheFoodTree();
    void myMenusAndFrequentFoods();
    void reportWindow();
    void rowsShowWholeGlyphs_data();
    void rowsShowWholeGlyphs();

private:
    // Whatever the windows read or write stays in a folder of this suite's own.
    test::TempProgramFolder m_folder;
};

namespace {

const QDate today(2026, 12, 8);

// "caption|shortcut" for every item of a menu; "-" for a separator, ">" + title for a submenu.
QStringList items(const QMenu *menu) {
    QStringList out;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            out.append(QStringLiteral("-"));
        else if (a->menu())
            out.append(u'>' + a->text());
        else
            out.append(a->text() + u'|' + a->shortcut().toString());
    }
    return out;
}

// The first and last pixel rows of an image that hold dark ink.
std::pair<int, int> inkRows(const QImage &image) {
    std::pair<int, int> rows{-1, -1};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                rows.second = y;
                if (rows.first < 0)
                    rows.first = y;
                break;
            }
    return rows;
}

} // namespace

void TestMainForm::initTestCase() {
    Regional regional(QLocale(QLocale::Japanese, QLocale::Japan));
    regional.setToday([] { return today; });
    Regional::setCurrent(regional);
    installFontSubstitutions();
}

// Every test starts without a food diary.
void TestMainForm::init() {
    QDir(m_folder.path(QStringLiteral("record/intake"))).removeRecursively();
    QFile::remove(m_folder.path(QStringLiteral("setting/intake.ini")));
}

void TestMainForm::menuStructure() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Zenkarta"));
    QList<QMenu *> menus;
    QStringList titles;
    for (QAction *a : form.menuBar()->actions()) {
        menus.append(a->menu());
        titles.append(a->text());
    }
    QCOMPARE(titles, (QStringList{"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "検索(&F)", "ｲﾝﾀｰﾈｯﾄ(&I)",
                                  "ﾍﾙﾌﾟ(&H)"}));
    QCOMPARE(items(menus[0]),
             (QStringList{"ｶﾛﾘｰﾃﾞｰﾀｴﾃﾞｨﾀを起動(&C)|Ctrl+E", "-", "日々の記録を付ける(&R)|Ctrl+R",
                          "ｸﾞﾗﾌ解析(&G)|Ctrl+G", "ﾚﾎﾟｰﾄ(&T)|", "摂取記録をCSVで保存...|", "-",
                          "ﾊﾞｯｸｱｯﾌﾟから復元...|", "-", "終了(&E)|"}));
    QCOMPARE(items(menus[1]),
             (QStringList{"ﾘｽﾄにﾃﾞｰﾀを追加(&A)|Ctrl+A", "ﾘｽﾄからﾃﾞｰﾀを削除(&D)|Del",
                          "ﾘｽﾄからﾃﾞｰﾀを全削除(&K)|Ctrl+Del", "-", "Myﾒﾆｭｰとして登録...|", "-",
                          "ﾘｽﾄの重複を許可する(&X)|", "ﾘｽﾄの重複を許可しない(&Y)|",
                          "ﾘｽﾄの重複時にはﾀﾞｲｱﾛｸﾞで確認(&Z)|", "-", "ﾘｽﾄを日付ごとに記録する(&M)|",
                          "-", "詳細設定(&S)|Ctrl+S"}));
    QCOMPARE(items(menus[2]),
             (QStringList{"ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ(&F)|", "-", ">ｶﾛﾘｰﾘｽﾄ(&L)", "-", "栄養素を表示|"}));
    QCOMPARE(items(menus[2]->actions().at(2)->menu()), (QStringList{"標準|", "一覧|"}));
    QCOMPARE(items(menus[3]),
             (QStringList{"ﾃﾞｰﾀ検索(&F)|Ctrl+F", "ﾃﾞｰﾀ検索ｳｨﾝﾄﾞｳは常に前面表示(&P)|Ctrl+Shift+F"}));
    QCOMPARE(items(menus[4]).mid(0, 2), (QStringList{"ｲﾝﾀｰﾈｯﾄｻｲﾄの編集(&E)|", "-"}));
    QCOMPARE(items(menus[5]), (QStringList{"ﾍﾙﾌﾟ(&H)|Ctrl+H", "-", "このｿﾌﾄについて(&A)|"}));
    QCOMPARE(items(test::child<QMenu>(&form, "popMyCal")),
             (QStringList{"今日のﾘｽﾄにｺﾋﾟｰ|", "別の日にｺﾋﾟｰ...|", "-", "Myﾒﾆｭｰとして登録...|", "-",
                          "量を変更...|", "-", "削除|Del", "-", "ﾘｽﾄをすべて削除|"}));

    QVERIFY(test::child<QAction>(&form, "mnuConfirmDup")->isChecked());
    QVERIFY(!test::child<QAction>(&form, "mnuArrowDup")->isChecked() &&
            !test::child<QAction>(&form, "mnuBanDup")->isChecked());
    QVERIFY(test::child<QAction>(&form, "mnuCalFiles")->isChecked() &&
            test::child<QAction>(&form, "mnuStandard")->isChecked());
    QVERIFY(test::child<QAction>(&form, "mnuFindTopMost")->isChecked());
    QVERIFY(test::child<QAction>(&form, "mnuIntakeDiary")->isChecked());
}

void TestMainForm::toolBar() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *tbtMain = test::child<QToolBar>(&form, "tbtMain");
    QStringList captions;
    for (QAction *a : tbtMain->actions()) {
        if (a->isSeparator())
            captions.append(QStringLiteral("-"));
        else if (auto *w = qobject_cast<QToolButton *>(tbtMain->widgetForAction(a)))
            captions.append(w->text());
    }
    QCOMPARE(captions, (QStringList{"日々の記録", "ｸﾞﾗﾌ", "ﾚﾎﾟｰﾄ", "-", "ﾃﾞｰﾀ検索", "-", "詳細設定",
                                    "-", "ｲﾝﾀｰﾈｯﾄ", "-", "ﾍﾙﾌﾟ"}));
    QCOMPARE(tbtMain->iconSize(), QSize(32, 32));
    QCOMPARE(items(test::child<QMenu>(&form, "btnWebMenu")).mid(0, 2),
             (QStringList{"ｲﾝﾀｰﾈｯﾄｻｲﾄの編集|", "-"}));
    QVERIFY(!test::child<QAction>(&form, "btnData")->icon().isNull());
    QCOMPARE(test::child<QComboBox>(&form, "cmbLimit")->currentText(),
             QStringLiteral("1日の基準 : 2500 kcal"));
}

void TestMainForm::radioGroupsAreSeparate() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *mnuBanDup = test::child<QAction>(&form, "mnuBanDup");
    mnuBanDup->trigger();
    QVERIFY(mnuBanDup->isChecked());
    QVERIFY(!test::child<QAction>(&form, "mnuConfirmDup")->isChecked() &&
            !test::child<QAction>(&form, "mnuArrowDup")->isChecked());
    // The other group keeps its mark; clicking the checked item changes nothing.
    QVERIFY(test::child<QAction>(&form, "mnuStandard")->isChecked());
    mnuBanDup->trigger();
    QVERIFY(mnuBanDup->isChecked());
}

void TestMainForm::findTopMostKeepsItsMark() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *mnuFindTopMost = test::child<QAction>(&form, "mnuFindTopMost");
    mnuFindTopMost->setEnabled(true);
    mnuFindTopMost->trigger();
    QVERIFY(mnuFindTopMost->isChecked());
}

void TestMainForm::everyCommandIsEnabled() {
    test::ScriptedWindowPrompt prompt;
    // A day in the food diary, so that its export is offered too.
    SaveIntakeDay(today.addDays(-1), {{"a", "", "1 kcal"}});
    TMainForm form;
    QStringList disabled;
    for (QAction *a : form.findChildren<QAction *>())
        if (!a->isEnabled() && !a->objectName().isEmpty())
            disabled.append(a->objectName());
    disabled.sort();
    // Saving a menu waits for rows to be selected.
    QCOMPARE(disabled, QStringList{"mnuMyMenu"});
}

void TestMainForm::totalBarFollowsTheList() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *lblTotalCal = test::child<QLabel>(&form, "lblTotalCal");
    auto *ggCal = test::child<QProgressBar>(&form, "ggCal");
    auto *mnuAddList = test::child<QAction>(&form, "mnuAddList");
    auto *lsvCal = test::child<QTreeView>(&form, "lsvCal");
    QCOMPARE(lblTotalCal->text(), QString());
    QCOMPARE(ggCal->value(), 0);
    std::optional<FoodPick> pick = FoodPick::of("\x82\xb2\x94\xd1", 1300);
    form.intake().setFoodSource([&] { return pick; });
    test::child<QLabel>(&form, "pnlTitle")->setText(QStringLiteral("主食"));
    mnuAddList->trigger();
    QCOMPARE(lsvCal->model()->rowCount(), 1);
    QCOMPARE(lblTotalCal->text(), QStringLiteral("総取得ｶﾛﾘｰ : 1,300 kcal／2,500 kcal"));
    QCOMPARE(ggCal->maximum(), 2500);
    QCOMPARE(ggCal->value(), 1300);
    QCOMPARE(ggCal->text(), QStringLiteral("52%"));
    QCOMPARE(ggCal->palette().color(QPalette::Highlight), QColor(0, 0, 128));

    prompt.answers = {Prompt::Answer::Cancel};
    mnuAddList->trigger(); // the same food again asks
    QCOMPARE(prompt.texts(),
             QStringList{"「ご飯」（主食）は既にリストにありますが、追加しますか？"});
    QCOMPARE(lsvCal->model()->rowCount(), 1);

    pick.reset(); // a category or nothing selected adds nothing
    mnuAddList->trigger();
    QCOMPARE(lsvCal->model()->rowCount(), 1);
}

void TestMainForm::deleteKeyAsksForTwoRows() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *mnuAddList = test::child<QAction>(&form, "mnuAddList");
    auto *lsvCal = test::child<QTreeView>(&form, "lsvCal");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    std::optional<FoodPick> pick = FoodPick::of("a", 100);
    form.intake().setFoodSource([&] { return pick; });
    test::child<QAction>(&form, "mnuArrowDup")->trigger();
    mnuAddList->trigger();
    mnuAddList->trigger();
    lsvCal->setFocus();
    lsvCal->selectAll();
    prompt.answers = {Prompt::Answer::Cancel};
    QTest::keyClick(lsvCal, Qt::Key_Delete);
    QCOMPARE(prompt.texts(), QStringList{"この2個のデータを削除しても構わないでしょうか？"});
    QCOMPARE(lsvCal->model()->rowCount(), 2);
    prompt.answers = {Prompt::Answer::Yes};
    QTest::keyClick(lsvCal, Qt::Key_Delete);
    QCOMPARE(lsvCal->model()->rowCount(), 0);
    QCOMPARE(test::child<QLabel>(&form, "lblTotalCal")->text(), QString());
}

// F2 edits the amount in place (Enter confirms, Esc cancels), + and - step
// it, the context menu takes a number typed; the bar shows the balance, and
// the nutrients hide and stay hidden.
void TestMainForm::amountsAndBalance() {
    test::ScriptedWindowPrompt prompt;
    const QString day = IntakeDayPath(Regional::current().today());
    QFile::remove(day);
    const auto cleanup = qScopeGuard([&] { QFile::remove(day); });
    auto form = std::make_unique<TMainForm>();
    auto *lsvCal = test::child<QTreeView>(form.get(), "lsvCal");
    auto *lblBalance = test::child<QLabel>(form.get(), "lblBalance");
    form->show();
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    Nutrients rice;
    rice.grams = 100;
    rice.values = {2.5, 0.3, 37.1, 1.5, 0.0};
    std::optional<FoodPick> pick = FoodPick::of("rice", 156, &rice);
    form->intake().setFoodSource([&] { return pick; });
    test::child<QAction>(form.get(), "mnuAddList")->trigger();
    pick = FoodPick::of("dish", 600);
    test::child<QAction>(form.get(), "mnuAddList")->trigger();
    QAbstractItemModel *model = lsvCal->model();
    const auto row = [model](int r) {
        QStringList out;
        for (int c = 2; c < model->columnCount(); ++c)
            out.append(model->index(r, c).data().toString());
        return out;
    };
    lsvCal->setFocus();
    lsvCal->setCurrentIndex(model->index(0, 0));
    for (const auto &[key, shown] :
         {std::pair{Qt::Key_Escape, QStringLiteral("100 g")}, {Qt::Key_Return, "150 g"}}) {
        QTest::keyClick(lsvCal, Qt::Key_F2);
        const QPointer editor = lsvCal->findChild<QSpinBox *>(QStringLiteral("spnAmount"));
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("150"));
        QTest::keyClick(editor, key);
        QTRY_VERIFY(!editor); // closed either way
        QCOMPARE(model->index(0, 3).data().toString(), shown);
    }
    QCOMPARE(row(0), (QStringList{"234 kcal", "150 g", "3.8", "0.5", "55.7", "0.0"}));
    QCOMPARE(lblBalance->accessibleDescription(),
             QStringLiteral("P 3.8 g  F 0.5 g  C 55.7 g  塩分 0.0 g。"
                            "PFCバランス P 6% 目標より少ない、F 2% 目標より少ない、"
                            "C 92% 目標より多い。栄養素のない食品 1件"));
    test::child<QAction>(form.get(), "mnuMyAmount")->trigger(); // cancelled
    QCOMPARE(prompt.textOffered, QStringLiteral("150"));
    lsvCal->selectAll();
    QTest::keyClick(lsvCal, Qt::Key_Plus);
    QCOMPARE(row(1).mid(0, 2), (QStringList{"750 kcal", "1.25人前"}));
    prompt.answerText = [](const QString &) { return std::optional(QStringLiteral("2")); };
    test::child<QAction>(form.get(), "mnuMyAmount")->trigger();
    QCOMPARE(row(0).mid(0, 2), (QStringList{"3 kcal", "2 g"}));
    QCOMPARE(row(1).mid(0, 2), (QStringList{"1,200 kcal", "2人前"}));

    test::child<QAction>(form.get(), "mnuShowNutrients")->trigger();
    QVERIFY(lsvCal->isColumnHidden(4) && !lblBalance->isVisible());
    form.reset();
    TMainForm again;
    QVERIFY(!test::child<QAction>(&again, "mnuShowNutrients")->isChecked());
    test::child<QAction>(&again, "mnuShowNutrients")->trigger();
}

void TestMainForm::controlsHaveAccessibleNames() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *pnlTitle = test::child<QLabel>(&form, "pnlTitle");
    pnlTitle->setText(QStringLiteral("麺類"));
    auto name = [](QWidget *w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    for (const char *control : {"txtFilter", "trvCal", "lsvCal", "ggCal", "cmbLimit", "pnlTitle",
                                "dtpDay", "btnPrevDay", "btnNextDay", "btnToday", "lblBalance"})
        QVERIFY2(!name(test::child<QWidget>(&form, control)).isEmpty(), control);
    // The title is read as it is shown: the table's name.
    QCOMPARE(name(pnlTitle), QStringLiteral("麺類"));
}

void TestMainForm::doubleClickDeletesAndWidthsFollow() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *lblTotalCal = test::child<QLabel>(&form, "lblTotalCal");
    auto *cmbLimit = test::child<QComboBox>(&form, "cmbLimit");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    std::optional<FoodPick> pick;
    form.intake().setFoodSource([&] { return pick; });
    test::child<QAction>(&form, "mnuArrowDup")->trigger();
    for (int calory : {100, 200, 300}) {
        pick = FoodPick::of(QByteArray::number(calory), calory);
        test::child<QAction>(&form, "mnuAddList")->trigger();
    }
    QTreeView *list = test::child<QTreeView>(&form, "lsvCal");
    QAbstractItemModel *model = list->model();
    // What a double-click sends: press, release, double-click, release.
    auto doubleClick = [list](QPoint at) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    };
    doubleClick(list->visualRect(model->index(1, 0)).center());
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("300"));
    QCOMPARE(lblTotalCal->text(), QStringLiteral("総取得ｶﾛﾘｰ : 400 kcal／2,500 kcal"));
    // Below the rows nothing is selected: the total is only recomputed.
    cmbLimit->addItem(QStringLiteral("減量 : 1000 kcal"));
    cmbLimit->setCurrentIndex(cmbLimit->count() - 1);
    doubleClick(QPoint(10, list->viewport()->height() - 5));
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(lblTotalCal->text(), QStringLiteral("総取得ｶﾛﾘｰ : 400 kcal／1,000 kcal"));

    // Beside the amount and nutrient columns, the three of every food list
    // share the width 4 : 3 : rest in ninths, at every width.
    auto widths = [list] {
        return QList<int>{list->header()->sectionSize(0), list->header()->sectionSize(1),
                          list->header()->sectionSize(2)};
    };
    auto expected = [list] {
        int fixed = 0;
        for (int c = 3; c < list->header()->count(); ++c)
            fixed += list->header()->sectionSize(c);
        const int w = list->width() - fixed - 20, u = w / 9;
        return QList<int>{4 * u, 3 * u, w - 7 * u};
    };
    for (const QSize size : {QSize(1400, 700), QSize(1100, 500)}) {
        form.resize(size);
        QTRY_COMPARE(widths(), expected());
    }
    auto *splitter = test::child<QSplitter>(&form, "Splitter1");
    splitter->setSizes({100, 800});
    QTRY_COMPARE(widths(), expected());
}

void TestMainForm::searchWindowOpensOverTheMainWindow() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *mnuFind = test::child<QAction>(&form, "mnuFind");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *finder = form.findChild<TFinder *>();
    QVERIFY(finder);
    mnuFind->trigger();
    QVERIFY(finder->isVisible());
    const QPoint offset = finder->frameGeometry().center() - form.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 8,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    finder->move(10, 10); // where the user put it stays on the next showing
    finder->hide();
    mnuFind->trigger();
    QCOMPARE(finder->pos(), QPoint(10, 10));
}

// Offered once the diary has a day; the range is preset to the days there are.
void TestMainForm::intakeCsv() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    QMenu *file = form.menuBar()->actions().first()->menu();
    auto *mnuIntakeCsv = test::child<QAction>(&form, "mnuIntakeCsv");
    Q_EMIT file->aboutToShow();
    QVERIFY(!mnuIntakeCsv->isVisible());
    SaveIntakeDay(QDate(2026, 12, 1), {{"rice", "", "252 kcal"}});
    SaveIntakeDay(today, {{"a,b", "x", "-50 kcal"}});
    SaveIntakeDay(QDate(2026, 11, 30), {{"old", "", "1 kcal"}});
    Q_EMIT file->aboutToShow();
    QVERIFY(mnuIntakeCsv->isVisible());

    QList<QDate> preset;
    QString title;
    prompt.answerDialog = [&](QDialog &dialog) {
        auto *dtpFrom = test::child<QDateEdit>(&dialog, "dtpFrom");
        preset = {dtpFrom->date(), test::child<QDateEdit>(&dialog, "dtpTo")->date()};
        title = dialog.windowTitle();
        dtpFrom->setDate(QDate(2026, 12, 1));
        dialog.accept();
        return dialog.result();
    };
    QString suggested;
    prompt.answerSaveFile = [&](const QString &name) {
        suggested = name;
        return std::optional(m_folder.path(QStringLiteral("out/intake.csv")));
    };
    mnuIntakeCsv->trigger();
    QCOMPARE(title, QStringLiteral("摂取記録をCSVで保存"));
    QCOMPARE(preset, (QList<QDate>{QDate(2026, 11, 30), today}));
    QCOMPARE(suggested, QStringLiteral("摂取記録.csv"));
    QCOMPARE(m_folder.read(QStringLiteral("out/intake.csv")),
             "\xEF\xBB\xBF" +
                 QStringLiteral("日付,食品,表,kcal,量,たんぱく質(g),脂質(g),炭水化物(g),"
                                "食塩相当量(g)\r\n2026/12/01,rice,,252,1人前,,,,\r\n"
                                "2026/12/08,\"a,b\",x,-50,1人前,,,,\r\n")
                     .toUtf8());
    QVERIFY(prompt.asked.isEmpty());
}

// Typing narrows the tree at once, Down and Return add the first match with
// the table's name, and Esc brings the whole table back.
void TestMainForm::filterNarrowsTheFoodTree() {
    test::ScriptedWindowPrompt prompt;
    m_folder.write(QStringLiteral("data/定食.cal"),
                   sjis::encode(QStringLiteral("@丼\r\n\t親子丼:731\r\n\tカツ丼:893\r\n"
                                               "@麺\r\n\tかけうどん:300\r\n")));
    const auto removeTable =
        qScopeGuard([this] { QFile::remove(m_folder.path(QStringLiteral("data/定食.cal"))); });
    TMainForm form;
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *txtFilter = test::child<QLineEdit>(&form, "txtFilter");
    auto *trvCal = test::child<QTreeView>(&form, "trvCal");
    auto *trvFile = test::child<QTreeView>(&form, "trvFile");
    trvFile->setCurrentIndex(trvFile->model()->index(1, 0)); // below よく食べる食品
    const auto shown = [trvCal] {
        QStringList out;
        const std::function<void(const QModelIndex &)> walk = [&](const QModelIndex &parent) {
            for (int r = 0; r < trvCal->model()->rowCount(parent); ++r) {
                const QModelIndex i = trvCal->model()->index(r, 0, parent);
                out << (trvCal->isExpanded(i) ? u'+' : u' ') + i.data().toString();
                walk(i);
            }
        };
        walk({});
        return out;
    };
    const QStringList all{"+丼", " 親子丼", " カツ丼", "+麺", " かけうどん"};
    QCOMPARE(shown(), all);

    QTest::keyClick(&form, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), txtFilter);
    // Kana as an input method commits them, one character at a time.
    const auto type = [](QWidget *box, const QString &text) {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, c, Qt::NoModifier);
    };
    type(txtFilter, QStringLiteral("ｶﾂ"));
    QCOMPARE(shown(), (QStringList{"+丼", " カツ丼"}));
    QTest::keyClick(txtFilter, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), trvCal);
    QTest::keyClick(trvCal, Qt::Key_Return);
    QAbstractItemModel *list = test::child<QTreeView>(&form, "lsvCal")->model();
    QCOMPARE(list->rowCount(), 1);
    QCOMPARE(list->index(0, 0).data().toString(), QStringLiteral("カツ丼"));
    QCOMPARE(list->index(0, 1).data().toString(), QStringLiteral("定食"));

    QTest::keyClick(&form, Qt::Key_L, Qt::ControlModifier);
    QTest::keyClick(txtFilter, Qt::Key_Escape);
    QCOMPARE(txtFilter->text(), QString());
    QCOMPARE(shown(), all);
    QCOMPARE(trvCal->currentIndex().data().toString(), QStringLiteral("カツ丼"));
    // The list view filters the same way.
    test::child<QAction>(&form, "mnuDictionary")->trigger();
    type(txtFilter, QStringLiteral("ドン"));
    QCOMPARE(shown(), (QStringList{" かけうどん"}));
    QVERIFY(prompt.asked.isEmpty());
}

void TestMainForm::diaryKeepsEachDaysList() {
    test::ScriptedWindowPrompt prompt;
    std::optional<FoodPick> pick;
    const auto add = [&pick](TMainForm &form, const QByteArray &name, int calory) {
        pick = FoodPick::of(name, calory);
        form.intake().setFoodSource([&pick] { return pick; });
        test::child<QLabel>(&form, "pnlTitle")->setText(QStringLiteral("主食"));
        test::child<QAction>(&form, "mnuAddList")->trigger();
    };
    const QString dayFile = QStringLiteral("record/intake/2026-12-08.dat");
    {
        TMainForm form;
        add(form, "\x82\xb2\x94\xd1", 1300); // ご飯
        add(form, "\x83\x8c", 12);
        form.close();
    }
    QCOMPARE(m_folder.read(dayFile), QByteArray("\x82\xb2\x94\xd1\xff\x8e\xe5\x90\x48\xff"
                                                "1,300 kcal\r\n"
                                                "\x83\x8c\xff\x8e\xe5\x90\x48\xff"
                                                "12 kcal\r\n"));

    TMainForm form; // started again: the day's list and total are back
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *lsvCal = test::child<QTreeView>(&form, "lsvCal");
    auto *lblTotalCal = test::child<QLabel>(&form, "lblTotalCal");
    auto *dtpDay = test::child<QDateEdit>(&form, "dtpDay");
    QCOMPARE(lsvCal->model()->rowCount(), 2);
    QCOMPARE(lblTotalCal->text(), QStringLiteral("総取得ｶﾛﾘｰ : 1,312 kcal／2,500 kcal"));
    QCOMPARE(dtpDay->date(), today);
    QCOMPARE(dtpDay->displayFormat(), QStringLiteral("yyyy/MM/dd"));

    QTest::keyClick(lsvCal, Qt::Key_Left, Qt::AltModifier); // the day before
    QCOMPARE(dtpDay->date(), today.addDays(-1));
    QCOMPARE(lsvCal->model()->rowCount(), 0);
    QCOMPARE(lblTotalCal->text(), QString());
    add(form, "a", 5);
    QVERIFY(m_folder.exists(QStringLiteral("record/intake/2026-12-07.dat")));
    // Rows found by the search join as one change of the list, written once.
    QSignalSpy changes(&form.intake().list(), &IntakeList::rowsChanged);
    const auto found = [](const char *name) {
        return CalorieRow{name, QStringLiteral("t"), {}, 2, {}, {}};
    };
    form.intake().addFoods({found("c"), found("d"), found("e")});
    QCOMPARE(changes.size(), 1);
    QCOMPARE(LoadIntakeDay(today.addDays(-1)).size(), 4);
    QTest::keyClick(lsvCal, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(lsvCal->model()->rowCount(), 2);
    test::child<QToolButton>(&form, "btnPrevDay")->click();
    QCOMPARE(lsvCal->model()->rowCount(), 4);
    test::child<QToolButton>(&form, "btnToday")->click();
    QCOMPARE(dtpDay->date(), today);

    // Off: the date goes, the list stays in memory, and is empty next time.
    test::child<QAction>(&form, "mnuIntakeDiary")->trigger();
    QVERIFY(!test::child<QWidget>(&form, "pnlDay")->isVisible());
    add(form, "b", 1);
    QCOMPARE(lsvCal->model()->rowCount(), 3);
    QCOMPARE(IntakeDays(), (QList<QDate>{today.addDays(-1), today}));
    QCOMPARE(LoadIntakeDay(today).size(), 2);
    TMainForm off;
    QVERIFY(!test::child<QAction>(&off, "mnuIntakeDiary")->isChecked());
    QCOMPARE(test::child<QTreeView>(&off, "lsvCal")->model()->rowCount(), 0);
    QVERIFY(prompt.asked.isEmpty());
}

// Three rows saved as a dish: a food of Myﾒﾆｭｰ, added another day at the
// same total; the foods eaten most, added as from their tables; rows copied
// into a chosen day.
void TestMainForm::myMenusAndFrequentFoods() {
    test::ScriptedWindowPrompt prompt;
    const QByteArray rice = sjis::encode(u"ご飯"), soup = sjis::encode(u"みそ汁"),
                     fish = sjis::encode(u"焼き魚");
    m_folder.write(QStringLiteral("data/和食.cal"),
                   rice + ":156\r\n" + soup + ":61\r\n" + fish + ":175\r\n");
    m_folder.write(QStringLiteral("data/和食.nutrients"),
                   rice +
                       "\xff"
                       "100g\xff"
                       "2.5\xff"
                       "0.3\xff"
                       "37.1\xff"
                       "1.5\xff"
                       "0\r\n" +
                       soup + "\xff" + sjis::encode(u"1人前") +
                       "\xff"
                       "4.1\xff"
                       "1.9\xff"
                       "7\xff\xff"
                       "1.9\r\n" +
                       fish + "\xff" + sjis::encode(u"1人前") +
                       "\xff"
                       "16.5\xff"
                       "10.9\xff"
                       "0.1\xff\xff"
                       "1.1\r\n");
    const auto removeTables = qScopeGuard([this] {
        for (const char *name : {"和食.cal", "和食.nutrients", "Myﾒﾆｭｰ.cal", "Myﾒﾆｭｰ.nutrients"})
            QFile::remove(m_folder.path(QStringLiteral("data/") + QString::fromUtf8(name)));
        QFile::remove(m_folder.path(QStringLiteral("setting/amounts.dat")));
    });
    TMainForm form;
    form.show();
    auto *trvFile = test::child<QTreeView>(&form, "trvFile");
    auto *trvCal = test::child<QTreeView>(&form, "trvCal");
    auto *lsvCal = test::child<QTreeView>(&form, "lsvCal");
    auto *lblTotalCal = test::child<QLabel>(&form, "lblTotalCal");
    const auto choose = [](QTreeView *tree, const QString &text) {
        const QModelIndexList found =
            tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole, text, 1,
                                 Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        tree->setCurrentIndex(found.first());
    };
    const auto addFood = [&](const QString &text) {
        choose(trvCal, text);
        test::child<QAction>(&form, "mnuAddList")->trigger();
    };
    QCOMPARE(trvFile->model()->index(0, 0).data().toString(), QStringLiteral("よく食べる食品"));
    choose(trvFile, QStringLiteral("和食"));
    for (const char16_t *food : {u"ご飯", u"みそ汁", u"焼き魚"})
        addFood(QString::fromUtf16(food));
    form.intake().list().setAmount(0, Amount::grams(150));
    const QString total = lblTotalCal->text();
    QCOMPARE(total, QStringLiteral("総取得ｶﾛﾘｰ : 470 kcal／2,500 kcal"));

    auto *mnuMyMenu = test::child<QAction>(&form, "mnuMyMenu");
    QVERIFY(!mnuMyMenu->isEnabled());
    lsvCal->selectAll();
    QVERIFY(mnuMyMenu->isEnabled());
    prompt.answerText = [](const QString &) { return QStringLiteral("a:b"); };
    mnuMyMenu->trigger(); // refused before anything is asked or written
    QCOMPARE(prompt.asked.size(), 1);
    QVERIFY(!m_folder.exists(QStringLiteral("data/Myﾒﾆｭｰ.cal")));
    prompt.answerText = [](const QString &) { return QStringLiteral("朝定食"); };
    prompt.answerNumber = [](int offered) { return offered; };
    mnuMyMenu->trigger();
    QCOMPARE(prompt.textOffered, QStringLiteral("ご飯"));
    QCOMPARE(m_folder.read(QStringLiteral("data/Myﾒﾆｭｰ.cal")),
             '@' + sjis::encode(u"2026年12月") + "\r\n\t" + sjis::encode(u"朝定食") + ":470\r\n");
    QCOMPARE(m_folder.read(QStringLiteral("data/Myﾒﾆｭｰ.nutrients")),
             sjis::encode(u"朝定食") + "\xff" + sjis::encode(u"1人前") +
                 "\xff"
                 "24.4\xff"
                 "13.3\xff"
                 "62.8\xff\xff"
                 "3\r\n");
    mnuMyMenu->trigger(); // the same name again: replaced only when the user agrees
    QCOMPARE(prompt.asked.size(), 2);
    QVERIFY(prompt.asked.last().text.contains(QStringLiteral("置き換えますか")));

    // The next day, the dish from the food tree adds up to the same total.
    test::child<QToolButton>(&form, "btnNextDay")->click();
    choose(trvFile, QStringLiteral("Myﾒﾆｭｰ"));
    addFood(QStringLiteral("朝定食"));
    QCOMPARE(lblTotalCal->text(), total);
    QCOMPARE(lsvCal->model()->index(0, IntakeListModel::AmountColumn).data().toString(),
             QStringLiteral("1人前"));

    // Eaten most in the last 60 days (the day shown is ahead of today): added
    // from there, a row is as from its table, at the amount last chosen.
    choose(trvFile, QStringLiteral("よく食べる食品"));
    QCOMPARE(trvCal->model()->rowCount(), 3);
    QCOMPARE(trvCal->model()->index(0, 1).data().toString(), QStringLiteral("234 kcal"));
    addFood(QStringLiteral("ご飯"));
    QCOMPARE(form.intake().list().model()->row(1).cells(),
             IntakeRow::stored(LoadIntakeDay(today).first()).cells());

    // Two rows into a chosen day; the day shown stays.
    lsvCal->selectAll();
    prompt.answerDate = [](QDate offered) {
        return offered == today ? std::optional(QDate(2026, 12, 1)) : std::nullopt;
    };
    test::child<QAction>(&form, "mnuMyCopyDay")->trigger();
    QCOMPARE(LoadIntakeDay(QDate(2026, 12, 1)), LoadIntakeDay(today.addDays(1)));
    QCOMPARE(lsvCal->model()->rowCount(), 2);
    // The foods eaten most follow: rice twice now.
    QCOMPARE(trvCal->model()->index(0, 0).data().toString(), QStringLiteral("ご飯"));
    QCOMPARE(trvCal->model()->rowCount(), 4);
    QCOMPARE(prompt.asked.size(), 2);
}

// The report of the week of today from the menu, the weeks around it, its
// CSV and its print to PDF.
void TestMainForm::reportWindow() {
    test::ScriptedWindowPrompt prompt;
    SaveIntakeDay(today, {{"a", "", "2,600 kcal"}});
    SaveIntakeDay(today.addDays(-1), {{"a", "", "1,400 kcal"}});
    TMainForm form;
    test::child<QAction>(&form, "mnuReport")->trigger();
    auto *report = test::child<TReport>(&form, "Report");
    QVERIFY(report->isVisible());
    auto *lblSummary = test::child<QLabel>(report, "lblSummary");
    QCOMPARE(test::child<QLabel>(report, "lblRange")->text(),
             QStringLiteral("2026/12/07～2026/12/13"));
    QCOMPARE(lblSummary->text().section(u'\n', 0, 2),
             QStringLiteral("記録した日数 2日\n平均摂取ｶﾛﾘｰ 2,000 kcal（基準 2,500 kcal）\n"
                            "基準を超えた日 1日"));
    test::child<QPushButton>(report, "btnNext")->click();
    QCOMPARE(lblSummary->text(), QStringLiteral("2026/12/14～2026/12/20 の記録はありません。"));
    QVERIFY(!test::child<QPushButton>(report, "btnCsv")->isEnabled());
    test::child<QComboBox>(report, "cmbPeriod")->setCurrentIndex(1);
    QCOMPARE(test::child<QLabel>(report, "lblRange")->text(),
             QStringLiteral("2026/12/01～2026/12/31"));

    const QString csv = m_folder.path(QStringLiteral("report.csv"));
    prompt.answerSaveFile = [&csv](const QString &) { return csv; };
    test::child<QPushButton>(report, "btnCsv")->click();
    QCOMPARE(m_folder.read(QStringLiteral("report.csv")), CsvFileBytes(report->report().csvRows()));
    const QString pdf = m_folder.path(QStringLiteral("report.pdf"));
    prompt.answerPrinter = [&pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    test::child<QPushButton>(report, "btnPrint")->click();
    QVERIFY(m_folder.read(QStringLiteral("report.pdf")).startsWith("%PDF"));
    QVERIFY(prompt.asked.isEmpty());
    QFile::remove(csv);
    QFile::remove(pdf);
}

void TestMainForm::rowsShowWholeGlyphs_data() {
    QTest::addColumn<QFont>("font");
    // The design fonts, then every size the font dialog offers.
    QTest::newRow("Mincho 13px") << designFont(QStringLiteral("ＭＳ Ｐ明朝"), 13);
    QTest::newRow("Tahoma 11px") << designFont(QStringLiteral("Tahoma"), 11);
    for (const QString &family : {QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("ＭＳ Ｐゴシック"),
                                  QStringLiteral("Tahoma")})
        for (int size : {8, 9, 10, 11, 12, 14, 18, 20, 22, 24, 28, 36}) {
            QFont font(family);
            font.setPointSize(size);
            QTest::addRow("%s %dpt", qPrintable(family), size) << font;
        }
}

void TestMainForm::rowsShowWholeGlyphs() {
    QFETCH(QFont, font);
    test::ScriptedWindowPrompt prompt;
    {
        TMainForm form;
        Tcaleditor editor;
        QList<QAbstractItemView *> views{test::child<QTreeView>(&editor, "trvFileList")};
        for (const char *name : {"trvCal", "lsvCal", "trvFile", "lsvResult"})
            views << test::child<QTreeView>(&form, name);
        for (QAbstractItemView *view : views)
            QVERIFY2(qobject_cast<ViewItemDelegate *>(view->itemDelegate()),
                     qPrintable(view->objectName()));
    }
    // The ink of a selected row, drawn black on white, in a row of the
    // delegate's height and in one taller by far more than any glyph needs
    // (by an even count, so that the text lands on the same sub-pixel).
    auto ink = [&font](int extra) {
        QStandardItemModel model;
        auto *item = new QStandardItem(QStringLiteral("ﾃﾞｰﾀ ポテト 「漢字」 Égjy"));
        model.appendRow(item);
        QTreeView view;
        view.setItemDelegate(new ViewItemDelegate(&view));
        view.setModel(&model);
        view.setHeaderHidden(true);
        view.setRootIsDecorated(false);
        view.setFont(font);
        QPalette palette = view.palette();
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(g, QPalette::Base, Qt::white);
            palette.setColor(g, QPalette::Highlight, Qt::white);
            palette.setColor(g, QPalette::HighlightedText, Qt::black);
        }
        view.setPalette(palette);
        view.resize(800, 300);
        view.selectionModel()->select(model.index(0, 0), QItemSelectionModel::Select);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            return std::pair<int, bool>(0, true);
        if (extra > 0) {
            item->setSizeHint(QSize(0, view.visualRect(item->index()).height() + extra));
            view.doItemsLayout();
        }
        const QRect row = view.visualRect(model.index(0, 0));
        const auto [top, bottom] = inkRows(view.viewport()->grab(row).toImage());
        // Ink that reaches the row's edge may have been cut there.
        const bool atEdge = top == 0 || bottom == row.height() - 1;
        return std::pair<int, bool>(bottom - top + 1, atEdge);
    };
    const auto [height, atEdge] = ink(0);
    // Rasterising at another offset may change the ink by a pixel row; ink
    // that is shorter and reaches the edge was cut.
    QVERIFY2(!atEdge || height >= ink(200).first, qPrintable(QString::number(height)));
}

// Ctrl+Del keeps the day in a backup first; the restore window puts it back
// and the list shows it again, after a backup of the emptied day.
void TestMainForm::restoreBringsBackADay() {
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    form.intake().addFoods({CalorieRow{"a", QStringLiteral("t"), {}, 2, {}, {}},
                            CalorieRow{"b", QStringLiteral("t"), {}, 3, {}, {}}});
    const QString dayFile = QStringLiteral("record/intake/2026-12-08.dat");
    const QByteArray day = m_folder.read(dayFile);
    QVERIFY(!day.isEmpty());
    QDir(m_folder.path(QStringLiteral("backup"))).removeRecursively();
    prompt.answers = {Prompt::Answer::Yes};
    test::child<QAction>(&form, "mnuDeleteAll")->trigger();
    QVERIFY(!m_folder.exists(dayFile));
    QCOMPARE(Backups(m_folder.path()).list().value(0).cause,
             QStringLiteral("2026/12/08のリストの全削除の前"));

    QStringList shown;
    prompt.answerDialog = [&](QDialog &dialog) {
        auto *restore = qobject_cast<TRestore *>(&dialog);
        auto *files = test::child<QTreeWidget>(restore, "lsvFiles");
        for (int i = 0; i < files->topLevelItemCount(); ++i)
            shown << files->topLevelItem(i)->text(0) + u'|' + files->topLevelItem(i)->text(1);
        prompt.answers = {Prompt::Answer::Yes};
        test::child<QPushButton>(restore, "btnRestoreAll")->click();
        return int(QDialog::Rejected);
    };
    test::child<QAction>(&form, "mnuRestore")->trigger();
    QVERIFY(shown.contains(dayFile + QStringLiteral("|なくなっています")));
    QCOMPARE(m_folder.read(dayFile), day);
    QCOMPARE(test::child<QTreeView>(&form, "lsvCal")->model()->rowCount(), 2);
    QCOMPARE(Backups(m_folder.path()).list().value(0).cause, QStringLiteral("復元の前"));

    // A backup that cannot be written is told, and the day is emptied all the same.
    QDir(m_folder.path(QStringLiteral("backup"))).removeRecursively();
    m_folder.write(QStringLiteral("backup"), "a file where the folder should be");
    prompt.answers = {Prompt::Answer::Yes};
    test::child<QAction>(&form, "mnuDeleteAll")->trigger();
    QVERIFY(!m_folder.exists(dayFile));
    QVERIFY(form.statusBar()->currentMessage().startsWith(
        QStringLiteral("バックアップを作れませんでした")));
    QVERIFY(QFile::remove(m_folder.path(QStringLiteral("backup"))));
}

// Past midnight the status bar says the list moved on, until another day is shown.
void TestMainForm::midnightNewsGoesWithTheDay() {
    test::ScriptedWindowPrompt prompt;
    QDate day = today;
    Regional regional = Regional::current();
    regional.setToday([&day] { return day; });
    Regional::setCurrent(regional);
    const auto back = qScopeGuard([&] {
        regional.setToday([] { return today; });
        Regional::setCurrent(regional);
    });
    TMainForm form;
    day = today.addDays(1);
    form.intake().diary().followToday();
    QCOMPARE(form.statusBar()->currentMessage(),
             QStringLiteral("日付が変わりました。2026/12/09のリストを表示しています。"));
    test::child<QToolButton>(&form, "btnPrevDay")->click();
    QCOMPARE(form.statusBar()->currentMessage(), QString());
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
