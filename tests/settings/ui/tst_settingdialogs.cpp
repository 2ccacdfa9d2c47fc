#include "app/ui/intakecontroller.h"
#include "app/ui/settingpages.h"
#include "app/ui/tmainform.h"
#include "caldata/ui/tfiles.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "help/helpfiles.h"
#include "help/ui/help.h"
#include "records/ui/recorditemspage.h"
#include "records/ui/recordwindows.h"
#include "records/ui/tfrmgraph.h"
#include "records/ui/tgraph.h"
#include "settings/ui/calorycombo.h"
#include "settings/ui/colorcircle.h"
#include "settings/ui/teditcaldata.h"
#include "settings/ui/tenergycalc.h"
#include "settings/ui/tfontsetting.h"
#include "settings/ui/tsetting.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <functional>

using namespace zk;

namespace {

// Runs the step on the next modal dialog of the given class once it is shown
// (the dialogs are opened with exec(), which blocks the test).
template <class Dialog> void whenShown(std::function<void(Dialog *)> step) {
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            step(dialog);
            // A failed check returns early: never leave the test blocked.
            if (dialog->isVisible())
                dialog->reject();
        }
    });
    timer->start();
}

void selectRow(QTreeView *view, int row) {
    view->selectionModel()->setCurrentIndex(view->model()->index(row, 0),
                                            QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
}

const QByteArray
    projectIni("[mnuFindTopMost]\r\nChecked=1\r\n\r\n[mnuArrowDup]\r\nChecked=0\r\n\r\n"
               "[mnuBanDup]\r\nChecked=0\r\n\r\n[mnuConfirmDup]\r\nChecked=1\r\n\r\n");

} // namespace

class TestSettingDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void mainWindowWithoutFiles();
    void mainWindowLoadsOptions();
    void settingsOpenFromMenuAndToolBar();
    void calorycomboKeepsPosition_data();
    void calorycomboKeepsPosition();
    void addedLimitReachesComboAndFile();
    void emptyLimitTitleAddsNothing();
    void cancelDiscardsEverything();
    void failedOkKeepsDialogOpen_data();
    void failedOkKeepsDialogOpen();
    void fontDialogRoundTrip();
    void colourChooserGivesPlainColours_data();
    void colourChooserGivesPlainColours();
    void okAppliesFontsAndColours();
    void recordItemsAddChangeDelete();
    void typingFollowsTabOrder();
    void badColourTextUsesDesignColour();
    void okRefreshesMainWindow();
    void energyCalculation();
    void buttonsFollowSelection();

private:
    HelpService m_help;
};

void TestSettingDialogs::initTestCase() {
    HelpTopics::setInstance(&m_help);
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestSettingDialogs::mainWindowWithoutFiles() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    {
        TMainForm form;
        auto *cmbLimit = test::child<QComboBox>(&form, "cmbLimit");
        QStringList entries;
        for (int i = 0; i < cmbLimit->count(); ++i)
            entries.append(cmbLimit->itemText(i));
        QCOMPARE(
            entries,
            (QStringList{QStringLiteral("1日の基準 : 2500 kcal"), QStringLiteral("朝 : 750 kcal"),
                         QStringLiteral("昼 : 750 kcal"), QStringLiteral("夜 : 1000 kcal")}));
        QCOMPARE(cmbLimit->currentIndex(), 0);
        form.show();
        form.close();
    }
    QCOMPARE(folder.read(QStringLiteral("setting/project.ini")), projectIni);
    QVERIFY(!folder.exists(QStringLiteral("setting/setting.ini"))); // nothing saved behind the user
    QVERIFY(prompt.asked.isEmpty());
}

