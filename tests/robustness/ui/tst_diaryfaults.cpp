// Faults while the diary reads and writes record files: each is reported,
// the old file stays whole, the window goes on and the entry dialog keeps
// the value typed. Bytes that are not valid CP932 show as a replacement
// character and are written back unchanged.
#include "common/platform.h"
#include "records/ui/tdayrec.h"
#include "records/ui/tfrmdayrec.h"
#include "records/ui/tgraph.h"

#include "support/filesizelimit.h"
#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <optional>

using namespace zk;

namespace {

const QByteArray itemList("\x91\xcc\x8f\x64\xff"
                          "kg\xff"
                          "60\r\n"); // 体重
const QString record = QStringLiteral("record/体重.dat");
const QByteArray oldRecord("2002/08/01\xff"
                           "61\r\n");
const QByteArray invalid("\x85\x40\xa0"); // no CP932 characters

} // namespace

class TestDiaryFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void unreadableRecord_data();
    void unreadableRecord();
    void failedAddKeepsEntry_data();
    void failedAddKeepsEntry();
    void failedOkKeepsWindow();
    void invalidBytesKept();
    void graphWithUnreadableRecord();
    void graphCloseOnFullDisk();
};

void TestDiaryFaults::initTestCase() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestDiaryFaults::unreadableRecord_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("record file is a folder")
        << "folder" << QStringLiteral("ファイル %1record/体重.dat は開けません");
    QTest::newRow("record folder is a file")
        << "file" << QStringLiteral("ディレクトリ%1recordが作れません。");
}

void TestDiaryFaults::unreadableRecord() {
    QFETCH(QString, fault);
    QFETCH(QString, message);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList);
    if (fault == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(folder.path(record)));
    else
        folder.write(QStringLiteral("record"), "a file where the folder should be");
    TDayRec window;
    window.show();
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    QCOMPARE(prompt.texts(), QStringList{message.arg(ProgramFolder::path())});
    QCOMPARE(test::child<ListTableModel>(&window, "data")->rowCount(), 0);
    QVERIFY(window.isVisible());
    // Adding goes on to report the same fault, never a success.
    prompt.asked.clear();
    int shown = 0;
    prompt.answerDialog = [&](QDialog &d) {
        ++shown;
        auto &entry = static_cast<TfrmDayRec &>(d);
        test::child<QLineEdit>(&entry, "txtValue")->setText(QStringLiteral("60.5"));
        test::child<QPushButton>(&entry, "btnOK")->click();
        return d.result();
    };
    test::child<QPushButton>(&window, "spdAdd")->click();
    QCOMPARE(shown, 1);
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked.first().kind, QStringLiteral("error"));
}

void TestDiaryFaults::failedAddKeepsEntry_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("disk full") << "full";
    QTest::newRow("record file replaced by a folder") << "folder";
}

void TestDiaryFaults::failedAddKeepsEntry() {
    QFETCH(QString, fault);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList);
    folder.write(record, oldRecord);
    TDayRec window;
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    QCOMPARE(test::child<ListTableModel>(&window, "data")->rowCount(), 1);
    bool kept = false;
    prompt.answerDialog = [&](QDialog &d) {
        auto &entry = static_cast<TfrmDayRec &>(d);
        auto *txtValue = test::child<QLineEdit>(&entry, "txtValue");
        test::child<QDateEdit>(&entry, "dtp")->setDate(QDate(2002, 8, 2));
        txtValue->setText(QStringLiteral("60.5"));
        if (fault == QLatin1String("folder")) {
            QFile::remove(folder.path(record));
            QDir().mkpath(folder.path(record));
        }
        {
            std::optional<test::FileSizeLimit> full;
            if (fault == QLatin1String("full"))
                full.emplace(8);
            test::child<QPushButton>(&entry, "btnOK")->click();
        }
        kept = d.result() == 0 && txtValue->text() == QStringLiteral("60.5");
        return d.result();
    };
    test::child<QPushButton>(&window, "spdAdd")->click();
    QVERIFY(kept);
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked.first().kind, QStringLiteral("error"));
    QVERIFY2(prompt.texts().first().contains(folder.path(record)),
             qPrintable(prompt.texts().first()));
    if (fault == QLatin1String("full"))
        QCOMPARE(folder.read(record), oldRecord);
    QCOMPARE(QDir(folder.path(QStringLiteral("record"))).entryList(QDir::Files | QDir::Hidden),
             fault == QLatin1String("full") ? QStringList{"体重.dat"} : QStringList{});
}

