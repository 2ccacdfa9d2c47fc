#include "app/ui/tmainform.h"
#include "common/listtable.h"
#include "common/ui/plaintext.h"
#include "web/ui/twww.h"
#include "web/ui/webmenus.h"
#include "web/ui/websiteopener.h"
#include "web/websitelist.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace zk;

namespace {

const QString www = QStringLiteral("setting/www.dat");

// Fills the one-site dialog that the next command opens and presses OK.
void fillNextSite(const QString &name, const QString &address) {
    QTimer::singleShot(0, [name, address] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集"));
        test::child<QLineEdit>(dialog, "txtSite")->setText(name);
        test::child<QLineEdit>(dialog, "txtURL")->setText(address);
        test::child<QPushButton>(dialog, "btnOK")->click();
    });
}

} // namespace

class TestWebMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void addedSiteAppearsInBothMenusInOrder();
    void refusedSiteLeavesList_data();
    void refusedSiteLeavesList();
    void changeAndButtonsFollowSelection();
    void doubleClickAddsOrChanges();
    void deletingAllKeepsEditCommand();
    void cancelSavesNothing();
    void failedSaveKeepsDialogOpen();
    void missingFileKeepsMenus();
    void jump_data();
    void jump();
    void mainWindowShowsSitesAtStartUp();

private:
    QStringList captions(QMenu *menu) const;

    test::TempProgramFolder *m_folder = nullptr;
    test::ScriptedWindowPrompt *m_prompt = nullptr;
    QWidget *m_owner = nullptr;
    QMenu *m_mnuWeb = nullptr;
    QMenu *m_btnWeb = nullptr;
    WebMenus *m_menus = nullptr;
    QList<QUrl> m_opened;
};