void TestSettingDialogs::mainWindowLoadsOptions() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/project.ini"),
                 "[mnuBanDup]\r\nChecked=1\r\n[mnuFindTopMost]\r\nChecked = 1\r\nChecked=0\r\n");
    folder.write(QStringLiteral("setting/setting.ini"), "[UPDDAYCAL]\r\nposition=12000\r\n");
    // The fonts and colours of the file from the start; a short row keeps the design.
    folder.write(QStringLiteral("setting/font.dat"), "a\xff"
                                                     "IPAGothic\xff"
                                                     "14\xff"
                                                     "1\xff"
                                                     "clRed\xff"
                                                     "clYellow\r\nb\xff"
                                                     "IPAMincho\r\n");
    TMainForm form;
    auto *trvCal = test::child<QTreeView>(&form, "trvCal");
    auto *trvFile = test::child<QTreeView>(&form, "trvFile");
    QCOMPARE(trvFile->font().family(), QStringLiteral("IPAGothic"));
    QCOMPARE(trvFile->font().pointSize(), 14);
    QVERIFY(trvFile->font().bold());
    QCOMPARE(trvFile->palette().color(QPalette::Text), QColor(Qt::red));
    QCOMPARE(trvFile->palette().color(QPalette::Base), QColor(Qt::yellow));
    QCOMPARE(trvCal->font().family(), QStringLiteral("ＭＳ Ｐ明朝"));
    QCOMPARE(trvCal->font().pointSize(), 10);
    QCOMPARE(test::child<QLabel>(&form, "pnlTitle")->palette().color(QPalette::Window),
             QColor(0, 0, 0x80));
    QVERIFY(test::child<QAction>(&form, "mnuBanDup")->isChecked());
    QVERIFY(!test::child<QAction>(&form, "mnuConfirmDup")->isChecked());
    QVERIFY(!test::child<QAction>(&form, "mnuFindTopMost")->isChecked());
    QCOMPARE(test::child<QComboBox>(&form, "cmbLimit")->itemText(0),
             QStringLiteral("1日の基準 : 12000 kcal"));
    form.show();
    form.close();
    QCOMPARE(folder.read(QStringLiteral("setting/project.ini")),
             QByteArray("[mnuBanDup]\r\nChecked=1\r\n\r\n[mnuFindTopMost]\r\nChecked = 1\r\n"
                        "Checked=0\r\n\r\n[mnuArrowDup]\r\nChecked=0\r\n\r\n[mnuConfirmDup]\r\n"
                        "Checked=0\r\n\r\n"));
}

void TestSettingDialogs::settingsOpenFromMenuAndToolBar() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    TMainForm form;
    auto *mnuSetting = test::child<QAction>(&form, "mnuSetting");
    auto *btnSetting = test::child<QAction>(&form, "btnSetting");
    QVERIFY(mnuSetting->isEnabled());
    QVERIFY(btnSetting->isEnabled());
    for (QAction *command : {mnuSetting, btnSetting}) {
        QString caption;
        int tabs = 0;
        whenShown<TSetting>([&](TSetting *dialog) {
            caption = dialog->windowTitle();
            tabs = dialog->findChild<QTabWidget *>()->count();
            QCOMPARE(dialog->focusWidget(), test::child<QPushButton>(dialog, "btnCancel"));
            // Help asks for its topic (the topic file is missing here).
            test::child<QPushButton>(dialog, "btnhelp")->click();
            dialog->reject();
        });
        command->trigger();
        QCOMPARE(caption, QStringLiteral("設定"));
        QCOMPARE(tabs, 3);
    }
    QCOMPARE(prompt.texts(), QStringList(2, HelpFiles::missingMessage(HelpFiles::topicFile())));
}

void TestSettingDialogs::calorycomboKeepsPosition_data() {
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("expected");
    QTest::newRow("kept") << 2 << 4 << 2;
    QTest::newRow("last still there") << 2 << 3 << 2;
    QTest::newRow("gone") << 2 << 2 << -1;
    QTest::newRow("none stays none") << -1 << 4 << -1;
}

