#include "caldata/calcatalogue.h"
#include "caldata/caltext.h"
#include "caldata/ui/editortextedit.h"
#include "caldata/ui/tcaleditor.h"
#include "common/backups.h"
#include "common/platform.h"

#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>
#include <QTreeView>

using namespace zk;

namespace {

const QString closePrompt = QStringLiteral("変更されていますが、保存しますか？");
const QString switchPrompt =
    QStringLiteral("変更されている部分がありますが、保存してから読み込みますか？");

// 主食 (CR LF, with a NEC-selected IBM character and an invalid byte in
// untouched lines) and 果物/りんご (LF, no final line break).
void writeTables(const test::TempProgramFolder &folder) {
    static const char staple[] = "@\x8e\xe5\x90\x48\r\n"
                                 "\t\x83\x81\x83\x62:1\r\n"
                                 "\t\xED\x40\x80:2\x1A\0\x7F\r\n";
    folder.write(QStringLiteral("data/主食.cal"), QByteArray(staple, sizeof staple - 1));
    folder.write(QStringLiteral("data/果物/りんご.cal"), "a:1\nb:2");
}

QModelIndex indexNamed(QTreeView *tree, const QString &name) {
    QAbstractItemModel *model = tree->model();
    const auto found = model->match(model->index(0, 0), Qt::DisplayRole, name, 1,
                                    Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

// Types text, Japanese included, as key presses.
void typeText(QWidget *w, const QString &text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void moveTo(CalTextEdit *editor, int line, int column) {
    QTextCursor c(editor->document()->findBlockByNumber(line));
    c.setPosition(c.position() + column);
    editor->setTextCursor(c);
}

struct Fixture {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    Tcaleditor editor;
    CalTextEdit *Editor = test::child<CalTextEdit>(&editor, "Editor");
    QTreeView *trvFileList = test::child<QTreeView>(&editor, "trvFileList");
    Fixture()
        : editor((writeTables(folder), nullptr)) {
        editor.show();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        Editor->setFocus();
    }
    QAction *act(const char *name) const { return test::child<QAction>(&editor, name); }
    void open(const QString &name) { trvFileList->setCurrentIndex(indexNamed(trvFileList, name)); }
};

} // namespace

class TestCalEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void menusAndToolBar();
    void startsEmptyAndScans();
    void editAndSaveWithCtrlS();
    void bundledTableSaved();
    void switchingAsks_data();
    void switchingAsks();
    void clickCancelledKeepsSelection();
    void escAsksBeforeClosing();
    void tabKeys();
    void typingKeepsIndentation();
    void selectAllToggles();
    void pasteTakesOnlyWhatCanBeSaved_data();
    void pasteTakesOnlyWhatCanBeSaved();
    void fontDialogStartsFromTheEditorsFont();
    void marginSelectsLines();
    void missingTableChangesNothing();
    void newTableWhenNothingLoaded();
    void newTableBeforeSwitching();
    void settingsKeptBetweenOpenings();
};

void TestCalEditor::initTestCase() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestCalEditor::menusAndToolBar() {
    Fixture f;
    QCOMPARE(f.editor.windowTitle(), QStringLiteral("ｶﾛﾘｰﾃﾞｰﾀ ｴﾃﾞｨﾀ"));
    QCOMPARE(f.editor.size(), QSize(805, 504));
    QStringList menus;
    for (QAction *m : f.editor.findChild<QMenuBar *>()->actions()) {
        QStringList items;
        for (QAction *a : m->menu()->actions())
            items << (a->isSeparator() ? QStringLiteral("-")
                                       : a->objectName() + u'|' + a->shortcut().toString());
        menus << m->text() + u':' + items.join(u' ');
    }
    QCOMPARE(menus, (QStringList{
                        "ﾌｧｲﾙ(&F):actReload|Ctrl+R - actSave|Ctrl+S - actExit|Esc",
                        "編集(&E):actUndo|Ctrl+Z actRedo|Ctrl+Y - actCut|Ctrl+X actCopy|Ctrl+C "
                        "actPaste|Ctrl+V actDelete| - actTabIndent|Tab actTabUnIndent|Shift+Tab - "
                        "actFont| - actOverWrite|",
                        "ｳｨﾝﾄﾞｳ(&W):actFullScreen|Alt+Return",
                        "ﾍﾙﾌﾟ(&H):actHelp|Ctrl+H",
                    }));
    QStringList tools;
    for (QAction *a : test::child<QToolBar>(&f.editor, "tbrMain")->actions())
        tools << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    QCOMPARE(tools.join(u' '), QStringLiteral("actReload actExit - actSave - actUndo actRedo - "
                                              "actCut actCopy actPaste - actFont - actFullScreen "
                                              "- actHelp"));
    QCOMPARE(f.act("actSave")->statusTip(), QStringLiteral("現在編集されている箇所を保存します。"));
    QSignalSpy help(&f.editor, &Tcaleditor::helpRequested);
    f.act("actHelp")->trigger();
    QCOMPARE(help.size(), 1);
    QCOMPARE(help.first().first().toInt(), 2);
}

void TestCalEditor::startsEmptyAndScans() {
    test::TempProgramFolder folder;
    writeTables(folder);
    QSignalSpy catalogue(&CalFileList(), &CalCatalogue::changed);
    Tcaleditor editor;
    QCOMPARE(catalogue.size(), 1);
    QCOMPARE(CalFileList().entries().size(), 2);
    QCOMPARE(test::child<QTreeView>(&editor, "trvFileList")->model()->rowCount(), 2);
    QVERIFY(editor.currentFile().isEmpty());
    QVERIFY(test::child<QLabel>(&editor, "pnlTitle")->text().isEmpty());
    for (const char *name : {"actSave", "actUndo", "actRedo"})
        QVERIFY2(!test::child<QAction>(&editor, name)->isEnabled(), name);
    folder.write(QStringLiteral("data/新しい.cal"), "x:1\r\n");
    test::child<QAction>(&editor, "actReload")->trigger();
    QCOMPARE(catalogue.size(), 2);
    QCOMPARE(CalFileList().entries().size(), 3);
}

void TestCalEditor::editAndSaveWithCtrlS() {
    Fixture f;
    f.open(QStringLiteral("りんご"));
    QCOMPARE(f.editor.currentFile(), f.folder.path(QStringLiteral("data/果物/りんご.cal")));
    QCOMPARE(test::child<QStatusBar>(&f.editor, "stb")->currentMessage(), QString());
    auto *pnlTitle = test::child<QLabel>(&f.editor, "pnlTitle");
    QCOMPARE(pnlTitle->text(), QStringLiteral("りんご"));
    // Names and paths are shown as they stand, and read out as shown.
    auto *stbText = test::child<QLabel>(&f.editor, "stbText");
    for (const QLabel *label : {pnlTitle, stbText})
        QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(QAccessible::queryAccessibleInterface(stbText)->text(QAccessible::Name),
             f.editor.currentFile());
    QCOMPARE(QAccessible::queryAccessibleInterface(pnlTitle)->text(QAccessible::Description),
             f.editor.currentFile());
    QVERIFY(!f.Editor->isModified());
    moveTo(f.Editor, 0, 1);
    typeText(f.Editor, QStringLiteral("ｲ"));
    QVERIFY(f.Editor->isModified());
    QVERIFY(f.act("actSave")->isEnabled());
    QVERIFY(f.act("actUndo")->isEnabled());
    QTest::keyClick(f.Editor, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.folder.read(QStringLiteral("data/果物/りんご.cal")), QByteArray("a\xB2:1\r\nb:2"));
    // The text saved over was kept in a backup first.
    const BackupEntry before = Backups(f.folder.path()).list().value(0);
    QCOMPARE(before.cause, QStringLiteral("ｴﾃﾞｨﾀで「りんご」を保存する前"));
    QCOMPARE(f.folder.read(before.folder.mid(f.folder.path().size()) +
                           QStringLiteral("data/果物/りんご.cal")),
             QByteArray("a:1\nb:2"));
    QVERIFY(!f.Editor->isModified());
    QVERIFY(!f.act("actSave")->isEnabled());

    // Untouched lines keep their bytes, even bytes CP932 does not map.
    f.open(QStringLiteral("主食"));
    moveTo(f.Editor, 1, 1);
    QTest::keyClick(f.Editor, Qt::Key_Delete);
    QTest::keyClick(f.Editor, Qt::Key_S, Qt::ControlModifier);
    static const char saved[] = "@\x8e\xe5\x90\x48\r\n\t\x83\x62:1\r\n"
                                "\t\xED\x40\x80:2\x1A\0\x7F\r\n";
    QCOMPARE(f.folder.read(QStringLiteral("data/主食.cal")), QByteArray(saved, sizeof saved - 1));
    QVERIFY(f.prompt.asked.isEmpty());

    // A character Shift-JIS cannot hold is refused; the file stays as it was.
    f.Editor->insertPlainText(QStringLiteral("\U0001F600"));
    QTest::keyClick(f.Editor, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.prompt.asked.size(), 1);
    QCOMPARE(f.prompt.asked.first().kind, QStringLiteral("error"));
    QCOMPARE(f.folder.read(QStringLiteral("data/主食.cal")), QByteArray(saved, sizeof saved - 1));
    QVERIFY(f.Editor->isModified());
    QVERIFY(f.act("actSave")->isEnabled());
}

void TestCalEditor::bundledTableSaved() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    const QString bundled = QStringLiteral(ZENKARTA_SOURCE_DIR "/data/");
    for (QDirIterator it(bundled, {QStringLiteral("*.cal")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString file = it.next();
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        folder.write(QStringLiteral("data/") + file.mid(bundled.size()), in.readAll());
    }
    Tcaleditor editor;
    if (CalFileList().entries().isEmpty())
        QSKIP("no bundled tables");
    editor.show();
    editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    const CalCatalogue::Entry table = CalFileList().entries().first();
    auto *trvFileList = test::child<QTreeView>(&editor, "trvFileList");
    trvFileList->setCurrentIndex(indexNamed(trvFileList, table.name));
    QCOMPARE(editor.currentFile(), table.path);
    QFile file(table.path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<CalTextLine> expected = readCalText(file.readAll());
    file.close();
    expected[0].text += u'1';
    auto *text = test::child<CalTextEdit>(&editor, "Editor");
    moveTo(text, 0, int(text->document()->firstBlock().length() - 1));
    text->setFocus();
    typeText(text, QStringLiteral("1"));
    QTest::keyClick(text, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), writeCalText(expected));
    QVERIFY(prompt.asked.isEmpty());
}

void TestCalEditor::switchingAsks_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<bool>("saved");
    using A = Prompt::Answer;
    QTest::newRow("cancel") << int(A::Cancel) << QStringLiteral("りんご") << false << false;
    QTest::newRow("no, to a folder") << int(A::No) << QStringLiteral("果物") << true << false;
    QTest::newRow("no, to a table") << int(A::No) << QStringLiteral("りんご") << true << false;
    QTest::newRow("yes") << int(A::Yes) << QStringLiteral("りんご") << true << true;
}

void TestCalEditor::switchingAsks() {
    QFETCH(int, answer);
    QFETCH(QString, target);
    QFETCH(bool, moves);
    QFETCH(bool, saved);
    Fixture f;
    const QByteArray before = f.folder.read(QStringLiteral("data/主食.cal"));
    f.open(QStringLiteral("主食"));
    const QModelIndex table = f.trvFileList->currentIndex();
    f.open(QStringLiteral("りんご")); // unchanged: no question
    QVERIFY(f.prompt.asked.isEmpty());
    f.open(QStringLiteral("主食"));
    moveTo(f.Editor, 0, 0);
    typeText(f.Editor, QStringLiteral("X"));
    const QString edited = f.Editor->toPlainText();

    f.prompt.answers = {Prompt::Answer(answer)};
    f.open(target);
    QCOMPARE(f.prompt.texts(), QStringList{switchPrompt});
    QCOMPARE(f.trvFileList->currentIndex() == table, !moves);
    QCOMPARE(f.folder.read(QStringLiteral("data/主食.cal")) != before, saved);
    if (!moves || target == QStringLiteral("果物")) {
        // The edits stay, and so does the question at the next move.
        QCOMPARE(f.Editor->toPlainText(), edited);
        QVERIFY(f.Editor->isModified());
        QCOMPARE(f.editor.currentFile(), f.folder.path(QStringLiteral("data/主食.cal")));
        f.prompt.clear();
        f.open(QStringLiteral("りんご"));
        QCOMPARE(f.prompt.texts(), QStringList{switchPrompt});
    } else {
        QCOMPARE(f.Editor->toPlainText(), QStringLiteral("a:1\nb:2"));
        QVERIFY(!f.Editor->isModified());
    }
}

void TestCalEditor::clickCancelledKeepsSelection() {
    Fixture f;
    f.open(QStringLiteral("主食"));
    const QModelIndex table = f.trvFileList->currentIndex();
    typeText(f.Editor, QStringLiteral("X"));
    f.prompt.answers = {Prompt::Answer::Cancel};
    const QModelIndex other = indexNamed(f.trvFileList, QStringLiteral("りんご"));
    QTest::mouseClick(f.trvFileList->viewport(), Qt::LeftButton, {},
                      f.trvFileList->visualRect(other).center());
    QCOMPARE(f.prompt.texts(), QStringList{switchPrompt});
    QTRY_COMPARE(f.trvFileList->selectionModel()->selectedIndexes(), QModelIndexList{table});
    QCOMPARE(f.trvFileList->currentIndex(), table);
    QVERIFY(f.Editor->toPlainText().startsWith(u'X'));
}

void TestCalEditor::escAsksBeforeClosing() {
    Fixture f;
    f.open(QStringLiteral("主食"));
    typeText(f.Editor, QStringLiteral("X"));
    f.prompt.answers = {Prompt::Answer::Cancel};
    QTest::keyClick(f.Editor, Qt::Key_Escape);
    QCOMPARE(f.prompt.texts(), QStringList{closePrompt});
    QVERIFY(f.editor.isVisible());
    f.prompt.answers = {Prompt::Answer::No};
    QTest::keyClick(f.Editor, Qt::Key_Escape);
    QVERIFY(!f.editor.isVisible());
    QVERIFY(!f.folder.read(QStringLiteral("data/主食.cal")).startsWith("X"));
}

void TestCalEditor::tabKeys() {
    Fixture f;
    f.open(QStringLiteral("りんご"));
    CalTextEdit *e = f.Editor;
    // In the file list Tab and Shift+Tab move the focus; the text stays clean.
    QTreeView *list = f.trvFileList;
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(!list->hasFocus());
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), e);
    QCOMPARE(e->toPlainText(), QStringLiteral("a:1\nb:2"));
    QVERIFY(!e->isModified());
    QVERIFY(!f.act("actSave")->isEnabled());
    QTest::keyClick(e, Qt::Key_Backtab, Qt::ShiftModifier); // nothing selected: nothing happens
    QCOMPARE(e->toPlainText(), QStringLiteral("a:1\nb:2"));
    QTest::keyClick(e, Qt::Key_Tab);
    QCOMPARE(e->toPlainText(), QStringLiteral("\ta:1\nb:2"));
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Tab);
    QCOMPARE(e->toPlainText(), QStringLiteral("\t\ta:1\n\tb:2"));
    QTest::keyClick(e, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(e->toPlainText(), QStringLiteral("\ta:1\nb:2"));
    moveTo(e, 1, 0);
    QTest::keyClick(e, Qt::Key_Tab);
    QCOMPARE(e->toPlainText(), QStringLiteral("\ta:1\n\tb:2"));
    // One undo step per indent.
    e->selectAll();
    f.act("actTabIndent")->trigger();
    QCOMPARE(e->toPlainText(), QStringLiteral("\t\ta:1\n\t\tb:2"));
    f.act("actUndo")->trigger();
    QCOMPARE(e->toPlainText(), QStringLiteral("\ta:1\n\tb:2"));
    QVERIFY(f.act("actRedo")->isEnabled());
    QTest::keyClick(e, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(e->toPlainText(), QStringLiteral("\t\ta:1\n\t\tb:2"));
    QVERIFY(!f.act("actRedo")->isEnabled());
}

void TestCalEditor::typingKeepsIndentation() {
    Fixture f;
    f.open(QStringLiteral("主食"));
    CalTextEdit *e = f.Editor;
    moveTo(e, 1, 5); // end of "\tメッ:1"
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(e->textCursor().block().text(), QStringLiteral("\t"));
    QTest::keyClick(e, Qt::Key_Tab);
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(e->textCursor().block().text(), QStringLiteral("\t"));
    typeText(e, QStringLiteral("  "));
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(e->textCursor().block().text(), QStringLiteral("\t"));
}

void TestCalEditor::selectAllToggles() {
    Fixture f;
    f.open(QStringLiteral("りんご"));
    CalTextEdit *e = f.Editor;
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(e->textCursor().selectedText().size(), 7);
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(!e->textCursor().hasSelection());
    QCOMPARE(e->textCursor().position(), 0);
}

void TestCalEditor::pasteTakesOnlyWhatCanBeSaved_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refused");
    QTest::newRow("separators") << QStringLiteral("x\u2028y\u0085z\u2029w") << "x\ny\nz\nwa:1\nb:2"
                                << QString();
    QTest::newRow("emoji") << QStringLiteral("x😀") << "a:1\nb:2"
                           << "U+1F600";
    QTest::newRow("zero-width space") << QStringLiteral("\u200B") << "a:1\nb:2"
                                      << "U+200B";
}

