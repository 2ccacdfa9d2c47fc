#include "app/ui/tmainform.h"
#include "common/platform.h"
#include "help/ui/help.h"
#include "records/ui/recordwindows.h"
#include "records/ui/tdayrec.h"
#include "records/ui/tfrmdayrec.h"
#include "records/ui/tgraph.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zk;

class TestRecordWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void commandsOpenTheWindows();
    void datePickersStartAtToday();

private:
    HelpService m_help;
};

void TestRecordWindows::initTestCase() {
    HelpTopics::setInstance(&m_help);
}

void TestRecordWindows::commandsOpenTheWindows() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), "w\xff\xff\r\n");
    QPointer<TGraph> graph;
    {
        TMainForm form;
        auto *btnData = test::child<QAction>(&form, "btnData");
        auto *btnGraph = test::child<QAction>(&form, "btnGraph");
        auto *mnuDayRec = test::child<QAction>(&form, "mnuDayRec");
        auto *records = form.findChild<RecordWindows *>();
        QVERIFY(records);
        graph = records->graph();
        QVERIFY(btnData->isEnabled());
        QVERIFY(btnGraph->isEnabled());
        QCOMPARE(mnuDayRec->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
        QCOMPARE(test::child<QAction>(&form, "mnuGraph")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+G")));

        // The graph exists from the start, hidden; its command shows it.
        QVERIFY(graph);
        QVERIFY(!graph->isVisible());
        QCOMPARE(test::child<QListWidget>(graph, "lstItems")->count(), 1);
        btnGraph->trigger();
        QVERIFY(graph->isVisible());
        QVERIFY(!graph->testAttribute(Qt::WA_QuitOnClose));

        // Each opening of the diary is a new modal window.
        QList<TDayRec *> opened;
        for (int i = 0; i < 2; ++i) {
            QTimer::singleShot(0, [&] {
                auto *diary = qobject_cast<TDayRec *>(QApplication::activeModalWidget());
                QVERIFY(diary);
                QVERIFY(diary->isModal());
                opened.append(diary);
                test::child<QPushButton>(diary, "btnHelp")->click();
                QTimer::singleShot(0, diary, &QDialog::reject);
            });
            (i == 0 ? mnuDayRec : btnData)->trigger();
        }
        QCOMPARE(opened.size(), 2);
        // Its help button asks for the help topic (whose pages this folder lacks).
        QCOMPARE(
            prompt.texts(),
            QStringList(2, QStringLiteral("ヘルプファイル『help/topics.html』が見つかりません。")));
    }
    QVERIFY(!graph);
}

// Without stored state the ranges are the last month and the entry's date is
// today; every drop-down calendar speaks Japanese whatever the locale.
void TestRecordWindows::datePickersStartAtToday() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Regional regional(QLocale(QLocale::Japanese, QLocale::Japan));
    regional.setToday([] { return QDate(2024, 3, 31); });
    Regional::setCurrent(regional);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), "w\xff\xff\r\n");
    TDayRec diary;
    TfrmDayRec entry("w", QStringLiteral("w"));
    TGraph graph;
    const QList<std::pair<QDateEdit *, QDate>> pickers{
        {test::child<QDateEdit>(&diary, "dtp1"), QDate(2024, 2, 29)},
        {test::child<QDateEdit>(&diary, "dtp2"), QDate(2024, 3, 31)},
        {test::child<QDateEdit>(&entry, "dtp"), QDate(2024, 3, 31)},
        {test::child<QDateEdit>(&graph, "dtpStart"), QDate(2024, 2, 29)},
        {test::child<QDateEdit>(&graph, "dtpEnd"), QDate(2024, 3, 31)},
    };
    for (const auto &[picker, date] : pickers) {
        QCOMPARE(picker->date(), date);
        QCOMPARE(picker->text(), date.toString(QStringLiteral("yyyy/MM/dd")));
        QVERIFY(picker->calendarPopup());
        const QLocale shown = picker->calendarWidget()->locale();
        QCOMPARE(shown.language(), QLocale::Japanese);
        QCOMPARE(shown.monthName(3), QStringLiteral("3月"));
    }
    QVERIFY(!test::child<QCheckBox>(&diary, "chkDataRange")->isChecked());
    QVERIFY(test::child<QCheckBox>(&graph, "chkDataRange")->isChecked());
    QLocale::setDefault(QLocale::system());
}

QTEST_MAIN(TestRecordWindows)
#include "tst_recordwindows.moc"