void TestSettingDialogs::calorycomboKeepsPosition() {
    QFETCH(int, selected);
    QFETCH(int, entries);
    QFETCH(int, expected);
    QComboBox combo;
    combo.addItems({"a", "b", "c", "d"});
    combo.setCurrentIndex(selected);
    QSignalSpy activated(&combo, &QComboBox::activated);
    QStringList list;
    for (int i = 0; i < entries; ++i)
        list.append(QString::number(i));
    SetCaloryCombo(&combo, list);
    QCOMPARE(combo.count(), entries);
    QCOMPARE(combo.currentIndex(), expected);
    QCOMPARE(activated.size(), 0);
}

void TestSettingDialogs::addedLimitReachesComboAndFile() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    QComboBox combo;
    TSetting dialog({&combo});
    auto *upddaycal = test::child<QSpinBox>(&dialog, "upddaycal");
    addRecordItemsPage(dialog);
    dialog.load();
    whenShown<TEditCalData>([](TEditCalData *edit) {
        QCOMPARE(edit->windowTitle(), QStringLiteral("基準ｶﾛﾘｰの編集(追加)"));
        QCOMPARE(test::child<QSpinBox>(edit, "updStandardCalory")->text(), QStringLiteral("1,000"));
        test::child<QLineEdit>(edit, "txtTitle")->setText(QStringLiteral("間食"));
        test::child<QSpinBox>(edit, "updStandardCalory")->setValue(200);
        edit->accept();
    });
    test::child<QPushButton>(&dialog, "spdDAdd")->click();
    upddaycal->setValue(12000);
    QCOMPARE(upddaycal->text(), QStringLiteral("12,000"));
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(combo.count(), 5);
    QCOMPARE(combo.itemText(0), QStringLiteral("1日の基準 : 12000 kcal"));
    QCOMPARE(combo.itemText(4), QStringLiteral("間食 : 200 kcal"));
    QCOMPARE(folder.read(QStringLiteral("setting/standard.dat")),
             QByteArray("\x92\xa9\xff"
                        "750 kcal\r\n\x92\x8b\xff"
                        "750 kcal\r\n\x96\xe9\xff"
                        "1000 kcal\r\n\x8a\xd4\x90\x48\xff"
                        "200 kcal\r\n"));
    QCOMPARE(folder.read(QStringLiteral("setting/setting.ini")),
             QByteArray("[upddaycal]\r\nPosition=12000\r\n\r\n"));
    QVERIFY(folder.exists(QStringLiteral("setting/font.dat")));
    QCOMPARE(folder.read(QStringLiteral("setting/graph.dat")), QByteArray());
}

void TestSettingDialogs::emptyLimitTitleAddsNothing() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    TSetting dialog({});
    addRecordItemsPage(dialog);
    dialog.load();
    whenShown<TEditCalData>([](TEditCalData *edit) { edit->accept(); });
    test::child<QPushButton>(&dialog, "spdDAdd")->click();
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("タイトルを記入して下さい。")});
    QCOMPARE(dialog.data().standards.rowCount(), 3);

    // Changing keeps the row when the title is emptied, and takes a new value otherwise.
    selectRow(test::child<QTreeView>(&dialog, "lsvDefine"), 2);
    whenShown<TEditCalData>([](TEditCalData *edit) {
        QCOMPARE(edit->windowTitle(), QStringLiteral("基準ｶﾛﾘｰの編集(変更)"));
        QCOMPARE(test::child<QLineEdit>(edit, "txtTitle")->text(), QStringLiteral("夜"));
        QCOMPARE(test::child<QSpinBox>(edit, "updStandardCalory")->value(), 1000);
        test::child<QSpinBox>(edit, "updStandardCalory")->setValue(900);
        edit->accept();
    });
    test::child<QPushButton>(&dialog, "spdDChange")->click();
    QCOMPARE(dialog.data().standards.row(2), (ListRow{"\x96\xe9", "900 kcal"}));
}

