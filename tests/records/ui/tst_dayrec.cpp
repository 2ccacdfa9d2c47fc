#include "common/platform.h"
#include "common/sjis.h"
#include "records/recorditemtable.h"
#include "records/ui/tdayrec.h"
#include "records/ui/tfrmdayrec.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace zk;

namespace {

const QByteArray Weight = "\x91\xcc\x8f\x64"; // 体重

QByteArray itemList() {
    return Weight + "\xff"
                    "kg\xff"
                    "60\r\nA[B]\xff\xff\r\n";
}

// What the dialog does when it is shown: the test's answer to it.
using Answer = std::function<void(TfrmDayRec &)>;

void answerWith(test::ScriptedWindowPrompt &prompt, Answer answer, int *shown = nullptr) {
    prompt.answerDialog = [answer, shown](QDialog &d) {
        if (shown)
            ++*shown;
        answer(static_cast<TfrmDayRec &>(d));
        return d.result();
    };
}

QStringList column(const TDayRec &window, int c) {
    const auto *data = test::child<ListTableModel>(&window, "data");
    QStringList out;
    for (int r = 0; r < data->rowCount(); ++r)
        out.append(data->cellText(r, c));
    return out;
}

} // namespace

class TestDayRec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void withoutItemList();
    void choosingAnItem();
    void itemFromSettingsList();
    void itemNameEndingInBracket();
    void addInsertsInOrder();
    void overwrite_data();
    void overwrite();
    void emptyValueKeepsDialog();
    void changeKeepsDate();
    void changeOfUnreadableDate();
    void doubleClick_data();
    void doubleClick();
    void deleteRemovesEveryLine();
    void range_data();
    void range();
    void csvHoldsEveryValue();
    void okSavesState();
    void cancelDropsState();
    void keyboardFilter_data();
    void keyboardFilter();
    void pasteIsNotFiltered();
    void help();
};

void TestDayRec::initTestCase() {
    Regional regional(QLocale(QLocale::Japanese, QLocale::Japan));
    regional.setToday([] { return QDate(2002, 8, 23); });
    Regional::setCurrent(regional);
}

void TestDayRec::withoutItemList() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/dayrec.ini"), "[chkDataRange]\r\nChecked=1\r\n");
    TDayRec window;
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral(
                                 "登録されていません。メニューの「編集」の「詳細設定」の「グラフ」"
                                 "タブで項目を作成しておいてください。")});
    QCOMPARE(test::child<QListWidget>(&window, "lstItems")->count(), 0);
    QCOMPARE(test::child<ListTableModel>(&window, "data")->rowCount(), 0);
    QVERIFY(test::child<QCheckBox>(&window, "chkDataRange")->isChecked()); // read all the same
    QVERIFY(!test::child<QPushButton>(&window, "spdAdd")->isEnabled());
    QVERIFY(!folder.exists(QStringLiteral("setting/graph.dat")));
}

void TestDayRec::choosingAnItem() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/23\xff"
                                                    "60.5\r\n2002/08/01\xff"
                                                    "61\r\n");
    TDayRec window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    auto *data = test::child<ListTableModel>(&window, "data");
    auto *spdAdd = test::child<QPushButton>(&window, "spdAdd");
    auto *spdChange = test::child<QPushButton>(&window, "spdChange");
    QCOMPARE(window.windowTitle(), QStringLiteral("日々の記録"));
    QCOMPARE(lstItems->count(), 2);
    QCOMPARE(lstItems->item(0)->text(), QStringLiteral("体重[kg]"));
    QCOMPARE(lstItems->item(1)->text(), QStringLiteral("A[B]"));
    QVERIFY(lstItems->selectedItems().isEmpty());
    lstItems->setCurrentRow(0);
    QCOMPARE(data->headerData(1, Qt::Horizontal).toString(), QStringLiteral("体重[kg]"));
    QCOMPARE(column(window, 0), (QStringList{"2002/08/01", "2002/08/23"}));
    QCOMPARE(column(window, 1), (QStringList{"61", "60.5"}));
    QVERIFY(spdAdd->isEnabled());
    QVERIFY(!spdChange->isEnabled());
    test::child<QTreeView>(&window, "lsvData")->setCurrentIndex(data->index(1, 0));
    QVERIFY(spdChange->isEnabled());
    QVERIFY(test::child<QPushButton>(&window, "spdDelete")->isEnabled());

    // Clicking the chosen item again shows what was written meanwhile.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/02\xff"
                                                    "70\r\n");
    const QPoint first = lstItems->visualItemRect(lstItems->item(0)).center();
    QTest::mouseClick(lstItems->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(column(window, 1), QStringList{"70"});

    lstItems->clearSelection();
    QCOMPARE(data->headerData(1, Qt::Horizontal).toString(), QString());
    QVERIFY(!spdAdd->isEnabled());
    QVERIFY(!spdChange->isEnabled());
    QVERIFY(prompt.asked.isEmpty());
}

