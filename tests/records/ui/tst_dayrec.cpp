#include "common/platform.h"
#include "common/sjis.h"
#include "records/recorditemtable.h"
#include "records/ui/tdayrec.h"
#include "records/ui/tfrmdayrec.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"

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
    QStringList out;
    for (int r = 0; r < window.data->rowCount(); ++r)
        out.append(window.data->cellText(r, c));
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
    QCOMPARE(window.lstItems->count(), 0);
    QCOMPARE(window.data->rowCount(), 0);
    QVERIFY(!window.chkDataRange->isChecked());
    QVERIFY(!window.spdAdd->isEnabled());
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
    QCOMPARE(window.windowTitle(), QStringLiteral("日々の記録"));
    QCOMPARE(window.lstItems->count(), 2);
    QCOMPARE(window.lstItems->item(0)->text(), QStringLiteral("体重[kg]"));
    QCOMPARE(window.lstItems->item(1)->text(), QStringLiteral("A[B]"));
    QVERIFY(window.lstItems->selectedItems().isEmpty());
    window.lstItems->setCurrentRow(0);
    QCOMPARE(window.data->headerData(1, Qt::Horizontal).toString(), QStringLiteral("体重[kg]"));
    QCOMPARE(column(window, 0), (QStringList{"2002/08/01", "2002/08/23"}));
    QCOMPARE(column(window, 1), (QStringList{"61", "60.5"}));
    QVERIFY(window.spdAdd->isEnabled());
    QVERIFY(!window.spdChange->isEnabled());
    window.lsvData->setCurrentIndex(window.data->index(1, 0));
    QVERIFY(window.spdChange->isEnabled());
    QVERIFY(window.spdDelete->isEnabled());

    // Clicking the chosen item again shows what was written meanwhile.
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/02\xff"
                                                    "70\r\n");
    const QPoint first = window.lstItems->visualItemRect(window.lstItems->item(0)).center();
    QTest::mouseClick(window.lstItems->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(column(window, 1), QStringList{"70"});

    window.lstItems->clearSelection();
    QCOMPARE(window.data->headerData(1, Qt::Horizontal).toString(), QString());
    QVERIFY(!window.spdAdd->isEnabled());
    QVERIFY(!window.spdChange->isEnabled());
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
    QStringList listed;
    for (int i = 0; i < window.lstItems->count(); ++i)
        listed.append(window.lstItems->item(i)->text());
    QCOMPARE(listed.size(), 2);
    QVERIFY(listed.contains(QStringLiteral("腹囲[cm]")));
    QVERIFY(listed.contains(QStringLiteral("体重[kg]")));
    window.lstItems->setCurrentRow(int(listed.indexOf(QStringLiteral("腹囲[cm]"))));
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
    window.lstItems->setCurrentRow(1);
    QCOMPARE(window.data->rowCount(), 0);
    answerWith(prompt, [](TfrmDayRec &d) {
        d.txtValue->setText(QStringLiteral("5"));
        d.btnOK->click();
    });
    window.spdAdd->click();
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
    window.lstItems->setCurrentRow(0);
    int shown = 0;
    answerWith(
        prompt,
        [](TfrmDayRec &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("日々の記録（追加）"));
            QCOMPARE(d.lblKey->text(), QStringLiteral("体重[kg]"));
            QCOMPARE(d.lblKey->textFormat(), Qt::PlainText);
            QCOMPARE(d.dtp->date(), QDate(2002, 8, 23));
            QVERIFY(d.dtp->isEnabled());
            QVERIFY(d.txtValue->text().isEmpty());
            d.txtValue->setText(QStringLiteral("1.2.3"));
            d.btnOK->click();
            QCOMPARE(d.result(), int(QDialog::Accepted));
        },
        &shown);
    window.spdAdd->click();
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
    window.lstItems->setCurrentRow(0);
    bool visibleAfterCancel = false;
    answerWith(prompt, [&](TfrmDayRec &d) {
        d.txtValue->setText(QStringLiteral("62"));
        d.btnOK->click();
        // Cancel leaves the dialog open: it has no result yet.
        QCOMPARE(d.result(), result);
        visibleAfterCancel = d.result() == 0;
    });
    window.spdAdd->click();
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
    window.lstItems->setCurrentRow(0);
    answerWith(prompt, [](TfrmDayRec &d) {
        d.btnOK->click();
        QCOMPARE(d.result(), 0);
    });
    window.spdAdd->click();
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
    window.lstItems->setCurrentRow(0);
    window.lsvData->setCurrentIndex(window.data->index(1, 0)); // 2002/09/01 listed second
    answerWith(prompt, [](TfrmDayRec &d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("日々の記録（変更）"));
        QCOMPARE(d.dtp->date(), QDate(2002, 9, 1));
        QVERIFY(!d.dtp->isEnabled());
        QCOMPARE(d.txtValue->text(), QStringLiteral("59"));
        d.txtValue->setText(QStringLiteral("58.5"));
        d.btnOK->click();
    });
    window.spdChange->click();
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
    window.lstItems->setCurrentRow(0);
    window.lsvData->setCurrentIndex(window.data->index(0, 0));
    int shown = 0;
    answerWith(
        prompt, [](TfrmDayRec &) {}, &shown);
    window.spdChange->click();
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
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.lstItems->setCurrentRow(0);
    QString opened;
    answerWith(prompt, [&](TfrmDayRec &d) { opened = d.windowTitle(); });
    const QRect row = window.lsvData->visualRect(window.data->index(0, 0));
    const QPoint at = onRow ? row.center() : row.center() + QPoint(0, 5 * row.height());
    QTest::mouseDClick(window.lsvData->viewport(), Qt::LeftButton, {}, at);
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
    window.lstItems->setCurrentRow(0);
    QCOMPARE(window.data->rowCount(), 2);
    window.lsvData->setCurrentIndex(window.data->index(1, 0));
    window.spdDelete->click();
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(window.data->rowCount(), 0);
    QVERIFY(!window.spdDelete->isEnabled());
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
    window.lstItems->setCurrentRow(0);
    QCOMPARE(window.data->rowCount(), 6);
    window.dtp1->setDate(from);
    window.dtp2->setDate(to);
    QCOMPARE(window.data->rowCount(), 6); // the range counts only once it is ticked
    window.chkDataRange->click();
    QCOMPARE(column(window, 0), dates);
    window.chkDataRange->click();
    QCOMPARE(window.data->rowCount(), 6);
}