void TestSettingDialogs::cancelDiscardsEverything() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    QComboBox combo;
    combo.addItem(QStringLiteral("x"));
    {
        TSetting dialog({&combo});
        addRecordItemsPage(dialog);
        dialog.load();
        test::child<QSpinBox>(&dialog, "upddaycal")->setValue(1800);
        selectRow(test::child<QTreeView>(&dialog, "lsvDefine"), 0);
        test::child<QPushButton>(&dialog, "spdDDelete")->click();
        QCOMPARE(dialog.data().standards.rowCount(), 2);
        test::child<QPushButton>(&dialog, "btnCancel")->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QVERIFY(!folder.exists(QStringLiteral("setting")));
    QCOMPARE(combo.itemText(0), QStringLiteral("x"));
}

void TestSettingDialogs::failedOkKeepsDialogOpen_data() {
    QTest::addColumn<QString>("blocker");  // a file where a folder is needed
    QTest::addColumn<QByteArray>("fonts"); // font.dat, if any
    QTest::addColumn<QString>("message");
    QTest::newRow("unwritable setting.ini")
        << QStringLiteral("setting") << QByteArray()
        << QStringLiteral("ファイル %1setting/setting.ini "
                          "を作成できません\nディレクトリ%1settingが作れません。");
}

void TestSettingDialogs::failedOkKeepsDialogOpen() {
    QFETCH(QString, blocker);
    QFETCH(QByteArray, fonts);
    QFETCH(QString, message);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    if (!fonts.isEmpty())
        folder.write(QStringLiteral("setting/font.dat"), fonts);
    QComboBox combo;
    TSetting dialog({&combo});
    auto *upddaycal = test::child<QSpinBox>(&dialog, "upddaycal");
    addRecordItemsPage(dialog);
    dialog.load();
    if (!blocker.isEmpty())
        folder.write(blocker, "not a folder");
    dialog.show();
    upddaycal->setValue(3100);
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(prompt.texts(), QStringList{message.arg(ProgramFolder::path())});
    QVERIFY(dialog.isVisible());
    QCOMPARE(upddaycal->value(), 3100);
    QCOMPARE(combo.count(), 0);
    QVERIFY(!folder.exists(QStringLiteral("setting/setting.ini")));
}

void TestSettingDialogs::fontDialogRoundTrip() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/font.dat"), "\x83\x70\x81\x5b\x83\x63\xff"
                                                     "Tahoma\xff"
                                                     "12\xff"
                                                     "5\xff"
                                                     "clRed\xff"
                                                     "$000080FF\xff"
                                                     "extra\r\n");
    TSetting dialog({});
    auto *spdFontSetting = test::child<QPushButton>(&dialog, "spdFontSetting");
    addRecordItemsPage(dialog);
    dialog.load();
    QCOMPARE(dialog.data().fonts.rowCount(), 1);
    selectRow(test::child<QTreeView>(&dialog, "lsvFont"), 0);
    whenShown<TFontSetting>([](TFontSetting *font) {
        QCOMPARE(font->windowTitle(), QStringLiteral("「パーツ」の設定"));
        QCOMPARE(test::child<QComboBox>(font, "cmbFont")->currentText(), QStringLiteral("Tahoma"));
        QCOMPARE(test::child<QComboBox>(font, "cmbSize")->currentText(), QStringLiteral("12"));
        QVERIFY(test::child<QCheckBox>(font, "chkBold")->isChecked());
        QVERIFY(!test::child<QCheckBox>(font, "chkItalic")->isChecked());
        QVERIFY(test::child<QCheckBox>(font, "chkUnderline")->isChecked());
        QCOMPARE(test::child<ColorCircle>(font, "shpColor")->color(), ColorValue(0xFF));
        font->accept();
    });
    spdFontSetting->click();
    QCOMPARE(dialog.data().fonts.row(0), (ListRow{"\x83\x70\x81\x5b\x83\x63", "Tahoma", "12", "5",
                                                  "clRed", "$000080FF", "extra"}));

    whenShown<TFontSetting>([](TFontSetting *font) {
        test::child<QComboBox>(font, "cmbFont")->setEditText(QString());
        test::child<QComboBox>(font, "cmbSize")->setEditText(QStringLiteral("big"));
        test::child<QCheckBox>(font, "chkItalic")->setChecked(true);
        font->accept();
    });
    spdFontSetting->click();
    QCOMPARE(dialog.data().fonts.row(0),
             (ListRow{"\x83\x70\x81\x5b\x83\x63", sjis::encode(u"ＭＳ Ｐ明朝"), "10", "7", "clRed",
                      "$000080FF", "extra"}));
}