void TestDayRec::itemFromSettingsList() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    // The settings dialog's item list writes setting/graph.dat.
    RecordItemTable items;
    items.addItem({sjis::encode(u"腹囲"), "cm", "80"});
    items.addItem({Weight, "kg", ""});
    ListViewSave(items, folder.path(QStringLiteral("setting/graph.dat")));
    TDayRec window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    QStringList listed;
    for (int i = 0; i < lstItems->count(); ++i)
        listed.append(lstItems->item(i)->text());
    QCOMPARE(listed.size(), 2);
    QVERIFY(listed.contains(QStringLiteral("腹囲[cm]")));
    QVERIFY(listed.contains(QStringLiteral("体重[kg]")));
    lstItems->setCurrentRow(int(listed.indexOf(QStringLiteral("腹囲[cm]"))));
    QVERIFY(folder.exists(QStringLiteral("record/腹囲.dat")));
    QVERIFY(prompt.asked.isEmpty());
}

void TestDayRec::itemNameEndingInBracket() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/A.dat"), "2002/08/01\xff"
                                                 "1\r\n");
    TDayRec window;
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(1);
    QCOMPARE(test::child<ListTableModel>(&window, "data")->rowCount(), 0);
    answerWith(prompt, [](TfrmDayRec &d) {
        test::child<QLineEdit>(&d, "txtValue")->setText(QStringLiteral("5"));
        test::child<QPushButton>(&d, "btnOK")->click();
    });
    test::child<QPushButton>(&window, "spdAdd")->click();
    QCOMPARE(folder.read(QStringLiteral("record/A[B].dat")), QByteArray("2002/08/23\xff"
                                                                        "5\r\n"));
    QCOMPARE(folder.read(QStringLiteral("record/A.dat")), QByteArray("2002/08/01\xff"
                                                                     "1\r\n"));
}

void TestDayRec::addInsertsInOrder() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/01\xff"
                                                    "61\r\n2002/09/01\xff"
                                                    "59\r\n");
    TDayRec window;
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    int shown = 0;
    answerWith(
        prompt,
        [](TfrmDayRec &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("日々の記録（追加）"));
            QCOMPARE(test::child<QLabel>(&d, "lblKey")->text(), QStringLiteral("体重[kg]"));
            QCOMPARE(test::child<QLabel>(&d, "lblKey")->textFormat(), Qt::PlainText);
            QCOMPARE(test::child<QDateEdit>(&d, "dtp")->date(), QDate(2002, 8, 23));
            QVERIFY(test::child<QDateEdit>(&d, "dtp")->isEnabled());
            QVERIFY(test::child<QLineEdit>(&d, "txtValue")->text().isEmpty());
            test::child<QLineEdit>(&d, "txtValue")->setText(QStringLiteral("1.2.3"));
            test::child<QPushButton>(&d, "btnOK")->click();
            QCOMPARE(d.result(), int(QDialog::Accepted));
        },
        &shown);
    test::child<QPushButton>(&window, "spdAdd")->click();
    QCOMPARE(shown, 1);
    QCOMPARE(folder.read(QStringLiteral("record/体重.dat")), QByteArray("2002/08/01\xff"
                                                                        "61\r\n2002/08/23\xff"
                                                                        "1.2.3\r\n2002/09/01\xff"
                                                                        "59\r\n"));
    QCOMPARE(column(window, 0), (QStringList{"2002/08/01", "2002/08/23", "2002/09/01"}));
    QCOMPARE(column(window, 1), (QStringList{"61", "1.2.3", "59"}));
    QVERIFY(prompt.asked.isEmpty());
}

