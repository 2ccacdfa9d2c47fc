#include "app/ui/tmainform.h"
#include "caldata/calcatalogue.h"
#include "caldata/ui/tfinder.h"
#include "common/platform.h"
#include "common/sjis.h"

#include "support/scriptedprompt.h"
#include "support/tempprogramfolder.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

using namespace zk;

namespace {

QStringList column(const QTreeView *view, int c) {
    QStringList out;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        out << view->model()->index(r, c).data().toString();
    return out;
}

QStringList items(const QListWidget *list) {
    QStringList out;
    for (int r = 0; r < list->count(); ++r)
        out << list->item(r)->text();
    return out;
}

void writeTables(const test::TempProgramFolder &folder) {
    folder.write(
        QStringLiteral("data/麺.cal"),
        sjis::encode(QStringLiteral("@麺\r\n\tうどん:238\r\n\tそば:234 \r\n\tBeef Pho:450\r\n")));
    folder.write(QStringLiteral("data/菓子.cal"),
                 sjis::encode(QStringLiteral("@菓子\r\n\tそばぼうろ:50\r\n\tプリン:116\r\n")));
}

} // namespace

class TestTFinder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    }
    void createdHiddenAndShownByTheMenu();
    void conditionsAndTargets();
    void searchesAllWhenNothingIsSelected();
    void searchesTheSelectedTables();
    void unencodableTextIsRefused();
    void refillWaitsForTheSearch();
    void sortFollowsTheIntakeList();
};

void TestTFinder::createdHiddenAndShownByTheMenu() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    TMainForm form;
    auto *finder = form.findChild<TFinder *>();
    QVERIFY(finder);
    QVERIFY(!finder->isVisible());
    QCOMPARE(finder->windowTitle(), QStringLiteral("ﾃﾞｰﾀ検索"));
    QVERIFY(form.mnuFind->isEnabled());
    form.mnuFind->trigger();
    QVERIFY(finder->isVisible());
    QVERIFY(finder->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    finder->close();
    QVERIFY(!finder->isVisible());
    form.mnuFindTopMost->setChecked(false);
    form.mnuFind->trigger();
    QVERIFY(finder->isVisible());
    QVERIFY(!finder->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestTFinder::conditionsAndTargets() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    writeTables(folder);
    TMainForm form;
    auto *finder = form.findChild<TFinder *>();
    QCOMPARE(items(finder->lstFiles), (QStringList{QStringLiteral("(すべて)"),
                                                   QStringLiteral("菓子"), QStringLiteral("麺")}));
    QCOMPARE(finder->txtMinCal->text(), QStringLiteral("0"));
    QCOMPARE(finder->txtMaxCal->text(), QStringLiteral("1,000"));
    QCOMPARE(finder->txtMaxCal->maximum(), 32767);
    finder->txtMaxCal->stepUp();
    QCOMPARE(finder->txtMaxCal->text(), QStringLiteral("1,050"));
    QCOMPARE(finder->chkCalory->text(), QStringLiteral("次のｶﾛﾘｰ条件のものを検索"));
    QCOMPARE(finder->spdFind->text(), QStringLiteral("検索(&F)"));
    QStringList captions;
    for (const char *name : {"Label1", "Label2", "Label4", "Label5", "Label6", "Label7"})
        captions << finder->findChild<QLabel *>(QString::fromLatin1(name))->text();
    QCOMPARE(captions, (QStringList{"検索条件", "以下の文字列を含む(&S)", "検索結果",
                                    "kcal以上(&O)", "kcal以下(&U)", "検索する対象ﾌｧｲﾙ(&F)"}));
    QCOMPARE(finder->lsvResult->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Foods"));
}

void TestTFinder::searchesAllWhenNothingIsSelected() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    writeTables(folder);
    TMainForm form;
    auto *finder = form.findChild<TFinder *>();
    finder->txtString->setText(QStringLiteral("そば"));
    finder->spdFindClick();
    QCOMPARE(finder->lstFiles->currentRow(), 0);
    QCOMPARE(column(finder->lsvResult, 0),
             (QStringList{QStringLiteral("そばぼうろ"), QStringLiteral("そば")}));
    QCOMPARE(column(finder->lsvResult, 1),
             (QStringList{QStringLiteral("菓子"), QStringLiteral("麺")}));
    QCOMPARE(column(finder->lsvResult, 2), (QStringList{"50 kcal", "234 kcal"}));
    QCOMPARE(finder->stb->currentMessage(), QStringLiteral("「%1」を検索しています...")
                                                .arg(folder.path(QStringLiteral("data/麺.cal"))));
    // Case folding and the calorie range, joined by "or".
    finder->txtString->setText(QStringLiteral("beef"));
    finder->chkCalory->setChecked(true);
    finder->txtMinCal->setValue(100);
    finder->txtMaxCal->setValue(200);
    finder->spdFindClick();
    QCOMPARE(column(finder->lsvResult, 0),
             (QStringList{QStringLiteral("プリン"), QStringLiteral("Beef Pho")}));
    QVERIFY(prompt.asked.isEmpty());
}

void TestTFinder::searchesTheSelectedTables() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    writeTables(folder);
    TMainForm form;
    auto *finder = form.findChild<TFinder *>();
    finder->txtString->setText(QStringLiteral("そば"));
    finder->lstFiles->setCurrentRow(2); // 麺, selected
    finder->spdFindClick();
    QCOMPARE(column(finder->lsvResult, 0), (QStringList{QStringLiteral("そば")}));
    // With the current entry on "(すべて)" every table is searched.
    finder->lstFiles->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    finder->spdFindClick();
    QCOMPARE(finder->lsvResult->model()->rowCount(), 2);
}

