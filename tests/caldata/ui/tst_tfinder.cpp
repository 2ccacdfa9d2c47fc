#include "app/ui/tmainform.h"
#include "caldata/calcatalogue.h"
#include "caldata/ui/tfinder.h"
#include "common/platform.h"
#include "common/sjis.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
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

// The search window of a main window, with its controls.
struct Finder {
    TFinder *window;
    QLineEdit *txtString = test::child<QLineEdit>(window, "txtString");
    QCheckBox *chkCalory = test::child<QCheckBox>(window, "chkCalory");
    QSpinBox *txtMinCal = test::child<QSpinBox>(window, "txtMinCal");
    QSpinBox *txtMaxCal = test::child<QSpinBox>(window, "txtMaxCal");
    QListWidget *lstFiles = test::child<QListWidget>(window, "lstFiles");
    QTreeView *lsvResult = test::child<QTreeView>(window, "lsvResult");
    QStatusBar *stb = test::child<QStatusBar>(window, "stb");
};

// Presses the search button and waits for the search to end.
void searchNow(TFinder *window) {
    window->spdFindClick();
    QTRY_VERIFY(!window->search().isRunning());
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
    void keysSearchAndClose_data();
    void keysSearchAndClose();
    void unencodableTextIsRefused();
    void rescanStopsTheSearch();
    void foldedResultsJoinTheIntakeList();
    void sortFollowsTheIntakeList();
};

void TestTFinder::createdHiddenAndShownByTheMenu() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *mnuFind = test::child<QAction>(&form, "mnuFind");
    const Finder finder{test::child<TFinder>(&form, "Finder")};
    QVERIFY(finder.window);
    QVERIFY(!finder.window->isVisible());
    QCOMPARE(finder.window->windowTitle(), QStringLiteral("ﾃﾞｰﾀ検索"));
    QVERIFY(mnuFind->isEnabled());
    mnuFind->trigger();
    QVERIFY(finder.window->isVisible());
    QVERIFY(finder.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    finder.window->close();
    QVERIFY(!finder.window->isVisible());
    test::child<QAction>(&form, "mnuFindTopMost")->setChecked(false);
    mnuFind->trigger();
    QVERIFY(finder.window->isVisible());
    QVERIFY(!finder.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestTFinder::conditionsAndTargets() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeTables(folder);
    TMainForm form;
    const Finder finder{test::child<TFinder>(&form, "Finder")};
    QCOMPARE(items(finder.lstFiles), (QStringList{QStringLiteral("(すべて)"),
                                                  QStringLiteral("菓子"), QStringLiteral("麺")}));
    QCOMPARE(finder.txtMinCal->text(), QStringLiteral("0"));
    QCOMPARE(finder.txtMaxCal->text(), QStringLiteral("1,000"));
    QCOMPARE(finder.txtMaxCal->maximum(), 32767);
    finder.txtMaxCal->stepUp();
    QCOMPARE(finder.txtMaxCal->text(), QStringLiteral("1,050"));
    QCOMPARE(finder.chkCalory->text(), QStringLiteral("次のｶﾛﾘｰ条件のものを検索"));
    QCOMPARE(test::child<QToolButton>(finder.window, "spdFind")->text(),
             QStringLiteral("検索(&F)"));
    QStringList captions;
    for (const char *name : {"Label1", "Label2", "Label4", "Label5", "Label6"})
        captions << test::child<QLabel>(finder.window, name)->text();
    QCOMPARE(captions, (QStringList{"検索条件", "以下の文字列を含む(&S)", "検索結果",
                                    "kcal以上(&O)", "kcal以下(&U)"}));
    // The target list's heading shows its F underlined but leaves Alt+F to the button.
    auto *label7 = test::child<QLabel>(finder.window, "Label7");
    QVERIFY(!label7->buddy());
    auto name = [](QObject *o) {
        return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
    };
    QCOMPARE(name(label7), QStringLiteral("検索する対象ﾌｧｲﾙ(F)"));
    // Assistive technology reads the captions that stand beside the edits.
    QCOMPARE(name(finder.txtString), QStringLiteral("以下の文字列を含む(S)"));
    QCOMPARE(name(finder.txtMinCal), QStringLiteral("kcal以上(O)"));
    QCOMPARE(name(finder.txtMaxCal), QStringLiteral("kcal以下(U)"));
    QCOMPARE(finder.lsvResult->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("Foods"));
}

void TestTFinder::searchesAllWhenNothingIsSelected() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeTables(folder);
    TMainForm form;
    const Finder finder{test::child<TFinder>(&form, "Finder")};
    finder.txtString->setText(QStringLiteral("そば"));
    searchNow(finder.window);
    QCOMPARE(finder.lstFiles->currentRow(), 0);
    QCOMPARE(column(finder.lsvResult, 0),
             (QStringList{QStringLiteral("そばぼうろ"), QStringLiteral("そば")}));
    QCOMPARE(column(finder.lsvResult, 1),
             (QStringList{QStringLiteral("菓子"), QStringLiteral("麺")}));
    QCOMPARE(column(finder.lsvResult, 2), (QStringList{"50 kcal", "234 kcal"}));
    QCOMPARE(finder.stb->currentMessage(), QStringLiteral("2件見つかりました。"));
    // Case folding and the calorie range, joined by "or".
    finder.txtString->setText(QStringLiteral("beef"));
    finder.chkCalory->setChecked(true);
    finder.txtMinCal->setValue(100);
    finder.txtMaxCal->setValue(200);
    searchNow(finder.window);
    QCOMPARE(column(finder.lsvResult, 0),
             (QStringList{QStringLiteral("プリン"), QStringLiteral("Beef Pho")}));
    QVERIFY(prompt.asked.isEmpty());
    finder.txtString->setText(QStringLiteral("カレー"));
    finder.chkCalory->setChecked(false);
    searchNow(finder.window);
    QCOMPARE(finder.stb->currentMessage(), QStringLiteral("該当するデータはありませんでした。"));
}

