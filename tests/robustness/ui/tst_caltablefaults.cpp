// Calorie tables that cannot be read as they were scanned (gone, replaced by
// a folder, damaged) are reported and leave the table shown before; bytes
// that are not valid CP932 show as a replacement character and reach the
// intake list unchanged.
#include "app/intakelist.h"
#include "app/ui/intakecontroller.h"
#include "app/ui/tmainform.h"
#include "caldata/calorielist.h"
#include "caldata/ui/tfiles.h"
#include "common/platform.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTreeView>

using namespace zk;

namespace {

QModelIndex top(const QAbstractItemModel *model, const QString &name) {
    const QModelIndexList hit =
        model->match(model->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    return hit.isEmpty() ? QModelIndex() : hit.first();
}

const QByteArray invalid("\x85\x40\xa0"); // no CP932 characters

} // namespace

class TestCalTableFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    }
    void unreadableTable_data();
    void unreadableTable();
    void invalidBytesReachTheIntakeList();
};

void TestCalTableFaults::unreadableTable_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("gone after the scan")
        << "gone" << QStringLiteral("「%1data/b.cal」が見つかりませんでした。");
    QTest::newRow("replaced by a folder")
        << "folder" << QStringLiteral("ファイル %1data/b.cal は開けません");
    QTest::newRow("nesting skips a level")
        << "damaged" << QStringLiteral("アイテム \"q:1\" の階層 (2) が不正です");
}

void TestCalTableFaults::unreadableTable() {
    QFETCH(QString, fault);
    QFETCH(QString, message);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("data/a.cal"), "@x\r\n\ty:1\r\n");
    folder.write(QStringLiteral("data/b.cal"), "z:2\r\n");
    TMainForm form;
    auto *trvCal = test::child<QTreeView>(&form, "trvCal");
    QTreeView *trvFile = test::child<QTreeView>(&form, "trvFile");
    trvFile->setCurrentIndex(top(trvFile->model(), QStringLiteral("a")));
    const QString b = folder.path(QStringLiteral("data/b.cal"));
    if (fault != QLatin1String("damaged"))
        QVERIFY(QFile::remove(b));
    if (fault == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(b));
    if (fault == QLatin1String("damaged"))
        folder.write(QStringLiteral("data/b.cal"), "p\r\n\t\tq:1\r\n");
    trvFile->setCurrentIndex(top(trvFile->model(), QStringLiteral("b")));
    QCOMPARE(prompt.texts(), QStringList{message.arg(ProgramFolder::path())});
    // The table shown before stays, and the program goes on with it.
    QCOMPARE(trvCal->model()->index(0, 0).data().toString(), QStringLiteral("x"));
    trvCal->setCurrentIndex(trvCal->model()->index(0, 0, trvCal->model()->index(0, 0)));
    test::child<QAction>(&form, "mnuAddList")->trigger();
    QCOMPARE(form.intake().list().model()->rowCount(), 1);
}

void TestCalTableFaults::invalidBytesReachTheIntakeList() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("data/a.cal"), "@" + invalid + "\r\n\t" + invalid + "y:150\r\n");
    TMainForm form;
    auto *trvCal = test::child<QTreeView>(&form, "trvCal");
    QTreeView *trvFile = test::child<QTreeView>(&form, "trvFile");
    trvFile->setCurrentIndex(top(trvFile->model(), QStringLiteral("a")));
    const QModelIndex heading = trvCal->model()->index(0, 0);
    QVERIFY(heading.data().toString().contains(QChar(0xFFFD)));
    trvCal->setCurrentIndex(trvCal->model()->index(0, 0, heading));
    test::child<QAction>(&form, "mnuAddList")->trigger();
    QVERIFY2(prompt.asked.isEmpty(), qPrintable(prompt.texts().join('\n')));
    QCOMPARE(form.intake().list().model()->rowCount(), 1);
    QCOMPARE(form.intake().list().model()->row(0).list.foods, invalid + "y");
    QVERIFY(form.intake().list().model()->index(0, 0).data().toString().contains(QChar(0xFFFD)));
}

QTEST_MAIN(TestCalTableFaults)
#include "tst_caltablefaults.moc"