void TestTFinder::unencodableTextIsRefused() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    writeTables(folder);
    TMainForm form;
    auto *finder = form.findChild<TFinder *>();
    finder->txtString->setText(QStringLiteral("そば"));
    finder->spdFindClick();
    finder->txtString->setText(QStringLiteral("そば😀"));
    finder->spdFindClick();
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked.at(0).kind, QStringLiteral("error"));
    QCOMPARE(finder->lsvResult->model()->rowCount(), 2); // the last results stay
}

void TestTFinder::refillWaitsForTheSearch() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    writeTables(folder);
    TMainForm form;
    auto *finder = form.findChild<TFinder *>();
    folder.write(QStringLiteral("data/新.cal"), "x:1\r\n");
    QStringList duringSearch;
    // A scan that lands while the search lets events through.
    QTimer::singleShot(0, finder, [&] {
        SetCaloryDirectories();
        duringSearch = items(finder->lstFiles);
    });
    finder->txtString->setText(QStringLiteral("そば"));
    finder->spdFindClick();
    QCOMPARE(duringSearch.size(), 3);
    QCOMPARE(items(finder->lstFiles).size(), 4);
    QCOMPARE(finder->lsvResult->model()->rowCount(), 2);
}

void TestTFinder::sortFollowsTheIntakeList() {
    test::TempProgramFolder folder;
    test::ScriptedPrompt prompt;
    writeTables(folder);
    TMainForm form;
    auto *finder = form.findChild<TFinder *>();
    finder->chkCalory->setChecked(true);
    Q_EMIT form.lsvCal->header()->sectionClicked(0); // "Foods" on the intake list
    finder->spdFindClick();
    const QStringList ascending = column(finder->lsvResult, 0);
    QCOMPARE(ascending.first(), QStringLiteral("Beef Pho"));
    Q_EMIT finder->lsvResult->header()->sectionClicked(0); // "Foods" on the results: reversed
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(column(finder->lsvResult, 0), descending);
}

QTEST_MAIN(TestTFinder)
#include "tst_tfinder.moc"
