#include "common/ui/guard.h"
#include "help/helpfiles.h"
#include "help/ui/help.h"
#include "help/ui/helpwindow.h"
#include "help/ui/taboutbox.h"
#include "web/ui/twww.h"
#include "web/ui/websiteopener.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

using namespace zk;

namespace {

void copyHelp(const test::TempProgramFolder &folder) {
    const QDir source(QStringLiteral(ZENKARTA_SOURCE_DIR "/resources/help"));
    for (const QString &name : source.entryList(QDir::Files)) {
        QFile file(source.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        folder.write(QStringLiteral("help/") + name, file.readAll());
    }
}

QColor textColor(QLabel *label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestHelpAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void topicOpensAtItsSection_data();
    void topicOpensAtItsSection();
    void contentsAfterTopic();
    void missingTopicSet();
    void helpFromModalDialogIsUsable();
    void aboutBoxMemory();
    void aboutBoxLinks();
    void aboutBoxClosesOnPlainClick();

private:
    HelpService m_help;
};

void TestHelpAbout::initTestCase() {
    // Dialogs of other parts ask for help through the service, as in the program.
    HelpTopics::setInstance(&m_help);
}

void TestHelpAbout::cleanup() {
    // Closed as the user closes it: the window deletes itself.
    if (HelpWindow *window = Help::window())
        window->close();
    QTRY_VERIFY(!Help::window());
    setWebOpener({});
}

void TestHelpAbout::topicOpensAtItsSection_data() {
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("heading");
    QTest::newRow("1") << 1 << QStringLiteral("リストから食品を削除する");
    QTest::newRow("2") << 2 << QStringLiteral("カロリーデータエディタ");
    QTest::newRow("5") << 5 << QStringLiteral("詳細設定");
    QTest::newRow("6") << 6 << QStringLiteral("日々の記録");
    QTest::newRow("7") << 7 << QStringLiteral("基準カロリーの編集");
    QTest::newRow("8") << 8 << QStringLiteral("フォントの設定");
    QTest::newRow("9") << 9 << QStringLiteral("インターネットサイトの登録と編集");
}

void TestHelpAbout::topicOpensAtItsSection() {
    QFETCH(int, context);
    QFETCH(QString, heading);
    test::TempProgramFolder folder;
    copyHelp(folder);
    test::ScriptedWindowPrompt prompt;
    Help::Helper(context);
    HelpWindow *window = Help::window();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QTextBrowser *browser = test::child<QTextBrowser>(window, "txtHelp");
    QCOMPARE(browser->source(), HelpFiles::topicUrl(context));
    // The section's heading is what the window shows at its top.
    const QTextCursor top = browser->cursorForPosition(QPoint(4, 4));
    QVERIFY2(top.block().text().contains(heading), qPrintable(top.block().text()));
    QVERIFY(prompt.asked.isEmpty());
}

void TestHelpAbout::contentsAfterTopic() {
    test::TempProgramFolder folder;
    copyHelp(folder);
    Help::Helper(5);
    Help::contents();
    QCOMPARE(test::child<QTextBrowser>(Help::window(), "txtHelp")->source(),
             HelpFiles::contentsUrl());
    QCOMPARE(Help::window()->windowTitle(), QStringLiteral("Zenkarta ヘルプ - 目次"));
}

void TestHelpAbout::missingTopicSet() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    Help::Helper(9);
    QVERIFY(!Help::window());
    Help::contents();
    QVERIFY(!Help::window());
    QCOMPARE(prompt.texts(),
             QStringList({QStringLiteral("ヘルプファイル『help/topics.html』が見つかりません。"),
                          QStringLiteral("ヘルプファイル『help/index.html』が見つかりません。")}));
}

void TestHelpAbout::helpFromModalDialogIsUsable() {
    test::TempProgramFolder folder;
    copyHelp(folder);
    TWWW dialog;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        test::child<QPushButton>(&dialog, "btnHelp")->click();
        HelpWindow *window = Help::window();
        shown = window && window->isVisible() &&
                test::child<QTextBrowser>(window, "txtHelp")->source() == HelpFiles::topicUrl(9) &&
                // A window outside the dialog would be blocked by its modality.
                window->parentWidget() == &dialog;
        dialog.reject();
    });
    dialog.exec();
    QVERIFY(shown);
}

void TestHelpAbout::aboutBoxMemory() {
    TAboutBox box;
    quint64 free = 1234567890;
    box.setMemorySource([&] { return free; });
    QCOMPARE(box.size(), QSize(414, 253));
    QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    auto *memory = test::child<QLabel>(&box, "lblMemory");
    QVERIFY(memory->text().isEmpty()); // until the first tick
    box.show();
    QTRY_COMPARE_WITH_TIMEOUT(memory->text(), QStringLiteral("1,234,567,890 Byte Free"), 2000);
    free = 999;
    QTRY_COMPARE_WITH_TIMEOUT(memory->text(), QStringLiteral("999 Byte Free"), 2000);
}

void TestHelpAbout::aboutBoxLinks() {
    QList<QUrl> opened;
    setWebOpener([&](const QUrl &url) {
        opened.append(url);
        return true;
    });
    TAboutBox box;
    connect(&box, &TAboutBox::addressClicked, &box,
            [&box](const QString &address) { guarded(&box, [&] { openWebAddress(address); }); });
    box.show();
    QList<QLabel *> links;
    for (QLabel *label : box.findChildren<QLabel *>())
        if (label->objectName().startsWith(QLatin1String("lblURL")))
            links.append(label);
    QVERIFY(links.size() >= 3);
    QLabel *first = links.at(0);
    QLabel *second = links.at(1);
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    QCOMPARE(textColor(first), blue);

    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(first, &enter);
    QCOMPARE(textColor(first), red);
    QCOMPARE(textColor(second), blue);
    QApplication::sendEvent(first, &leave);
    QApplication::sendEvent(second, &enter);
    QCOMPARE(textColor(first), blue);
    QCOMPARE(textColor(second), red);
    QApplication::sendEvent(second, &leave);
    QCOMPARE(textColor(second), blue);

    // The mouse as it really moves: onto a link, on to the next, off to the background.
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseMove(first, first->rect().center());
    QCOMPARE(textColor(first), red);
    QTest::mouseMove(first, first->rect().center() + QPoint(1, 0));
    QCOMPARE(textColor(first), red);
    QTest::mouseMove(second, second->rect().center());
    QCOMPARE(textColor(first), blue);
    QCOMPARE(textColor(second), red);
    QTest::mouseMove(&box, QPoint(3, 3));
    QCOMPARE(textColor(second), blue);

    QTest::mouseClick(second, Qt::LeftButton);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().scheme(), QStringLiteral("https"));
    QVERIFY(box.isVisible()); // a link keeps the box open
}

void TestHelpAbout::aboutBoxClosesOnPlainClick() {
    TAboutBox box;
    QLabel *product = test::child<QLabel>(&box, "lblProduct");
    QCOMPARE(product->text(), QStringLiteral("Zenkarta"));
    QCOMPARE(test::child<QLabel>(&box, "lblFoodTableSource")->text(),
             QStringLiteral("日本食品標準成分表2020年版（八訂）（文部科学省）を加工して作成"));
    QTimer::singleShot(0, [&] { QTest::mouseClick(product, Qt::LeftButton); });
    QCOMPARE(box.exec(), int(QDialog::Accepted));
}

QTEST_MAIN(TestHelpAbout)
#include "tst_helpabout.moc"