void TestDayRec::okSavesState() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    {
        TDayRec window;
        window.chkDataRange->setChecked(true);
        window.dtp1->setDate(QDate(2002, 6, 1));
        window.dtp2->setDate(QDate(2002, 6, 30));
        window.btnOK->click();
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }
    QCOMPARE(folder.read(QStringLiteral("setting/dayrec.ini")),
             QByteArray("[chkDataRange]\r\nChecked=1\r\n\r\n[dtp1]\r\nDate=37408\r\n\r\n"
                        "[dtp2]\r\nDate=37437\r\n\r\n"));
    TDayRec again;
    QVERIFY(again.chkDataRange->isChecked());
    QCOMPARE(again.dtp1->date(), QDate(2002, 6, 1));
    QCOMPARE(again.dtp2->date(), QDate(2002, 6, 30));
}

void TestDayRec::cancelDropsState() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    TDayRec window;
    window.chkDataRange->setChecked(true);
    window.btnCancel->click();
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
    for (QChar c : typed) {
        // Sent as typed characters, as a keyboard layout delivers them.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(dialog.txtValue, &press);
    }
    QCOMPARE(dialog.txtValue->text(), kept);
    QTest::keyClick(dialog.txtValue, Qt::Key_Backspace);
    QCOMPARE(dialog.txtValue->text(), kept.chopped(kept.isEmpty() ? 0 : 1));
}

void TestDayRec::pasteIsNotFiltered() {
    TfrmDayRec dialog("w", QStringLiteral("w"));
    QGuiApplication::clipboard()->setText(QStringLiteral("-5,0"));
    dialog.txtValue->paste();
    QCOMPARE(dialog.txtValue->text(), QStringLiteral("-5,0"));
}

void TestDayRec::help() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList());
    TDayRec window;
    QSignalSpy spy(&window, &TDayRec::helpRequested);
    window.btnHelp->click();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toInt(), 6);
    window.spdOnePoint->click();
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral(
                                 "色々なデータを収納して後でグラフ化して見る事ができます。「記録す"
                                 "る項目」を追加するには、「詳細設定」の「グラフ」タブで作成してく"
                                 "ださい。")});
}

QTEST_MAIN(TestDayRec)
#include "tst_dayrec.moc"