void TestTFinder::searchesTheSelectedTables() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeTables(folder);
    TMainForm form;
    const Finder finder{test::child<TFinder>(&form, "Finder")};
    finder.txtString->setText(QStringLiteral("そば"));
    finder.lstFiles->setCurrentRow(2); // 麺, selected
    searchNow(finder.window);
    QCOMPARE(column(finder.lsvResult, 0), (QStringList{QStringLiteral("そば")}));
    // With the current entry on "(すべて)" every table is searched.
    finder.lstFiles->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    searchNow(finder.window);
    QCOMPARE(finder.lsvResult->model()->rowCount(), 2);
}

void TestTFinder::keysSearchAndClose_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("found");
    QTest::newRow("Alt+F in the target list")
        << "lstFiles" << Qt::Key_F << Qt::KeyboardModifiers(Qt::AltModifier) << 2;
    QTest::newRow("Enter in the text")
        << "txtString" << Qt::Key_Return << Qt::KeyboardModifiers() << 2;
    // The minimum typed over with 5: every food lies in 5 .. 1,000.
    QTest::newRow("Enter in the minimum")
        << "txtMinCal" << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier) << 5;
    QTest::newRow("Enter in the maximum")
        << "txtMaxCal" << Qt::Key_Return << Qt::KeyboardModifiers() << 3;
}

void TestTFinder::keysSearchAndClose() {
    QFETCH(QString, focus);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, found);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeTables(folder);
    TMainForm form;
    const Finder finder{test::child<TFinder>(&form, "Finder")};
    test::child<QAction>(&form, "mnuFind")->trigger();
    QVERIFY(QTest::qWaitForWindowActive(finder.window));
    finder.txtString->setText(QStringLiteral("そば"));
    finder.chkCalory->setChecked(focus.startsWith(QLatin1String("txtM")));
    finder.txtMinCal->setValue(400);
    auto *target = finder.window->findChild<QWidget *>(focus);
    target->setFocus();
    if (focus == QLatin1String("txtMinCal")) {
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_5);
    }
    QWidget *receiver = QApplication::focusWidget();
    QTest::keyClick(receiver, key, modifiers);
    // A mnemonic presses its button the way a click does, a moment later.
    QTRY_COMPARE(finder.lsvResult->model()->rowCount(), found);
    QCOMPARE(finder.stb->currentMessage(), QStringLiteral("%1件見つかりました。").arg(found));
    QVERIFY(prompt.asked.isEmpty());
    // Esc closes the window, which keeps what it found.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!finder.window->isVisible());
    QCOMPARE(finder.lsvResult->model()->rowCount(), found);
}

void TestTFinder::unencodableTextIsRefused() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeTables(folder);
    TMainForm form;
    const Finder finder{test::child<TFinder>(&form, "Finder")};
    // Folded, a text is searched by its folded form, which no table holds.
    finder.txtString->setText(QStringLiteral("そば😀"));
    searchNow(finder.window);
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(finder.lsvResult->model()->rowCount(), 0);
    // Compared by bytes, it is refused.
    test::child<QCheckBox>(finder.window, "chkFold")->setChecked(false);
    finder.txtString->setText(QStringLiteral("そば"));
    searchNow(finder.window);
    finder.txtString->setText(QStringLiteral("そば😀"));
    searchNow(finder.window);
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked.at(0).kind, QStringLiteral("error"));
    QCOMPARE(finder.lsvResult->model()->rowCount(), 2); // the last results stay
}