void TestSettingDialogs::colourChooserGivesPlainColours_data() {
    QTest::addColumn<QColor>("picked");
    QTest::addColumn<QString>("text");
    QTest::newRow("red") << QColor(255, 0, 0) << QStringLiteral("clRed");
    QTest::newRow("orange") << QColor(255, 128, 0) << QStringLiteral("$000080FF");
}

void TestSettingDialogs::colourChooserGivesPlainColours() {
    QFETCH(QColor, picked);
    QFETCH(QString, text);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    TSetting dialog({});
    addRecordItemsPage(dialog);
    dialog.load();
    selectRow(test::child<QTreeView>(&dialog, "lsvFont"), 3);
    whenShown<TFontSetting>([&](TFontSetting *font) {
        // Another button does nothing; the left one opens the chooser.
        auto *circle = test::child<ColorCircle>(font, "shpBkColor");
        int asked = 0;
        prompt.answerColor = [&](const QColor &) {
            ++asked;
            return picked;
        };
        QTest::mouseRelease(circle, Qt::RightButton);
        QCOMPARE(asked, 0);
        QTest::mouseRelease(circle, Qt::LeftButton);
        QCOMPARE(asked, 1);
        font->accept();
    });
    test::child<QPushButton>(&dialog, "spdFontSetting")->click();
    QCOMPARE(dialog.data().fonts.cellText(3, 5), text);
    QCOMPARE(dialog.data().fonts.cellText(3, 4), QStringLiteral("clWhite"));
}