void TestCalEditor::pasteTakesOnlyWhatCanBeSaved() {
    QFETCH(QString, clipboard);
    QFETCH(QString, text);
    QFETCH(QString, refused);
    Fixture f;
    f.open(QStringLiteral("りんご"));
    QGuiApplication::clipboard()->setText(clipboard);
    QTest::keyClick(f.Editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.Editor->toPlainText(), text);
    QCOMPARE(f.Editor->lines().size(), text.count(u'\n') + 1);
    QCOMPARE(f.Editor->isModified(), refused.isEmpty());
    const QStringList shown = f.prompt.texts();
    QCOMPARE(shown.size(), refused.isEmpty() ? 0 : 1);
    if (!refused.isEmpty())
        QVERIFY2(shown.first().contains(refused), qPrintable(shown.first()));
}

void TestCalEditor::fontDialogStartsFromTheEditorsFont() {
    Fixture f;
    QFont offered;
    f.prompt.answerFont = [&](const QFont &font) {
        offered = font;
        return std::nullopt;
    };
    f.act("actFont")->trigger();
    const QFontInfo editor(f.Editor->font());
    QCOMPARE(QFontInfo(offered).family(), editor.family());
    QCOMPARE(offered.pointSize(), qRound(editor.pointSizeF()));
}

