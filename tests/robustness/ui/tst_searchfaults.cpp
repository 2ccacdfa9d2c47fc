// The search over tables that changed after the scan: a table gone or
// replaced by a folder is skipped, one replaced by a pipe is reported and
// keeps the rows found so far; bytes that are not valid CP932 show as a replacement character and
// stay as they were in the result row.
#include "app/ui/tmainform.h"
#include "caldata/calorielist.h"
#include "caldata/ui/tfinder.h"
#include "common/platform.h"
#include "common/sjis.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

#include <sys/stat.h>

using namespace zk;

namespace {

const QByteArray invalid("\x85\x40\xa0"); // no CP932 characters

QStringList foods(const QTreeView *view) {
    QStringList out;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        out << view->model()->index(r, 0).data().toString();
    return out;
}

} // namespace

class TestSearchFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    }
    void tableChangedAfterScan_data();
    void tableChangedAfterScan();
    void invalidBytesKept();
};

void TestSearchFaults::tableChangedAfterScan_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("gone") << "gone" << QStringList();
    QTest::newRow("replaced by a folder") << "folder" << QStringList();
    QTest::newRow("replaced by a pipe")
        << "pipe" << QStringList{QStringLiteral("ファイル %1data/b.cal は開けません")};
}

void TestSearchFaults::tableChangedAfterScan() {
    QFETCH(QString, fault);
    QFETCH(QStringList, messages);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("data/a.cal"), "@h\r\n\tsoba:1\r\n");
    folder.write(QStringLiteral("data/b.cal"), "soba noodles:2\r\n");
    folder.write(QStringLiteral("data/c.cal"), "soba tea:3\r\n");
    TMainForm form;
    auto *finder = form.findChild<TFinder *>();
    auto *lsvResult = test::child<QTreeView>(finder, "lsvResult");
    const QString b = folder.path(QStringLiteral("data/b.cal"));
    QVERIFY(QFile::remove(b));
    if (fault == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(b));
    if (fault == QLatin1String("pipe"))
        QCOMPARE(mkfifo(QFile::encodeName(b).constData(), 0600), 0);
    test::child<QLineEdit>(finder, "txtString")->setText(QStringLiteral("soba"));
    finder->spdFindClick();
    QTRY_VERIFY(!finder->search().isRunning());
    for (QString &m : messages)
        m = m.arg(ProgramFolder::path());
    QCOMPARE(prompt.texts(), messages);
    const QStringList found =
        fault == QLatin1String("pipe") ? QStringList{"soba"} : QStringList{"soba", "soba tea"};
    QCOMPARE(foods(lsvResult), found);
    // The window goes on: the next search runs once the fault is gone.
    QVERIFY(QDir().rmdir(b) || QFile::remove(b) || fault == QLatin1String("gone"));
    prompt.asked.clear();
    finder->spdFindClick();
    QTRY_VERIFY(!finder->search().isRunning());
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(foods(lsvResult), (QStringList{"soba", "soba tea"}));
}

void TestSearchFaults::invalidBytesKept() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("data/a.cal"), "@h\r\n\tsoba" + invalid + ":1\r\n");
    TMainForm form;
    auto *finder = form.findChild<TFinder *>();
    auto *lsvResult = test::child<QTreeView>(finder, "lsvResult");
    test::child<QLineEdit>(finder, "txtString")->setText(QStringLiteral("soba"));
    finder->spdFindClick();
    QTRY_VERIFY(!finder->search().isRunning());
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(lsvResult->model()->rowCount(), 1);
    QVERIFY(foods(lsvResult).first().contains(QChar(0xFFFD)));
    auto *results = qobject_cast<CalorieListModel *>(lsvResult->model());
    QVERIFY(results);
    QCOMPARE(results->row(0).foods, "soba" + invalid);
}

QTEST_MAIN(TestSearchFaults)
#include "tst_searchfaults.moc"