void TestWebMenus::init() {
    m_folder = new test::TempProgramFolder;
    m_prompt = new test::ScriptedWindowPrompt;
    m_owner = new QWidget;
    m_mnuWeb = new QMenu(QStringLiteral("ｲﾝﾀｰﾈｯﾄ(&I)"), m_owner);
    m_mnuWeb->addAction(QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集(&E)"));
    m_mnuWeb->addSeparator();
    m_btnWeb = new QMenu(m_owner);
    m_btnWeb->addAction(QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集"));
    m_btnWeb->addSeparator();
    m_menus = new WebMenus(m_mnuWeb, m_btnWeb, m_owner);
    m_opened.clear();
    setWebOpener([this](const QUrl &url) {
        m_opened.append(url);
        return true;
    });
}

void TestWebMenus::cleanup() {
    setWebOpener({});
    delete m_owner;
    delete m_prompt;
    delete m_folder;
}

QStringList TestWebMenus::captions(QMenu *menu) const {
    QStringList out;
    for (QAction *a : menu->actions())
        out.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

void TestWebMenus::addedSiteAppearsInBothMenusInOrder() {
    m_folder->write(www, "Old\xff"
                         "http://old.example/\r\n");
    m_menus->SetMenuWWW();
    TWWW dialog(m_owner);
    connect(&dialog, &TWWW::saved, m_menus, &WebMenus::SetMenuWWW);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの登録"));
    QCOMPARE(dialog.sites().rowCount(), 1);

    fillNextSite(QStringLiteral("新しい"), QStringLiteral("new.example"));
    test::child<QPushButton>(&dialog, "spdAdd")->click();
    fillNextSite(QStringLiteral("R&D"), QStringLiteral("https://rd.example/"));
    test::child<QPushButton>(&dialog, "spdAdd")->click();
    // The new site moves up to the top.
    test::child<QTableView>(&dialog, "lsWWW")->selectRow(1);
    test::child<QToolButton>(&dialog, "spdUp")->click();
    test::child<QToolButton>(&dialog, "spdUp")->click(); // already first: nothing happens
    test::child<QPushButton>(&dialog, "btnOK")->click();

    QVERIFY(m_prompt->asked.isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_folder->read(www), QByteArray("\x90V\x82\xb5\x82\xa2\xff"
                                             "new.example\r\n"
                                             "Old\xff"
                                             "http://old.example/\r\n"
                                             "R&D\xff"
                                             "https://rd.example/\r\n"));
    const QStringList sites = {QStringLiteral("新しい"), QStringLiteral("Old"),
                               QStringLiteral("R&D")};
    QCOMPARE(captions(m_mnuWeb),
             QStringList({QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集(&E)"), QStringLiteral("-")}) + sites);
    QCOMPARE(captions(m_btnWeb),
             QStringList({QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集"), QStringLiteral("-")}) + sites);
    QCOMPARE(m_btnWeb->actions().at(2)->toolTip(), plainToolTip(QStringLiteral("new.example")));
    // "&" in a name is the item's access key.
    QCOMPARE(QKeySequence::mnemonic(m_mnuWeb->actions().at(4)->text()),
             QKeySequence(Qt::ALT | Qt::Key_D));
}

void TestWebMenus::refusedSiteLeavesList_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty name") << QString() << QStringLiteral("http://a.example/")
                                << QStringLiteral("サイト名が空白です。");
    QTest::newRow("bare prefix") << QStringLiteral("a") << QStringLiteral("Http://")
                                 << QStringLiteral("URLが記入されていません！");
    QTest::newRow("empty address")
        << QStringLiteral("a") << QString() << QStringLiteral("URLが記入されていません！");
}

void TestWebMenus::refusedSiteLeavesList() {
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, message);
    TWWW dialog(m_owner);
    fillNextSite(name, address);
    test::child<QPushButton>(&dialog, "spdAdd")->click();
    QCOMPARE(m_prompt->texts(), QStringList{message});
    QCOMPARE(dialog.sites().rowCount(), 0);
    QVERIFY(!QApplication::activeModalWidget()); // the one-site dialog closed all the same
}

void TestWebMenus::changeAndButtonsFollowSelection() {
    m_folder->write(www, "A\xff"
                         "a.example\r\n"
                         "B\xff"
                         "b.example\r\n");
    TWWW dialog(m_owner);
    auto *list = test::child<QTableView>(&dialog, "lsWWW");
    const char *selectionButtons[] = {"spdChange", "spdDelete", "spdUp", "spdDown"};
    for (const char *name : selectionButtons)
        QVERIFY(!test::child<QAbstractButton>(&dialog, name)->isEnabled());
    QVERIFY(test::child<QPushButton>(&dialog, "spdAdd")->isEnabled());

    list->selectRow(1);
    for (const char *name : selectionButtons)
        QVERIFY(test::child<QAbstractButton>(&dialog, name)->isEnabled());
    QTimer::singleShot(0, [] {
        QWidget *reg = QApplication::activeModalWidget();
        QCOMPARE(test::child<QLineEdit>(reg, "txtSite")->text(), QStringLiteral("B"));
        QCOMPARE(test::child<QLineEdit>(reg, "txtURL")->text(), QStringLiteral("b.example"));
        test::child<QLineEdit>(reg, "txtURL")->setText(QStringLiteral("c.example"));
        test::child<QPushButton>(reg, "btnOK")->click();
    });
    test::child<QPushButton>(&dialog, "spdChange")->click();
    QCOMPARE(dialog.sites().rows(), (ListRows{{"A", "a.example"}, {"B", "c.example"}}));

    test::child<QPushButton>(&dialog, "spdDelete")->click();
    QCOMPARE(dialog.sites().rows(), (ListRows{{"A", "a.example"}}));
    list->selectRow(0);
    test::child<QPushButton>(&dialog, "spdDelete")->click();
    QCOMPARE(dialog.sites().rowCount(), 0);
    for (const char *name : selectionButtons)
        QVERIFY(!test::child<QAbstractButton>(&dialog, name)->isEnabled());
}

void TestWebMenus::doubleClickAddsOrChanges() {
    m_folder->write(www, "A\xff"
                         "a.example\r\n"
                         "B\xff"
                         "b.example\r\n");
    TWWW dialog(m_owner);
    dialog.show();
    auto *list = test::child<QTableView>(&dialog, "lsWWW");
    QStringList seen;
    auto look = [&] {
        QTimer::singleShot(0, [&] {
            QWidget *reg = QApplication::activeModalWidget();
            seen.append(test::child<QLineEdit>(reg, "txtSite")->text() + u'|' +
                        test::child<QLineEdit>(reg, "txtURL")->text());
            test::child<QPushButton>(reg, "btnCancel")->click();
        });
    };
    // A user's double-click is a click followed by the double-click event.
    auto doubleClick = [&](QPoint at) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    look();
    doubleClick(QPoint(10, list->viewport()->height() - 5)); // below the rows
    look();
    doubleClick(list->visualRect(dialog.sites().index(1, 1)).center());
    QCOMPARE(seen, QStringList({QStringLiteral("|http://"), QStringLiteral("B|b.example")}));
    QCOMPARE(dialog.sites().rowCount(), 2);
}

void TestWebMenus::deletingAllKeepsEditCommand() {
    m_folder->write(www, "A\xff"
                         "a.example\r\n"
                         "B\xff"
                         "b.example\r\n");
    m_menus->SetMenuWWW();
    QCOMPARE(m_btnWeb->actions().size(), 4);
    TWWW dialog(m_owner);
    connect(&dialog, &TWWW::saved, m_menus, &WebMenus::SetMenuWWW);
    for (int i = 0; i < 2; ++i) {
        test::child<QTableView>(&dialog, "lsWWW")->selectRow(0);
        test::child<QPushButton>(&dialog, "spdDelete")->click();
    }
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(m_folder->read(www), QByteArray());
    QCOMPARE(captions(m_mnuWeb),
             QStringList({QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集(&E)"), QStringLiteral("-")}));
    QCOMPARE(captions(m_btnWeb),
             QStringList({QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集"), QStringLiteral("-")}));
}

void TestWebMenus::cancelSavesNothing() {
    TWWW dialog(m_owner);
    fillNextSite(QStringLiteral("A"), QStringLiteral("a.example"));
    test::child<QPushButton>(&dialog, "spdAdd")->click();
    test::child<QPushButton>(&dialog, "btnCancel")->click();
    QVERIFY(!m_folder->exists(www));
    QCOMPARE(m_mnuWeb->actions().size(), 2);
}

void TestWebMenus::failedSaveKeepsDialogOpen() {
    m_folder->write(QStringLiteral("setting"), "a file where the folder should be");
    TWWW dialog(m_owner);
    bool saved = false;
    connect(&dialog, &TWWW::saved, this, [&] { saved = true; });
    dialog.show();
    fillNextSite(QStringLiteral("A"), QStringLiteral("a.example"));
    test::child<QPushButton>(&dialog, "spdAdd")->click();
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(m_prompt->asked.size(), 1);
    QCOMPARE(m_prompt->asked.first().kind, QStringLiteral("error"));
    QVERIFY(!saved);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.sites().rowCount(), 1);
}

void TestWebMenus::missingFileKeepsMenus() {
    m_folder->write(www, "A\xff"
                         "a.example\r\n");
    m_menus->SetMenuWWW();
    QFile::remove(m_folder->path(www));
    m_menus->SetMenuWWW();
    QCOMPARE(captions(m_mnuWeb).last(), QStringLiteral("A"));
    QCOMPARE(captions(m_btnWeb).last(), QStringLiteral("A"));
}

void TestWebMenus::jump_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<Prompt::Answer>("answer");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QList<QUrl>>("opened");
    const QString ask = QStringLiteral("「R&D」へジャンプしますか？");
    QTest::newRow("yes") << QByteArray("R&D\xffrd.example/x") << Prompt::Answer::Yes
                         << QStringList{ask} << QList<QUrl>{QUrl("http://rd.example/x")};
    QTest::newRow("cancel") << QByteArray("R&D\xffhttps://rd.example/") << Prompt::Answer::Cancel
                            << QStringList{ask} << QList<QUrl>{};
    QTest::newRow("mail") << QByteArray("R&D\xffmailto:a@rd.example") << Prompt::Answer::Yes
                          << QStringList{ask} << QList<QUrl>{QUrl("mailto:a@rd.example")};
    QTest::newRow("line without 0xFF") << QByteArray("https://n.example/") << Prompt::Answer::Yes
                                       << QStringList{QStringLiteral("「」へジャンプしますか？")}
                                       << QList<QUrl>{QUrl("https://n.example/")};
    QTest::newRow("local program refused")
        << QByteArray("R&D\xff/usr/bin/xterm") << Prompt::Answer::Yes
        << QStringList{QStringLiteral(
               "「/usr/bin/xterm」はこのコンピューター上のファイルを指すため開けません。\n"
               "Webのアドレス（http://、https://）とメールアドレス（mailto:）だけを開けます。")}
        << QList<QUrl>{};
}

void TestWebMenus::jump() {
    QFETCH(QByteArray, line);
    QFETCH(Prompt::Answer, answer);
    QFETCH(QStringList, asked);
    QFETCH(QList<QUrl>, opened);
    m_folder->write(www, line + "\r\n");
    m_menus->SetMenuWWW();
    m_prompt->answers = {answer};
    m_btnWeb->actions().at(WebMenus::FirstSite)->trigger();
    QCOMPARE(m_prompt->texts(), asked);
    QCOMPARE(m_opened, opened);
}

void TestWebMenus::mainWindowShowsSitesAtStartUp() {
    m_folder->write(www, "A\xff"
                         "a.example\r\n"
                         "B\xff"
                         "b.example\r\n");
    TMainForm form;
    QCOMPARE(captions(test::child<QMenu>(&form, "mnuWeb")),
             QStringList({QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集(&E)"), QStringLiteral("-"),
                          QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(captions(test::child<QMenu>(&form, "btnWebMenu")),
             QStringList({QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集"), QStringLiteral("-"),
                          QStringLiteral("A"), QStringLiteral("B")}));
    QVERIFY(test::child<QAction>(&form, "mnuRegistWeb")->isEnabled());
    QVERIFY(test::child<QAction>(&form, "btnRegistWeb")->isEnabled());
    QVERIFY(test::child<QAction>(&form, "mnuHelp")->isEnabled());
    QVERIFY(test::child<QAction>(&form, "mnuAbout")->isEnabled());
}

QTEST_MAIN(TestWebMenus)
#include "tst_webmenus.moc"