void TestSettingDialogs::okAppliesFontsAndColours() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    QByteArray fonts;
    for (int i = 0; i < 5; ++i)
        fonts += "p\xff"
                 "IPAGothic\xff" +
                 QByteArray::number(11 + i) +
                 "\xff"
                 "3\xff"
                 "clRed\xff"
                 "clYellow\r\n";
    folder.write(QStringLiteral("setting/font.dat"), fonts);
    QComboBox combo;
    QTreeView trvFile, trvCal, lsvCal;
    QLabel pnlTitle;
    QWidget pnlTotal;
    TSetting dialog({&combo, &trvFile, &trvCal, &lsvCal, &pnlTitle, &pnlTotal});
    addRecordItemsPage(dialog);
    dialog.load();
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QList<QWidget *> parts{&trvFile, &trvCal, &lsvCal, &pnlTitle, &pnlTotal};
    for (int i = 0; i < parts.size(); ++i) {
        const QFont font = parts[i]->font();
        QCOMPARE(font.family(), QStringLiteral("IPAGothic"));
        QCOMPARE(font.pointSize(), 11 + i);
        QVERIFY(font.bold() && font.italic() && !font.underline());
        QCOMPARE(parts[i]->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(parts[i]->palette().color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(parts[i]->palette().color(QPalette::Window), QColor(Qt::yellow));
    }
}

void TestSettingDialogs::recordItemsAddChangeDelete() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), "\x91\xcc\x8f\x64\xff"
                                                      "kg\xff"
                                                      "60\r\n");
    folder.write(QStringLiteral("record/体重.dat"), "2002/08/23\xff"
                                                    "60\r\n");
    TSetting dialog({});
    RecordItemsPage *graph = addRecordItemsPage(dialog);
    auto *lsvGraph = test::child<QTreeView>(graph, "lsvGraph");
    auto *spdDelete = test::child<QPushButton>(graph, "spdDelete");
    dialog.load();
    QAbstractItemModelTester tester(&graph->items);

    whenShown<TfrmGraph>([](TfrmGraph *item) {
        QCOMPARE(item->windowTitle(), QStringLiteral("ｸﾞﾗﾌ（追加）"));
        QCOMPARE(test::child<QComboBox>(item, "cmbUnit")->count(), 11);
        test::child<QLineEdit>(item, "txtItem")->setText(QStringLiteral("ウエスト"));
        test::child<QComboBox>(item, "cmbUnit")->setEditText(QStringLiteral("cm"));
        test::child<QPushButton>(item, "btnOK")->click();
    });
    test::child<QPushButton>(graph, "spdAdd")->click();
    QCOMPARE(graph->items.cellText(0, 0), QStringLiteral("ウエスト")); // sorts first
    QCOMPARE(lsvGraph->currentIndex().row(), 0);

    selectRow(lsvGraph, 1);
    whenShown<TfrmGraph>([](TfrmGraph *item) {
        QCOMPARE(item->windowTitle(), QStringLiteral("ｸﾞﾗﾌ（変更）"));
        QCOMPARE(test::child<QLineEdit>(item, "txtItem")->text(), QStringLiteral("体重"));
        QCOMPARE(test::child<QComboBox>(item, "cmbUnit")->currentText(), QStringLiteral("kg"));
        QCOMPARE(test::child<QLineEdit>(item, "txtTarget")->text(), QStringLiteral("60"));
        test::child<QLineEdit>(item, "txtTarget")->setText(QStringLiteral("55"));
        test::child<QPushButton>(item, "btnOK")->click();
    });
    test::child<QPushButton>(graph, "spdChange")->click();
    QCOMPARE(graph->items.cellText(1, 2), QStringLiteral("55"));

    selectRow(lsvGraph, 1);
    prompt.answers = {Prompt::Answer::Cancel, Prompt::Answer::Yes};
    spdDelete->click();
    QCOMPARE(graph->items.rowCount(), 2);
    spdDelete->click();
    QCOMPARE(prompt.asked.last().kind, QStringLiteral("question"));
    QCOMPARE(
        prompt.asked.last().text,
        QStringLiteral("項目「体重」を一覧から削除しますか？\n記録ファイルはそのまま残ります。"));
    QCOMPARE(graph->items.rowCount(), 1);
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(folder.read(QStringLiteral("setting/graph.dat")), sjis::encode(u"ウエスト") +
                                                                   "\xff"
                                                                   "cm\xff\r\n");
    QVERIFY(folder.exists(QStringLiteral("record/体重.dat")));
}

// A name and a unit that are not CP932 show as U+FFFD; changing the target
// leaves their bytes, and the cells after the third, as they were.
void TestSettingDialogs::typingFollowsTabOrder() {
    test::ScriptedWindowPrompt prompt;
    // The limit dialog takes typing in its title; Enter on an empty title
    // says so and keeps what was typed.
    TEditCalData edit(TEditCalData::Mode::Add);
    auto *txtTitle = test::child<QLineEdit>(&edit, "txtTitle");
    auto *updStandardCalory = test::child<QSpinBox>(&edit, "updStandardCalory");
    edit.show();
    QVERIFY(QTest::qWaitForWindowActive(&edit));
    QCOMPARE(QApplication::focusWidget(), txtTitle);
    updStandardCalory->setValue(300);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("タイトルを記入して下さい。")});
    QVERIFY(edit.isVisible());
    QCOMPARE(updStandardCalory->value(), 300);
    QTest::keyClicks(txtTitle, QStringLiteral("x"));
    QTest::keyClick(txtTitle, Qt::Key_Return);
    QCOMPARE(edit.result(), int(QDialog::Accepted));
}

