// Faults while the settings dialog and the web-site dialogs read and write
// their files: each is reported, the old files stay whole and what the user
// typed stays in the open window. Bytes that are not valid CP932 show as a
// replacement character and are written back unchanged.
#include "app/ui/settingpages.h"
#include "common/listtable.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "records/ui/recorditemspage.h"
#include "settings/ui/mainsettings.h"
#include "settings/ui/tsetting.h"
#include "web/ui/twww.h"
#include "web/ui/webmenus.h"

#include "support/filesizelimit.h"
#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <optional>

using namespace zk;

namespace {

const QByteArray settingIni("[upddaycal]\r\nPosition=2200\r\n\r\n");
const QByteArray standardDat("\x82\xa0\xff"
                             "1,800\r\n");
// 0x85 0x40 is a lead byte with a trail byte that CP932 leaves unassigned;
// 0xA0 alone is no character either.
const QByteArray invalidName("\x85\x40\xa0x");

const QString ini = QStringLiteral("setting/setting.ini");
const QString standard = QStringLiteral("setting/standard.dat");
const QString www = QStringLiteral("setting/www.dat");

} // namespace

class TestSettingFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void settingsSaveFails_data();
    void settingsSaveFails();
    void settingsLoadFails_data();
    void settingsLoadFails();
    void settingsKeepInvalidBytes();
    void sitesSaveFails_data();
    void sitesSaveFails();
    void sitesKeepInvalidBytes();
    void siteWithUnwritableCharacterStaysOpen();
};

// fault: "folder" puts a folder where the file is, "full" limits file sizes.
void TestSettingFaults::settingsSaveFails_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("setting.ini is a folder")
        << "folder" << ini << QStringLiteral("ファイル %1setting/setting.ini は開けません");
    QTest::newRow("standard.dat is a folder")
        << "folder" << standard
        << QStringLiteral("ファイル %1setting/standard.dat に書き込めません。");
    QTest::newRow("disk full") << "full" << QString()
                               << QStringLiteral("ファイル %1setting/setting.ini を作成できません");
}

void TestSettingFaults::settingsSaveFails() {
    QFETCH(QString, fault);
    QFETCH(QString, file);
    QFETCH(QString, message);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(ini, settingIni);
    folder.write(standard, standardDat);
    QComboBox combo;
    TSetting dialog({&combo});
    auto *upddaycal = test::child<QSpinBox>(&dialog, "upddaycal");
    auto *btnOK = test::child<QPushButton>(&dialog, "btnOK");
    addRecordItemsPage(dialog);
    dialog.load();
    dialog.show();
    upddaycal->setValue(3100);
    if (fault == QLatin1String("folder")) {
        QVERIFY(QFile::remove(folder.path(file)));
        QVERIFY(QDir().mkpath(folder.path(file)));
    }
    {
        std::optional<test::FileSizeLimit> full;
        if (fault == QLatin1String("full"))
            full.emplace(8);
        btnOK->click();
    }
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked.first().kind, QStringLiteral("error"));
    QVERIFY2(prompt.texts().first().startsWith(message.arg(ProgramFolder::path())),
             qPrintable(prompt.texts().first()));
    // The dialog stays open with what was typed; the windows are unchanged.
    QVERIFY(dialog.isVisible());
    QCOMPARE(upddaycal->value(), 3100);
    QCOMPARE(combo.count(), 0);
    if (file != standard)
        QCOMPARE(folder.read(standard), standardDat);
    if (file != ini && fault != QLatin1String("folder"))
        QCOMPARE(folder.read(ini), settingIni);
    // No temporary file is left behind.
    const QStringList known{"setting.ini", "font.dat", "standard.dat", "graph.dat"};
    for (const QString &name :
         QDir(folder.path(QStringLiteral("setting"))).entryList(QDir::Files | QDir::Hidden))
        QVERIFY2(known.contains(name), qPrintable(name));
    // Once the fault is gone the same OK writes everything.
    if (fault == QLatin1String("folder")) {
        QVERIFY(QDir(folder.path(file)).removeRecursively());
    }
    prompt.asked.clear();
    btnOK->click();
    QVERIFY2(prompt.asked.isEmpty(), qPrintable(prompt.texts().join('\n')));
    QVERIFY(!dialog.isVisible());
    QVERIFY(folder.read(ini).contains("Position=3100\r\n"));
}

void TestSettingFaults::settingsLoadFails_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("setting.ini is a folder") << ini;
    QTest::newRow("standard.dat is a folder") << standard;
    QTest::newRow("font.dat is a folder") << QStringLiteral("setting/font.dat");
    QTest::newRow("www.dat is a folder") << www;
}

// A file that cannot be read (replaced by a folder, or gone between the
// check and the read) keeps the dialog shut: it would otherwise offer the
// design values for a save over the user's file.
void TestSettingFaults::settingsLoadFails() {
    QFETCH(QString, file);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(ini, settingIni);
    folder.write(standard, standardDat);
    QFile::remove(folder.path(file));
    QVERIFY(QDir().mkpath(folder.path(file)));
    QComboBox combo;
    MainSettings settings(nullptr, {}, {&combo});
    // Should the dialog open after all, close it so the test goes on.
    bool opened = false;
    QTimer::singleShot(500, &combo, [&opened] {
        if (QWidget *open = QApplication::activeModalWidget()) {
            opened = true;
            open->close();
        }
    });
    if (file == www) {
        QMenu mnuWeb, btnWeb;
        WebMenus(&mnuWeb, &btnWeb, nullptr).mnuRegistWebClick();
    } else {
        settings.openSettings();
    }
    QCOMPARE(prompt.texts(),
             QStringList{QStringLiteral("ファイル %1 は開けません").arg(folder.path(file))});
    QVERIFY(!opened);
    QVERIFY(!QApplication::activeModalWidget());
    if (file != standard)
        QCOMPARE(folder.read(standard), standardDat);
    if (file != ini)
        QCOMPARE(folder.read(ini), settingIni);
}

