// The table editor under faults: a save that fails (file replaced by a
// folder, full disk) is reported, leaves the old file whole and keeps the
// text modified, whether it came from Ctrl+S, a switch to another table or
// closing the window; a table that went away after the scan is reported and
// the text being edited stays.
#include "caldata/ui/editortextedit.h"
#include "caldata/ui/tcaleditor.h"
#include "common/platform.h"

#include "support/filesizelimit.h"
#include "support/tempprogramfolder.h"
#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTreeView>

#include <optional>

using namespace zk;

namespace {

const QByteArray apple("a:1\r\nb:2"); // no break after the last line
const QByteArray pear("p:3\r\n");

QModelIndex indexNamed(QTreeView *tree, const QString &name) {
    QAbstractItemModel *model = tree->model();
    const auto found = model->match(model->index(0, 0), Qt::DisplayRole, name, 1,
                                    Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

} // namespace

class TestEditorFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    }
    void failedSaveKeepsText_data();
    void failedSaveKeepsText();
    void tableGoneKeepsText();
};

void TestEditorFaults::failedSaveKeepsText_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("how"); // save, switch or close
    for (const char *fault : {"folder", "full"}) {
        for (const char *how : {"save", "switch", "close"})
            QTest::addRow("%s, %s", fault, how) << fault << how;
    }
}

void TestEditorFaults::failedSaveKeepsText() {
    QFETCH(QString, fault);
    QFETCH(QString, how);
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("data/apple.cal"), apple);
    folder.write(QStringLiteral("data/pear.cal"), pear);
    Tcaleditor editor;
    auto *trvFileList = test::child<QTreeView>(&editor, "trvFileList");
    auto *Editor = test::child<CalTextEdit>(&editor, "Editor");
    auto *actSave = test::child<QAction>(&editor, "actSave");
    editor.show();
    trvFileList->setCurrentIndex(indexNamed(trvFileList, QStringLiteral("apple")));
    QCOMPARE(Editor->toPlainText(), QStringLiteral("a:1\nb:2"));
    Editor->moveCursor(QTextCursor::End);
    Editor->insertPlainText(QStringLiteral("\nc:3"));
    QVERIFY(Editor->isModified());
    const QString path = folder.path(QStringLiteral("data/apple.cal"));
    if (fault == QLatin1String("folder")) {
        QVERIFY(QFile::rename(path, path + ".kept"));
        QVERIFY(QDir().mkpath(path));
    }
    prompt.answers = {Prompt::Answer::Yes};
    {
        std::optional<test::FileSizeLimit> full;
        if (fault == QLatin1String("full"))
            full.emplace(4);
        if (how == QLatin1String("save"))
            actSave->trigger();
        else if (how == QLatin1String("switch"))
            trvFileList->setCurrentIndex(indexNamed(trvFileList, QStringLiteral("pear")));
        else
            editor.reject();
    }
    QCOMPARE(prompt.asked.last().kind, QStringLiteral("error"));
    QVERIFY2(prompt.asked.last().text.contains(path), qPrintable(prompt.asked.last().text));
    // The text, its table and the window stay; the old file is whole.
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.currentFile(), path);
    QCOMPARE(Editor->toPlainText(), QStringLiteral("a:1\nb:2\nc:3"));
    QVERIFY(Editor->isModified());
    QVERIFY(actSave->isEnabled());
    QCOMPARE(folder.read(fault == QLatin1String("folder") ? QStringLiteral("data/apple.cal.kept")
                                                          : QStringLiteral("data/apple.cal")),
             apple);
    QCOMPARE(folder.read(QStringLiteral("data/pear.cal")), pear);
    // Once the fault is gone the same save goes through.
    if (fault == QLatin1String("folder"))
        QVERIFY(QDir().rmdir(path));
    prompt.asked.clear();
    actSave->trigger();
    QVERIFY(prompt.asked.isEmpty());
    QCOMPARE(folder.read(QStringLiteral("data/apple.cal")), QByteArray("a:1\r\nb:2\r\nc:3"));
}

void TestEditorFaults::tableGoneKeepsText() {
    test::TempProgramFolder folder;
    test::ScriptedWindowPrompt prompt;
    folder.write(QStringLiteral("data/apple.cal"), apple);
    folder.write(QStringLiteral("data/pear.cal"), pear);
    Tcaleditor editor;
    auto *trvFileList = test::child<QTreeView>(&editor, "trvFileList");
    auto *Editor = test::child<CalTextEdit>(&editor, "Editor");
    editor.show();
    trvFileList->setCurrentIndex(indexNamed(trvFileList, QStringLiteral("apple")));
    Editor->moveCursor(QTextCursor::End);
    Editor->insertPlainText(QStringLiteral("\nc:3"));
    QVERIFY(QFile::remove(folder.path(QStringLiteral("data/pear.cal"))));
    QVERIFY(QDir().mkpath(folder.path(QStringLiteral("data/pear.cal"))));
    prompt.answers = {Prompt::Answer::No};
    trvFileList->setCurrentIndex(indexNamed(trvFileList, QStringLiteral("pear")));
    QCOMPARE(prompt.asked.last().text, QStringLiteral("「%1」が見つかりませんでした。")
                                           .arg(folder.path(QStringLiteral("data/pear.cal"))));
    QCOMPARE(editor.currentFile(), folder.path(QStringLiteral("data/apple.cal")));
    QCOMPARE(Editor->toPlainText(), QStringLiteral("a:1\nb:2\nc:3"));
    QVERIFY(Editor->isModified());
}

QTEST_MAIN(TestEditorFaults)
#include "tst_editorfaults.moc"