void TestCalEditor::marginSelectsLines() {
    Fixture f;
    f.open(QStringLiteral("主食"));
    CalTextEdit *e = f.Editor;
    auto *gutter = test::child<QWidget>(e, "gutter");
    QVERIFY(gutter);
    auto lineY = [e](int line) {
        return e->cursorRect(QTextCursor(e->document()->findBlockByNumber(line))).center().y();
    };
    QTest::mouseClick(gutter, Qt::LeftButton, {}, QPoint(5, lineY(1)));
    QCOMPARE(e->textCursor().selectedText(), QStringLiteral("\tメッ:1\u2029"));
    QTest::mouseClick(gutter, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, lineY(0)));
    QCOMPARE(e->textCursor().selectionStart(), 0);
    QCOMPARE(e->textCursor().selectionEnd(), e->document()->findBlockByNumber(2).position());
}

void TestCalEditor::missingTableChangesNothing() {
    Fixture f;
    f.open(QStringLiteral("主食"));
    typeText(f.Editor, QStringLiteral("X"));
    QFile::remove(f.folder.path(QStringLiteral("data/果物/りんご.cal")));
    f.prompt.answers = {Prompt::Answer::No};
    f.open(QStringLiteral("りんご"));
    QCOMPARE(f.prompt.texts().last(),
             QStringLiteral("「%1」が見つかりませんでした。")
                 .arg(f.folder.path(QStringLiteral("data/果物/りんご.cal"))));
    QVERIFY(f.Editor->toPlainText().startsWith(u'X'));
    QCOMPARE(test::child<QLabel>(&f.editor, "pnlTitle")->text(), QStringLiteral("主食"));
    QCOMPARE(f.editor.currentFile(), f.folder.path(QStringLiteral("data/主食.cal")));
}

