#include "app/ui/intakecontroller.h"
#include "app/ui/tmainform.h"
#include "caldata/ui/tfinder.h"
#include "common/platform.h"

#include "support/scriptedprompt.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

using namespace zk;

class TestMainForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void menuStructure();
    void toolBar();
    void radioGroupsAreSeparate();
    void findTopMostKeepsItsMark();
    void everyCommandIsEnabled();
    void totalBarFollowsTheList();
    void deleteKeyAsksForTwoRows();
    void controlsHaveAccessibleNames();
    void searchWindowOpensOverTheMainWindow();
};

namespace {

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

} // namespace

void TestMainForm::initTestCase() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestMainForm::menuStructure() {
    test::ScriptedPrompt prompt;
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
                          "ｸﾞﾗﾌ解析(&G)|Ctrl+G", "-", "終了(&E)|"}));
    QCOMPARE(items(menus[1]),
             (QStringList{"ﾘｽﾄにﾃﾞｰﾀを追加(&A)|Ctrl+A", "ﾘｽﾄからﾃﾞｰﾀを削除(&D)|Del",
                          "ﾘｽﾄからﾃﾞｰﾀを全削除(&K)|Ctrl+Del", "-", "ﾘｽﾄの重複を許可する(&X)|",
                          "ﾘｽﾄの重複を許可しない(&Y)|", "ﾘｽﾄの重複時にはﾀﾞｲｱﾛｸﾞで確認(&Z)|", "-",
                          "詳細設定(&S)|Ctrl+S"}));
    QCOMPARE(items(menus[2]), (QStringList{"ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ(&F)|", "-", ">ｶﾛﾘｰﾘｽﾄ(&L)"}));
    QCOMPARE(items(menus[2]->actions().last()->menu()), (QStringList{"標準|", "一覧|"}));
    QCOMPARE(items(menus[3]),
             (QStringList{"ﾃﾞｰﾀ検索(&F)|Ctrl+F", "ﾃﾞｰﾀ検索ｳｨﾝﾄﾞｳは常に前面表示(&P)|Ctrl+Shift+F"}));
    QCOMPARE(items(menus[4]).mid(0, 2), (QStringList{"ｲﾝﾀｰﾈｯﾄｻｲﾄの編集(&E)|", "-"}));
    QCOMPARE(items(menus[5]), (QStringList{"ﾍﾙﾌﾟ(&H)|Ctrl+H", "-", "このｿﾌﾄについて(&A)|"}));
    QCOMPARE(items(form.popMyCal), (QStringList{"削除|Del", "-", "ﾘｽﾄをすべて削除|"}));

    QVERIFY(form.mnuConfirmDup->isChecked());
    QVERIFY(!form.mnuArrowDup->isChecked() && !form.mnuBanDup->isChecked());
    QVERIFY(form.mnuCalFiles->isChecked() && form.mnuStandard->isChecked());
    QVERIFY(form.mnuFindTopMost->isChecked());
}

void TestMainForm::toolBar() {
    test::ScriptedPrompt prompt;
    TMainForm form;
    QStringList captions;
    for (QAction *a : form.tbtMain->actions()) {
        if (a->isSeparator())
            captions.append(QStringLiteral("-"));
        else if (auto *w = qobject_cast<QToolButton *>(form.tbtMain->widgetForAction(a)))
            captions.append(w->text());
    }
    QCOMPARE(captions, (QStringList{"日々の記録", "ｸﾞﾗﾌ", "-", "ﾃﾞｰﾀ検索", "-", "詳細設定", "-",
                                    "ｲﾝﾀｰﾈｯﾄ", "-", "ﾍﾙﾌﾟ"}));
    QCOMPARE(form.tbtMain->iconSize(), QSize(32, 32));
    QCOMPARE(items(form.btnWebMenu).mid(0, 2), (QStringList{"ｲﾝﾀｰﾈｯﾄｻｲﾄの編集|", "-"}));
    QVERIFY(!form.btnData->icon().isNull());
    QCOMPARE(form.cmbLimit->currentText(), QStringLiteral("1日の基準 : 2500 kcal"));
}

void TestMainForm::radioGroupsAreSeparate() {
    test::ScriptedPrompt prompt;
    TMainForm form;
    form.mnuBanDup->trigger();
    QVERIFY(form.mnuBanDup->isChecked());
    QVERIFY(!form.mnuConfirmDup->isChecked() && !form.mnuArrowDup->isChecked());
    QVERIFY(form.mnuStandard->isChecked()); // the other group keeps its mark
    form.mnuBanDup->trigger();              // clicking the checked item changes nothing
    QVERIFY(form.mnuBanDup->isChecked());
}