// A colour text that is no colour neither locks the font dialog nor the
// settings: the design colour stands in, and the user is told.
void TestSettingDialogs::badColourTextUsesDesignColour() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/font.dat"), "p\xff"
                                                     "F\xff"
                                                     "10\xff"
                                                     "0\xff"
                                                     "red\xff"
                                                     "clWhite\r\n");
    const QString message =
        QStringLiteral("'red' は整数ではありません。「p」の文字色は既定の色にします。");
    QComboBox combo;
    QTreeView trvFile;
    TSetting dialog({&combo, &trvFile});
    addRecordItemsPage(dialog);
    dialog.load();
    selectRow(test::child<QTreeView>(&dialog, "lsvFont"), 0);
    ColorValue shown = 1;
    whenShown<TFontSetting>([&](TFontSetting *font) { shown = font->partFont().color; });
    test::child<QPushButton>(&dialog, "spdFontSetting")->click();
    QCOMPARE(shown, ColorValue(0)); // clBlack, the design colour of the row
    QCOMPARE(prompt.texts(), QStringList{message});

    dialog.show();
    test::child<QSpinBox>(&dialog, "upddaycal")->setValue(3100);
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(prompt.texts(), (QStringList{message, message}));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(combo.itemText(0), QStringLiteral("1日の基準 : 3100 kcal"));
    QCOMPARE(trvFile.palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(trvFile.palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(folder.read(QStringLiteral("setting/font.dat"))
                .startsWith("p\xff"
                            "F\xff"
                            "10\xff"
                            "0\xff"
                            "red\xff"));
}

void TestSettingDialogs::okRefreshesMainWindow() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), "w\xff\xff\r\n");
    TMainForm form;
    TGraph *graph = form.findChild<RecordWindows *>()->graph();
    auto *lstItems = test::child<QListWidget>(graph, "lstItems");
    lstItems->setCurrentRow(0);
    std::optional<FoodPick> pick = FoodPick::of("\x82\xb2\x94\xd1", 1300);
    form.intake().setFoodSource([&] { return pick; });
    test::child<QAction>(&form, "mnuAddList")->trigger();
    whenShown<TSetting>([](TSetting *dialog) {
        test::child<QSpinBox>(dialog, "upddaycal")->setValue(2700);
        dialog->findChild<RecordItemsPage *>()->items.addItem({"a", "kg", ""});
        test::child<QPushButton>(dialog, "btnOK")->click();
    });
    test::child<QAction>(&form, "mnuSetting")->trigger();
    // The total follows the limit now chosen ...
    QCOMPARE(test::child<QComboBox>(&form, "cmbLimit")->currentText(),
             QStringLiteral("1日の基準 : 2700 kcal"));
    QCOMPARE(test::child<QLabel>(&form, "lblTotalCal")->text(),
             QStringLiteral("総取得ｶﾛﾘｰ : 1,300 kcal／2,700 kcal"));
    // ... and the graph lists the item made, after the food diary's totals
    // that the food added began, the chosen one still chosen.
    QCOMPARE(lstItems->count(), 3);
    QCOMPARE(lstItems->item(0)->text(), QStringLiteral("摂取ｶﾛﾘｰ[kcal]"));
    QCOMPARE(lstItems->item(1)->text(), QStringLiteral("a[kg]"));
    QCOMPARE(lstItems->currentRow(), 2);
    QVERIFY(lstItems->item(2)->isSelected());
    QVERIFY(prompt.asked.isEmpty());
}