void TestTFinder::rescanStopsTheSearch() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeTables(folder);
    TMainForm form;
    const Finder finder{test::child<TFinder>(&form, "Finder")};
    folder.write(QStringLiteral("data/新.cal"), "x:1\r\n");
    // A scan that lands while the first table is searched.
    connect(&finder.window->search(), &CalSearch::searching, finder.window,
            [] { SetCaloryDirectories(); });
    finder.txtString->setText(QStringLiteral("そば"));
    finder.window->spdFindClick();
    QVERIFY(!finder.window->search().isRunning());
    QCOMPARE(items(finder.lstFiles).size(), 4);
    QCOMPARE(finder.stb->currentMessage(), QStringLiteral("検索を中止しました。"));
    QVERIFY(prompt.asked.isEmpty());
}

void TestTFinder::foldedResultsJoinTheIntakeList() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeTables(folder);
    TMainForm form;
    auto *lsvCal = test::child<QTreeView>(&form, "lsvCal");
    const Finder finder{test::child<TFinder>(&form, "Finder")};
    auto *chkFold = test::child<QCheckBox>(finder.window, "chkFold");
    QCOMPARE(chkFold->text(), QStringLiteral("かな・全角/半角を区別しない"));
    QVERIFY(chkFold->isChecked());
    finder.txtString->setText(QStringLiteral("ｿﾊﾞ"));
    searchNow(finder.window);
    QCOMPARE(column(finder.lsvResult, 0),
             (QStringList{QStringLiteral("そばぼうろ"), QStringLiteral("そば")}));
    // A double-click adds its row, with the table as its category.
    finder.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(finder.window));
    const QRect second = finder.lsvResult->visualRect(finder.lsvResult->model()->index(1, 0));
    QTest::mouseClick(finder.lsvResult->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(finder.lsvResult->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(column(lsvCal, 0), (QStringList{QStringLiteral("そば")}));
    QCOMPARE(column(lsvCal, 1), (QStringList{QStringLiteral("麺")}));
    QCOMPARE(test::child<QLabel>(&form, "lblTotalCal")->text().left(18),
             QStringLiteral("総取得ｶﾛﾘｰ : 234 kcal"));
    // Enter adds every selected row, in list order, under the duplicates
    // policy: asked about そば again, the script declines.
    finder.lsvResult->selectAll();
    QTest::keyClick(finder.lsvResult, Qt::Key_Return);
    QCOMPARE(column(lsvCal, 0),
             (QStringList{QStringLiteral("そば"), QStringLiteral("そばぼうろ")}));
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(test::child<QAction>(finder.lsvResult, "mnuResultAdd")->text(),
             QStringLiteral("ﾘｽﾄに追加"));
    // Unticked, the bytes are compared: half-width kana find nothing.
    chkFold->setChecked(false);
    QCOMPARE(folder.read(QStringLiteral("setting/finder.ini")),
             QByteArray("[chkFold]\r\nChecked=0\r\n\r\n"));
    searchNow(finder.window);
    QCOMPARE(finder.lsvResult->model()->rowCount(), 0);
}

void TestTFinder::sortFollowsTheIntakeList() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    writeTables(folder);
    TMainForm form;
    auto *lsvCal = test::child<QTreeView>(&form, "lsvCal");
    const Finder finder{test::child<TFinder>(&form, "Finder")};
    finder.chkCalory->setChecked(true);
    // Both headers show the shared key, whichever list set it.
    auto indicator = [](const QTreeView *view) {
        const QHeaderView *h = view->header();
        return h->isSortIndicatorShown()
                   ? QStringLiteral("%1%2")
                         .arg(h->sortIndicatorSection())
                         .arg(h->sortIndicatorOrder() == Qt::AscendingOrder ? QLatin1String("up")
                                                                            : QLatin1String("down"))
                   : QStringLiteral("none");
    };
    QCOMPARE(indicator(finder.lsvResult), QStringLiteral("none"));
    Q_EMIT lsvCal->header()->sectionClicked(0); // "Foods" on the intake list
    QCOMPARE(indicator(finder.lsvResult), QStringLiteral("0up"));
    searchNow(finder.window);
    const QStringList ascending = column(finder.lsvResult, 0);
    QCOMPARE(ascending.first(), QStringLiteral("Beef Pho"));
    // "Foods" clicked on the results: reversed.
    finder.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(finder.window));
    QHeaderView *header = finder.lsvResult->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 10, header->height() / 2));
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(column(finder.lsvResult, 0), descending);
    QCOMPARE(indicator(lsvCal), QStringLiteral("0down"));
    QCOMPARE(indicator(finder.lsvResult), QStringLiteral("0down"));
    // The first direction of "Calory" is the largest value first.
    Q_EMIT lsvCal->header()->sectionClicked(2);
    QCOMPARE(indicator(finder.lsvResult), QStringLiteral("2down"));
}

QTEST_MAIN(TestTFinder)
#include "tst_tfinder.moc"