void TestCalEditor::newTableWhenNothingLoaded() {
    Fixture f;
    QStringList names = {QStringLiteral("a/b"), QStringLiteral("間食")};
    f.prompt.answerText = [&](const QString &) { return std::optional(names.takeFirst()); };
    typeText(f.Editor, QStringLiteral("せんべい:100"));
    f.act("actSave")->trigger(); // refused name: reported, nothing written
    QCOMPARE(f.prompt.asked.size(), 1);
    QVERIFY(f.Editor->isModified());
    f.act("actSave")->trigger();
    QCOMPARE(f.folder.read(QStringLiteral("data/間食.cal")),
             QByteArray("\x82\xb9\x82\xf1\x82\xd7\x82\xa2:100"));
    QCOMPARE(f.editor.currentFile(), f.folder.path(QStringLiteral("data/間食.cal")));
    QCOMPARE(f.trvFileList->currentIndex().data().toString(), QStringLiteral("間食"));
    QVERIFY(!f.Editor->isModified());
}

void TestCalEditor::newTableBeforeSwitching() {
    Fixture f;
    f.prompt.answerText = [](const QString &) { return std::optional(QStringLiteral("間食")); };
    typeText(f.Editor, QStringLiteral("x:1"));
    f.prompt.answers = {Prompt::Answer::Yes};
    f.open(QStringLiteral("りんご")); // saving rescans the tree under the moving selection
    QCOMPARE(f.folder.read(QStringLiteral("data/間食.cal")), QByteArray("x:1"));
    QCOMPARE(f.trvFileList->currentIndex().data().toString(), QStringLiteral("りんご"));
    QCOMPARE(f.Editor->toPlainText(), QStringLiteral("a:1\nb:2"));
}

void TestCalEditor::settingsKeptBetweenOpenings() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    {
        Tcaleditor editor;
        auto *actOverWrite = test::child<QAction>(&editor, "actOverWrite");
        auto *text = test::child<CalTextEdit>(&editor, "Editor");
        QVERIFY(!actOverWrite->isChecked());
        QCOMPARE(text->font().family(), QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(text->font().pixelSize(), 12);
        actOverWrite->trigger();
        QVERIFY(text->overwriteMode());
        QFont font = text->font();
        font.setPixelSize(16);
        text->setFont(font);
        editor.reject();
    }
    Tcaleditor again;
    auto *text = test::child<CalTextEdit>(&again, "Editor");
    QVERIFY(test::child<QAction>(&again, "actOverWrite")->isChecked());
    QVERIFY(text->overwriteMode());
    QCOMPARE(text->font().pixelSize(), 16);
    QVERIFY(folder.exists(QStringLiteral("setting/caleditor.ini")));
}

QTEST_MAIN(TestCalEditor)
#include "tst_caleditor.moc"