void TestMainForm::findTopMostKeepsItsMark() {
    test::ScriptedPrompt prompt;
    TMainForm form;
    form.mnuFindTopMost->setEnabled(true);
    form.mnuFindTopMost->trigger();
    QVERIFY(form.mnuFindTopMost->isChecked());
}

void TestMainForm::everyCommandIsEnabled() {
    test::ScriptedPrompt prompt;
    TMainForm form;
    QStringList disabled;
    for (QAction *a : form.findChildren<QAction *>())
        if (!a->isEnabled() && !a->objectName().isEmpty())
            disabled.append(a->objectName());
    disabled.sort();
    QCOMPARE(disabled, QStringList{});
}

void TestMainForm::totalBarFollowsTheList() {
    test::ScriptedPrompt prompt;
    TMainForm form;
    QCOMPARE(form.lblTotalCal->text(), QString());
    QCOMPARE(form.ggCal->value(), 0);
    std::optional<FoodPick> pick = FoodPick{"\x82\xb2\x94\xd1", 1300};
    form.intake().setFoodSource([&] { return pick; });
    form.pnlTitle->setText(QStringLiteral("主食"));
    form.mnuAddList->trigger();
    QCOMPARE(form.lsvCal->model()->rowCount(), 1);
    QCOMPARE(form.lblTotalCal->text(), QStringLiteral("総取得ｶﾛﾘｰ : 1,300 kcal／2,500 kcal"));
    QCOMPARE(form.ggCal->maximum(), 2500);
    QCOMPARE(form.ggCal->value(), 1300);
    QCOMPARE(form.ggCal->text(), QStringLiteral("52%"));
    QCOMPARE(form.ggCal->palette().color(QPalette::Highlight), QColor(0, 0, 128));

    prompt.answers = {Prompt::Answer::Cancel};
    form.mnuAddList->trigger(); // the same food again asks
    QCOMPARE(prompt.texts(),
             QStringList{"「ご飯」（主食）は既にリストにありますが、追加しますか？"});
    QCOMPARE(form.lsvCal->model()->rowCount(), 1);

    pick.reset(); // a category or nothing selected adds nothing
    form.mnuAddList->trigger();
    QCOMPARE(form.lsvCal->model()->rowCount(), 1);
}

void TestMainForm::deleteKeyAsksForTwoRows() {
    test::ScriptedPrompt prompt;
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    std::optional<FoodPick> pick = FoodPick{"a", 100};
    form.intake().setFoodSource([&] { return pick; });
    form.mnuArrowDup->trigger();
    form.mnuAddList->trigger();
    form.mnuAddList->trigger();
    form.lsvCal->setFocus();
    form.lsvCal->selectAll();
    prompt.answers = {Prompt::Answer::Cancel};
    QTest::keyClick(form.lsvCal, Qt::Key_Delete);
    QCOMPARE(prompt.texts(), QStringList{"この2個のデータを削除しても構わないでしょうか？"});
    QCOMPARE(form.lsvCal->model()->rowCount(), 2);
    prompt.answers = {Prompt::Answer::Yes};
    QTest::keyClick(form.lsvCal, Qt::Key_Delete);
    QCOMPARE(form.lsvCal->model()->rowCount(), 0);
    QCOMPARE(form.lblTotalCal->text(), QString());
}

void TestMainForm::controlsHaveAccessibleNames() {
    test::ScriptedPrompt prompt;
    TMainForm form;
    for (QWidget *w :
         QList<QWidget *>{form.trvCal, form.lsvCal, form.ggCal, form.cmbLimit, form.pnlTitle})
        QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
}

void TestMainForm::searchWindowOpensOverTheMainWindow() {
    test::ScriptedPrompt prompt;
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *finder = form.findChild<TFinder *>();
    QVERIFY(finder);
    form.mnuFind->trigger();
    QVERIFY(finder->isVisible());
    const QPoint offset = finder->frameGeometry().center() - form.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 8,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    finder->move(10, 10); // where the user put it stays on the next showing
    finder->hide();
    form.mnuFind->trigger();
    QCOMPARE(finder->pos(), QPoint(10, 10));
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