void TestDayRec::overwrite_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("listed");
    QTest::newRow("yes") << int(Prompt::Answer::Yes) << int(QDialog::Accepted) << "62";
    QTest::newRow("cancel") << int(Prompt::Answer::Cancel) << int(QDialog::Rejected) << "60.5";
}

void TestDayRec::overwrite() {
    QFETCH(int, answer);
    QFETCH(int, result);
    QFETCH(QString, listed);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    prompt.answers = {Prompt::Answer(answer)};
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/23\xff"
                                                    "60.5\r\n");
    TDayRec window;
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    bool visibleAfterCancel = false;
    answerWith(prompt, [&](TfrmDayRec &d) {
        test::child<QLineEdit>(&d, "txtValue")->setText(QStringLiteral("62"));
        test::child<QPushButton>(&d, "btnOK")->click();
        // Cancel leaves the dialog open: it has no result yet.
        QCOMPARE(d.result(), result);
        visibleAfterCancel = d.result() == 0;
    });
    test::child<QPushButton>(&window, "spdAdd")->click();
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked[0].kind, QStringLiteral("warning"));
    QCOMPARE(prompt.asked[0].text,
             QStringLiteral("日付 : 2002/08/23\rはすでに記録済みです。体重[kg]の値は、「60.5」"
                            "となっていますが上書きしますか？"));
    QCOMPARE(column(window, 1), QStringList{listed});
    QCOMPARE(folder.read(QStringLiteral("record/体重.dat")),
             "2002/08/23\xff" + listed.toLatin1() + "\r\n");
    QCOMPARE(visibleAfterCancel, result == int(QDialog::Rejected));
}

void TestDayRec::emptyValueKeepsDialog() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    TDayRec window;
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    answerWith(prompt, [](TfrmDayRec &d) {
        test::child<QPushButton>(&d, "btnOK")->click();
        QCOMPARE(d.result(), 0);
    });
    test::child<QPushButton>(&window, "spdAdd")->click();
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("体重の値が記入されていません！")});
    QCOMPARE(folder.read(QStringLiteral("record/体重.dat")), QByteArray());
}

void TestDayRec::changeKeepsDate() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/体重.dat"), "2002/09/01\xff"
                                                    "59\r\n2002/08/01\xff"
                                                    "61\r\n");
    TDayRec window;
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    auto *data = test::child<ListTableModel>(&window, "data");
    // 2002/09/01 listed second
    test::child<QTreeView>(&window, "lsvData")->setCurrentIndex(data->index(1, 0));
    answerWith(prompt, [](TfrmDayRec &d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("日々の記録（変更）"));
        QCOMPARE(test::child<QDateEdit>(&d, "dtp")->date(), QDate(2002, 9, 1));
        QVERIFY(!test::child<QDateEdit>(&d, "dtp")->isEnabled());
        QCOMPARE(test::child<QLineEdit>(&d, "txtValue")->text(), QStringLiteral("59"));
        test::child<QLineEdit>(&d, "txtValue")->setText(QStringLiteral("58.5"));
        test::child<QPushButton>(&d, "btnOK")->click();
    });
    test::child<QPushButton>(&window, "spdChange")->click();
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(folder.read(QStringLiteral("record/体重.dat")), QByteArray("2002/09/01\xff"
                                                                        "58.5\r\n2002/08/01\xff"
                                                                        "61\r\n"));
    QCOMPARE(column(window, 1), (QStringList{"61", "58.5"}));
}