void TestSettingFaults::settingsKeepInvalidBytes() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    const QByteArray limits = invalidName +
                              "\xff"
                              "1,500\r\n" +
                              standardDat;
    const QByteArray fonts = "\x82\xcc\xff" + invalidName +
                             "\xff"
                             "10\xff"
                             "0\xff"
                             "clBlack\xff"
                             "clWhite\r\n";
    const QByteArray iniWithInvalid =
        settingIni + "[" + invalidName + "]\r\n" + invalidName + "=" + invalidName + "\r\n\r\n";
    folder.write(standard, limits);
    folder.write(QStringLiteral("setting/font.dat"), fonts);
    const QByteArray items = invalidName + "\xff"
                                           "kg\xff"
                                           "60\r\n";
    folder.write(ini, iniWithInvalid);
    folder.write(QStringLiteral("setting/graph.dat"), items);
    QComboBox combo;
    TSetting dialog({&combo});
    RecordItemsPage *graph = addRecordItemsPage(dialog);
    dialog.load();
    const QString shown = dialog.data().standards.cellText(0, 0);
    QVERIFY2(shown.contains(QChar(0xFFFD)), qPrintable(shown));
    QVERIFY(dialog.data().fonts.cellText(0, 1).contains(QChar(0xFFFD)));
    QVERIFY(graph->items.cellText(0, 0).contains(QChar(0xFFFD)));
    dialog.show();
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QVERIFY2(prompt.asked.isEmpty(), qPrintable(prompt.texts().join('\n')));
    QCOMPARE(folder.read(standard), limits);
    QCOMPARE(folder.read(QStringLiteral("setting/font.dat")), fonts);
    QCOMPARE(folder.read(ini), iniWithInvalid);
    QCOMPARE(folder.read(QStringLiteral("setting/graph.dat")), items);
    QVERIFY(combo.findText(QString(QChar(0xFFFD)), Qt::MatchContains) >= 0);
}

void TestSettingFaults::sitesSaveFails_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("www.dat is a folder") << "folder";
    QTest::newRow("disk full") << "full";
}

void TestSettingFaults::sitesSaveFails() {
    QFETCH(QString, fault);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    const QByteArray old("A\xff"
                         "a.example\r\n");
    folder.write(www, old);
    TWWW dialog;
    dialog.show();
    QCOMPARE(dialog.sites().rowCount(), 1);
    dialog.sites().appendRow({"B", "b.example"});
    if (fault == QLatin1String("folder")) {
        QFile::remove(folder.path(www));
        QVERIFY(QDir().mkpath(folder.path(www)));
    }
    bool saved = false;
    connect(&dialog, &TWWW::saved, this, [&] { saved = true; });
    {
        std::optional<test::FileSizeLimit> full;
        if (fault == QLatin1String("full"))
            full.emplace(8);
        test::child<QPushButton>(&dialog, "btnOK")->click();
    }
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked.first().kind, QStringLiteral("error"));
    QVERIFY(prompt.texts().first().contains(QStringLiteral("setting")));
    QVERIFY(!saved);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.sites().rowCount(), 2);
    if (fault == QLatin1String("full"))
        QCOMPARE(folder.read(www), old);
}

void TestSettingFaults::sitesKeepInvalidBytes() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    const QByteArray old = invalidName +
                           "\xff"
                           "http://" +
                           invalidName +
                           "\r\nB\xff"
                           "b\r\n";
    folder.write(www, old);
    TWWW dialog;
    dialog.show();
    QVERIFY(dialog.sites().cellText(0, 0).contains(QChar(0xFFFD)));
    // An edit of the other row leaves this one's bytes alone.
    dialog.sites().setCellText(1, 0, QStringLiteral("びー"));
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(folder.read(www), invalidName +
                                   "\xff"
                                   "http://" +
                                   invalidName +
                                   "\r\n\x82\xd1\x81\x5b\xff"
                                   "b\r\n");
}

// A name that Shift-JIS cannot hold is refused with its message; the dialog
// stays open with the text so the user can correct it.
void TestSettingFaults::siteWithUnwritableCharacterStaysOpen() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    TWWW dialog;
    dialog.show();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        QWidget *edit = QApplication::activeModalWidget();
        QVERIFY(edit);
        auto *site = test::child<QLineEdit>(edit, "txtSite");
        site->setText(QStringLiteral("A\U0001F600"));
        test::child<QLineEdit>(edit, "txtURL")->setText("a.example");
        test::child<QPushButton>(edit, "btnOK")->click();
        checked = edit->isVisible() && site->text() == QStringLiteral("A\U0001F600");
        QCOMPARE(prompt.asked.size(), 1);
        edit->close();
    });
    test::child<QPushButton>(&dialog, "spdAdd")->click();
    QVERIFY(checked);
    QCOMPARE(dialog.sites().rowCount(), 0);
}

QTEST_MAIN(TestSettingFaults)
#include "tst_settingfaults.moc"