// 計算... proposes the standard from the body, the latest 体重 offered; an
// input out of range shows its range and no estimate; OK of both dialogs
// puts it in the limit list, and the inputs are there the next time.
void TestSettingDialogs::energyCalculation() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("record/") + QStringLiteral("体重.dat"),
                 "2026/11/30\xff"
                 "53.5\r\n2026/12/01\xff"
                 "52\r\n2026/12/02\xff?\r\n");
    TMainForm form;
    QStringList seen; // what each opening saw
    prompt.answerDialog = [&seen](QDialog &dialog) {
        auto *txtAge = test::child<QLineEdit>(&dialog, "txtAge");
        auto *lblResult = test::child<QLabel>(&dialog, "lblResult");
        auto *btnOK = test::child<QPushButton>(&dialog, "btnOK");
        if (seen.isEmpty()) {
            [&] {
                QCOMPARE(test::child<QLineEdit>(&dialog, "txtWeight")->text(),
                         QStringLiteral("52.0"));
            }();
            test::child<QRadioButton>(&dialog, "rdoSex1")->click();
            test::child<QRadioButton>(&dialog, "rdoActivity1")->click();
            test::child<QLineEdit>(&dialog, "txtHeight")->setText(QStringLiteral("１５８"));
            txtAge->setText(QStringLiteral("17"));
            const bool refused =
                !btnOK->isEnabled() && lblResult->text().contains(QStringLiteral("18～100歳"));
            txtAge->setText(QStringLiteral("30"));
            seen.append(refused ? QStringLiteral("refused") : lblResult->text());
        } else {
            seen.append(txtAge->text() + u' ' +
                        test::child<QLineEdit>(&dialog, "txtHeight")->text());
        }
        dialog.accept();
        return dialog.result();
    };
    whenShown<TSetting>([](TSetting *dialog) {
        test::child<QPushButton>(dialog, "btnEnergyCalc")->click();
        QCOMPARE(test::child<QSpinBox>(dialog, "upddaycal")->value(), 1990);
        test::child<QPushButton>(dialog, "btnEnergyCalc")->click(); // opens with the last inputs
        test::child<QPushButton>(dialog, "btnOK")->click();
    });
    test::child<QAction>(&form, "mnuSetting")->trigger();
    QCOMPARE(seen, (QStringList{"refused", "30 158.0"}));
    QCOMPARE(test::child<QComboBox>(&form, "cmbLimit")->itemText(0),
             QStringLiteral("1日の基準 : 1990 kcal"));
    QCOMPARE(folder.read(QStringLiteral("setting/energy.ini")),
             QByteArray("[Energy]\r\nSex=1\r\nAge=30\r\nHeight=1580\r\nWeight=520\r\n"
                        "Activity=1\r\nWeeklyChange=0\r\n\r\n"));
    QVERIFY(prompt.asked.isEmpty());
}

void TestSettingDialogs::buttonsFollowSelection() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), "a\xff\xff\r\n");
    TSetting dialog({});
    auto *spdDUp = test::child<QToolButton>(&dialog, "spdDUp");
    auto *spdDDown = test::child<QToolButton>(&dialog, "spdDDown");
    auto *lsvDefine = test::child<QTreeView>(&dialog, "lsvDefine");
    RecordItemsPage *graph = addRecordItemsPage(dialog);
    dialog.load();
    QList<QWidget *> needRow;
    for (const char *name : {"spdFontSetting", "spdDChange", "spdDDelete", "spdDUp", "spdDDown",
                             "spdChange", "spdDelete"})
        needRow << test::child<QWidget>(&dialog, name);
    for (QWidget *w : needRow)
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    selectRow(test::child<QTreeView>(&dialog, "lsvFont"), 0);
    selectRow(lsvDefine, 0);
    selectRow(test::child<QTreeView>(graph, "lsvGraph"), 0);
    for (QWidget *w : needRow)
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(!test::child<QAbstractButton>(graph, "spdUp")->isEnabled() &&
            !test::child<QAbstractButton>(graph, "spdDown")->isEnabled());
    for (const char *name : {"lsvFont", "lsvDefine", "lsvGraph", "spdDUp", "upddaycal"})
        QVERIFY2(!test::child<QWidget>(&dialog, name)->accessibleName().isEmpty(), name);

    spdDUp->click(); // first row: nothing moves
    QCOMPARE(dialog.data().standards.cellText(0, 0), QStringLiteral("朝"));
    spdDDown->click();
    QCOMPARE(dialog.data().standards.cellText(1, 0), QStringLiteral("朝"));
    QCOMPARE(lsvDefine->currentIndex().row(), 1);
}

QTEST_MAIN(TestSettingDialogs)
#include "tst_settingdialogs.moc"