void TestDayRec::changeOfUnreadableDate() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/体重.dat"), "8/23/2002\xff"
                                                    "60\r\n");
    TDayRec window;
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    test::child<QTreeView>(&window, "lsvData")
        ->setCurrentIndex(test::child<ListTableModel>(&window, "data")->index(0, 0));
    int shown = 0;
    answerWith(
        prompt, [](TfrmDayRec &) {}, &shown);
    test::child<QPushButton>(&window, "spdChange")->click();
    QCOMPARE(shown, 0);
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("'8/23/2002' は日付ではありません")});
}

void TestDayRec::doubleClick_data() {
    QTest::addColumn<bool>("onRow");
    QTest::addColumn<QString>("caption");
    QTest::newRow("on a row") << true << "日々の記録（変更）";
    QTest::newRow("below the rows") << false << "日々の記録（追加）";
}

void TestDayRec::doubleClick() {
    QFETCH(bool, onRow);
    QFETCH(QString, caption);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/01\xff"
                                                    "61\r\n");
    TDayRec window;
    auto *lsvData = test::child<QTreeView>(&window, "lsvData");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    QString opened;
    answerWith(prompt, [&](TfrmDayRec &d) { opened = d.windowTitle(); });
    const QRect row =
        lsvData->visualRect(test::child<ListTableModel>(&window, "data")->index(0, 0));
    const QPoint at = onRow ? row.center() : row.center() + QPoint(0, 5 * row.height());
    QTest::mouseDClick(lsvData->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(opened, caption);
}

void TestDayRec::deleteRemovesEveryLine() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/23\xff"
                                                    "1\r\n2002/08/23\xff"
                                                    "2\r\n");
    TDayRec window;
    auto *data = test::child<ListTableModel>(&window, "data");
    auto *spdDelete = test::child<QPushButton>(&window, "spdDelete");
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    QCOMPARE(data->rowCount(), 2);
    test::child<QTreeView>(&window, "lsvData")->setCurrentIndex(data->index(1, 0));
    spdDelete->click();
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(data->rowCount(), 0);
    QVERIFY(!spdDelete->isEnabled());
    QVERIFY(folder.exists(QStringLiteral("record/体重.dat")));
    QCOMPARE(folder.read(QStringLiteral("record/体重.dat")), QByteArray());
}

void TestDayRec::range_data() {
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("bounds included") << QDate(2002, 6, 1) << QDate(2002, 6, 30)
                                     << QStringList{"2002/06/01", "2002/06/15", "2002/06/30"};
    QTest::newRow("equal bounds") << QDate(2002, 6, 15) << QDate(2002, 6, 15)
                                  << QStringList{"2002/06/15"};
    QTest::newRow("reversed bounds") << QDate(2002, 6, 30) << QDate(2002, 6, 1) << QStringList{};
}

void TestDayRec::range() {
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, dates);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/体重.dat"), "2002/05/31\xff"
                                                    "1\r\n2002/06/01\xff"
                                                    "2\r\n2002/06/15\xff"
                                                    "3\r\n2002/06/30\xff"
                                                    "4\r\n2002/07/01\xff"
                                                    "5\r\n2002/06/20\r\n");
    TDayRec window;
    auto *data = test::child<ListTableModel>(&window, "data");
    auto *chkDataRange = test::child<QCheckBox>(&window, "chkDataRange");
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    QCOMPARE(data->rowCount(), 6);
    test::child<QDateEdit>(&window, "dtp1")->setDate(from);
    test::child<QDateEdit>(&window, "dtp2")->setDate(to);
    QCOMPARE(data->rowCount(), 6); // the range counts only once it is ticked
    chkDataRange->click();
    QCOMPARE(column(window, 0), dates);
    chkDataRange->click();
    QCOMPARE(data->rowCount(), 6);
}