void TestDiaryFaults::failedOkKeepsWindow() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList);
    QVERIFY(QDir().mkpath(folder.path(QStringLiteral("setting/dayrec.ini"))));
    TDayRec window;
    window.show();
    QCOMPARE(
        prompt.texts(),
        QStringList{
            QStringLiteral("ファイル %1 は開けません").arg(folder.path("setting/dayrec.ini"))});
    prompt.asked.clear();
    test::child<QPushButton>(&window, "btnOK")->click();
    QCOMPARE(prompt.asked.size(), 1);
    QVERIFY(window.isVisible());
}

void TestDiaryFaults::invalidBytesKept() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList);
    const QByteArray line1 = "2002/08/01\xff" + invalid;
    folder.write(record, line1 + "\r\n2002/08/02\xff"
                                 "60\r\n");
    TDayRec window;
    auto *data = test::child<ListTableModel>(&window, "data");
    auto *lsvData = test::child<QTreeView>(&window, "lsvData");
    auto *spdChange = test::child<QPushButton>(&window, "spdChange");
    test::child<QListWidget>(&window, "lstItems")->setCurrentRow(0);
    QCOMPARE(data->rowCount(), 2);
    int invalidRow = data->cell(0, 0) == "2002/08/01" ? 0 : 1;
    QVERIFY(data->cellText(invalidRow, 1).contains(QChar(0xFFFD)));
    // Changing the other line, then opening this one and pressing OK without
    // an edit, keeps its bytes.
    prompt.answerDialog = [](QDialog &d) {
        auto &entry = static_cast<TfrmDayRec &>(d);
        auto *txtValue = test::child<QLineEdit>(&entry, "txtValue");
        if (txtValue->text() == QStringLiteral("60"))
            txtValue->setText(QStringLiteral("59"));
        test::child<QPushButton>(&entry, "btnOK")->click();
        return d.result();
    };
    lsvData->setCurrentIndex(data->index(1 - invalidRow, 0));
    spdChange->click();
    invalidRow = data->cell(0, 0) == "2002/08/01" ? 0 : 1;
    lsvData->setCurrentIndex(data->index(invalidRow, 0));
    spdChange->click();
    QVERIFY2(prompt.asked.isEmpty(), qPrintable(prompt.texts().join('\n')));
    QCOMPARE(folder.read(record), line1 + "\r\n2002/08/02\xff"
                                          "59\r\n");
}

// The graph reports a record file it cannot read and keeps what it showed.
void TestDiaryFaults::graphWithUnreadableRecord() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("setting/graph.dat"), itemList + "B\xff"
                                                                 "cm\xff"
                                                                 "1\r\n");
    folder.write(record, oldRecord);
    TGraph window;
    auto *lstItems = test::child<QListWidget>(&window, "lstItems");
    auto *stbText = test::child<QLabel>(&window, "stbText");
    window.show();
    lstItems->setCurrentRow(0);
    const QString status = stbText->text();
    QVERIFY(QDir().mkpath(folder.path(QStringLiteral("record/B.dat"))));
    lstItems->setCurrentRow(1);
    QCOMPARE(
        prompt.texts(),
        QStringList{QStringLiteral("ファイル %1 は開けません").arg(folder.path("record/B.dat"))});
    QCOMPARE(stbText->text(), status);
    QVERIFY(window.isVisible());
}

// Closing saves the window state; a full disk is reported, the old state
// file stays whole and the window still closes (it holds nothing typed).
void TestDiaryFaults::graphCloseOnFullDisk() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    const QByteArray state("[chkDataRange]\r\nChecked=1\r\n\r\n");
    folder.write(QStringLiteral("setting/day.ini"), state);
    TGraph window;
    window.show();
    test::child<QCheckBox>(&window, "chkDataRange")->setChecked(false);
    {
        test::FileSizeLimit full(8);
        window.close();
    }
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked.first().kind, QStringLiteral("error"));
    QCOMPARE(folder.read(QStringLiteral("setting/day.ini")), state);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestDiaryFaults)
#include "tst_diaryfaults.moc"