// Every value of the item, not only those of the range shown.
void TestDayRec::csvHoldsEveryValue() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/23\xff"
                                                    "60.5\r\n2002/06/01\xff"
                                                    "61\r\n");
    TDayRec window;
    auto *btnCsv = test::child<QPushButton>(&window, "btnCsv");
    QString suggested;
    prompt.answerSaveFile = [&](const QString &name) {
        suggested = name;
        return std::optional(folder.path(QStringLiteral("out/w.csv")));
    };
    btnCsv->click();
    QCOMPARE(prompt.texts(), QStringList{"保存する項目を選んでください。"});
    QVERIFY(suggested.isEmpty());
    prompt.clear();

    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    test::child<QCheckBox>(&window, "chkDataRange")->click();
    QCOMPARE(column(window, 0), QStringList{"2002/08/23"});
    btnCsv->click();
    QCOMPARE(suggested, QStringLiteral("体重.csv"));
    QCOMPARE(prompt.fileFilters, QStringList{"CSV (*.csv)"});
    QCOMPARE(folder.read(QStringLiteral("out/w.csv")),
             "\xEF\xBB\xBF" +
                 QStringLiteral("日付,体重[kg]\r\n2002/08/23,60.5\r\n2002/06/01,61\r\n").toUtf8());
    QVERIFY(prompt.asked.isEmpty());
}

void TestDayRec::okSavesState() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    {
        TDayRec window;
        test::child<QCheckBox>(&window, "chkDataRange")->setChecked(true);
        test::child<QDateEdit>(&window, "dtp1")->setDate(QDate(2002, 6, 1));
        test::child<QDateEdit>(&window, "dtp2")->setDate(QDate(2002, 6, 30));
        test::child<QPushButton>(&window, "btnOK")->click();
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }
    QCOMPARE(folder.read(QStringLiteral("setting/dayrec.ini")),
             QByteArray("[chkDataRange]\r\nChecked=1\r\n\r\n[dtp1]\r\nDate=37408\r\n\r\n"
                        "[dtp2]\r\nDate=37437\r\n\r\n"));
    TDayRec again;
    QVERIFY(test::child<QCheckBox>(&again, "chkDataRange")->isChecked());
    QCOMPARE(test::child<QDateEdit>(&again, "dtp1")->date(), QDate(2002, 6, 1));
    QCOMPARE(test::child<QDateEdit>(&again, "dtp2")->date(), QDate(2002, 6, 30));
}

void TestDayRec::cancelDropsState() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    TDayRec window;
    test::child<QCheckBox>(&window, "chkDataRange")->setChecked(true);
    test::child<QPushButton>(&window, "btnCancel")->click();
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QVERIFY(!folder.exists(QStringLiteral("setting/dayrec.ini")));
}

void TestDayRec::keyboardFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("digits and points") << "1.2.3"
                                       << "1.2.3";
    QTest::newRow("minus and comma") << "-1,5"
                                     << "15";
    QTest::newRow("letters and blanks") << "6a0 kg"
                                        << "60";
    QTest::newRow("full width") << "６０"
                                << "";
}

void TestDayRec::keyboardFilter() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    TfrmDayRec dialog("w", QStringLiteral("w"));
    auto *txtValue = test::child<QLineEdit>(&dialog, "txtValue");
    for (QChar c : typed) {
        // Sent as typed characters, as a keyboard layout delivers them.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(txtValue, &press);
    }
    QCOMPARE(txtValue->text(), kept);
    QTest::keyClick(txtValue, Qt::Key_Backspace);
    QCOMPARE(txtValue->text(), kept.chopped(kept.isEmpty() ? 0 : 1));
}

void TestDayRec::pasteIsNotFiltered() {
    TfrmDayRec dialog("w", QStringLiteral("w"));
    auto *txtValue = test::child<QLineEdit>(&dialog, "txtValue");
    QGuiApplication::clipboard()->setText(QStringLiteral("-5,0"));
    txtValue->paste();
    QCOMPARE(txtValue->text(), QStringLiteral("-5,0"));
}

void TestDayRec::help() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    TDayRec window;
    QSignalSpy spy(&window, &TDayRec::helpRequested);
    test::child<QPushButton>(&window, "btnHelp")->click();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toInt(), 6);
    test::child<QToolButton>(&window, "spdOnePoint")->click();
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral(
                                 "色々なデータを収納して後でグラフ化して見る事ができます。「記録す"
                                 "る項目」を追加するには、「詳細設定」の「グラフ」タブで作成してく"
                                 "ださい。")});
}

QTEST_MAIN(TestDayRec)
#include "tst_dayrec.moc"
