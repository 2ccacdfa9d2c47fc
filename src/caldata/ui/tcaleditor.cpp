#include "caldata/ui/tcaleditor.h"

#include "caldata/calcatalogue.h"
#include "caldata/caltext.h"
#include "caldata/editorsettings.h"
#include "caldata/ui/calfileiconmodel.h"
#include "caldata/ui/editortextedit.h"
#include "common/savefile.h"
#include "common/textutil.h"
#include "common/ui/actions.h"
#include "common/ui/backupguard.h"
#include "common/ui/fonts.h"
#include "common/ui/guard.h"
#include "common/ui/plaintext.h"
#include "common/ui/viewitemdelegate.h"
#include "common/ui/windowprompt.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace zk {
namespace {

// An action of the editor window: with a hint in the status bar and as its
// tooltip, and perhaps an icon.
QAction *editorAction(QWidget *owner, const char *name, const QString &caption,
                      const QKeySequence &shortcut, const QString &hint,
                      const char *icon = nullptr) {
    QAction *action = newAction(owner, name, caption, shortcut);
    action->setStatusTip(hint);
    action->setToolTip(hint.isEmpty() ? action->iconText() : hint);
    if (icon)
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    owner->addAction(action); // shortcuts work wherever the focus is in the window
    return action;
}

} // namespace

Tcaleditor::Tcaleditor(QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("caleditor"));
    setWindowTitle(QStringLiteral("ｶﾛﾘｰﾃﾞｰﾀ ｴﾃﾞｨﾀ"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(805, 504);

    createActions();
    createMenusAndToolBar();
    createLayout();
    applySettings();
    SetCaloryDirectories();
    UnReCheck();
}

void Tcaleditor::createActions() {
    actReload = editorAction(this, "actReload", QStringLiteral("ﾌｧｲﾙﾘｽﾄの更新(&R)"),
                             QKeySequence(Qt::CTRL | Qt::Key_R),
                             QStringLiteral("ﾌｧｲﾙﾘｽﾄを読み直します。ｴｸｽﾌﾟﾛｰﾗなどで自分でｶﾃｺﾞﾘなど"
                                            "を作成して更新する時に利用してください。"),
                             "editor-reload");
    actExit =
        editorAction(this, "actExit", QStringLiteral("ｴﾃﾞｨﾀを閉じる(&E)"),
                     QKeySequence(Qt::Key_Escape), QStringLiteral("終了します。"), "editor-exit");
    actSave = editorAction(this, "actSave", QStringLiteral("保存(&S)"),
                           QKeySequence(Qt::CTRL | Qt::Key_S),
                           QStringLiteral("現在編集されている箇所を保存します。"), "editor-save");
    actUndo = editorAction(this, "actUndo", QStringLiteral("元に戻す(&U)"),
                           QKeySequence(Qt::CTRL | Qt::Key_Z), QStringLiteral("元に戻します。"),
                           "editor-undo");
    actRedo = editorAction(this, "actRedo", QStringLiteral("やり直し(&R)"),
                           QKeySequence(Qt::CTRL | Qt::Key_Y), QStringLiteral("やり直します。"),
                           "editor-redo");
    actCut = editorAction(
        this, "actCut", QStringLiteral("切り取り(&X)"), QKeySequence(Qt::CTRL | Qt::Key_X),
        QStringLiteral("選択部分を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに渡します。"), "editor-cut");
    actCopy = editorAction(
        this, "actCopy", QStringLiteral("ｺﾋﾟｰ(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C),
        QStringLiteral("選択部分をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰしておきます。"), "editor-copy");
    actPaste = editorAction(
        this, "actPaste", QStringLiteral("貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V),
        QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存されているﾃﾞｰﾀをｶｰｿﾙ位置へ貼り付けます。"), "editor-paste");
    actDelete = editorAction(this, "actDelete", QStringLiteral("削除(&D)"), {},
                             QStringLiteral("選択されている部分を削除します。"));
    actSelectAll =
        editorAction(this, "actSelectAll", QStringLiteral("すべて選択(&A)"),
                     QKeySequence(Qt::CTRL | Qt::Key_A), QStringLiteral("すべて選択します。"));
    actTabIndent = editorAction(this, "actTabIndent", QStringLiteral("ﾀﾌﾞｲﾝﾃﾞﾝﾄ(&T)"),
                                QKeySequence(Qt::Key_Tab),
                                QStringLiteral("選択された部分の先頭にﾀﾌﾞのｲﾝﾃﾞﾝﾄを挿入します。"));
    actTabUnIndent =
        editorAction(this, "actTabUnIndent", QStringLiteral("ﾀﾌﾞｱﾝｲﾝﾃﾞﾝﾄ(&S)"),
                     QKeySequence(Qt::SHIFT | Qt::Key_Tab),
                     QStringLiteral("選択された部分の先頭ににﾀﾌﾞがあれば削除します。"));
    actFont = editorAction(this, "actFont", QStringLiteral("ﾌｫﾝﾄ(&F)"), {},
                           QStringLiteral("ｴﾃﾞｨﾀのﾌｫﾝﾄの設定。"), "editor-font");
    actOverWrite = editorAction(this, "actOverWrite", QStringLiteral("上書きﾓｰﾄﾞ(&O)"), {},
                                QStringLiteral("上書きﾓｰﾄﾞ。"));
    actOverWrite->setCheckable(true);
    actFullScreen = editorAction(this, "actFullScreen", QStringLiteral("ｳｨﾝﾄﾞｳを最大化(&M)"),
                                 QKeySequence(Qt::ALT | Qt::Key_Return),
                                 QStringLiteral("全画面表示の切り替え"), "editor-fullscreen");
    actHelp = editorAction(this, "actHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"),
                           QKeySequence(Qt::CTRL | Qt::Key_H), {}, "help");
}

void Tcaleditor::createMenusAndToolBar() {
    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("mnuMain"));
    QMenu *file = menuBar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->addAction(actReload);
    file->addSeparator();
    file->addAction(actSave);
    file->addSeparator();
    file->addAction(actExit);
    QMenu *edit = menuBar->addMenu(QStringLiteral("編集(&E)"));
    edit->addActions({actUndo, actRedo});
    edit->addSeparator();
    edit->addActions({actCut, actCopy, actPaste, actDelete});
    edit->addSeparator();
    edit->addActions({actTabIndent, actTabUnIndent});
    edit->addSeparator();
    edit->addAction(actFont);
    edit->addSeparator();
    edit->addAction(actOverWrite);
    menuBar->addMenu(QStringLiteral("ｳｨﾝﾄﾞｳ(&W)"))->addAction(actFullScreen);
    menuBar->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"))->addAction(actHelp);

    tbrMain = new QToolBar(this);
    tbrMain->setObjectName(QStringLiteral("tbrMain"));
    tbrMain->setIconSize(QSize(16, 16));
    tbrMain->addActions({actReload, actExit});
    tbrMain->addSeparator();
    tbrMain->addAction(actSave);
    tbrMain->addSeparator();
    tbrMain->addActions({actUndo, actRedo});
    tbrMain->addSeparator();
    tbrMain->addActions({actCut, actCopy, actPaste});
    tbrMain->addSeparator();
    tbrMain->addAction(actFont);
    tbrMain->addSeparator();
    tbrMain->addAction(actFullScreen);
    tbrMain->addSeparator();
    tbrMain->addAction(actHelp);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->setMenuBar(menuBar);
    root->addWidget(tbrMain);
}

void Tcaleditor::createLayout() {
    trvFileList = new QTreeView;
    trvFileList->setObjectName(QStringLiteral("trvFileList"));
    trvFileList->setAccessibleName(QStringLiteral("ﾌｧｲﾙﾘｽﾄ"));
    trvFileList->setHeaderHidden(true);
    trvFileList->setIndentation(19);
    trvFileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvFileList->setItemDelegate(new ViewItemDelegate(trvFileList));
    trvFileList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_files = new CalFileIconModel(this);
    trvFileList->setModel(m_files);
    auto *pnlSide = new QWidget;
    pnlSide->setObjectName(QStringLiteral("pnlSide"));
    auto *side = new QVBoxLayout(pnlSide);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(trvFileList);

    pnlTitle = new QLabel;
    pnlTitle->setObjectName(QStringLiteral("pnlTitle"));
    pnlTitle->setTextFormat(Qt::PlainText); // names and paths from the file system
    pnlTitle->setAutoFillBackground(true);
    QPalette title = pnlTitle->palette();
    title.setColor(QPalette::Window, QColor(0, 0, 128));
    title.setColor(QPalette::WindowText, Qt::white);
    pnlTitle->setPalette(title);
    QFont bold = pnlTitle->font();
    bold.setBold(true);
    pnlTitle->setFont(bold);
    pnlTitle->setContentsMargins(6, 3, 6, 3);
    pnlTitle->setMinimumHeight(pnlTitle->fontMetrics().height() + 8);
    Editor = new CalTextEdit;
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setAccessibleName(QStringLiteral("ｴﾃﾞｨﾀ"));
    auto *pnlMain = new QWidget;
    pnlMain->setObjectName(QStringLiteral("pnlMain"));
    auto *main = new QVBoxLayout(pnlMain);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    main->addWidget(pnlTitle);
    main->addWidget(Editor, 1);

    auto *splCenter = new QSplitter(Qt::Horizontal);
    splCenter->setObjectName(QStringLiteral("splCenter"));
    splCenter->setHandleWidth(1);
    splCenter->addWidget(pnlSide);
    splCenter->addWidget(pnlMain);
    splCenter->setStretchFactor(1, 1);
    splCenter->setSizes({185, 805 - 185});

    stb = new QStatusBar;
    stb->setObjectName(QStringLiteral("stb"));
    m_stbText = new QLabel;
    m_stbText->setObjectName(QStringLiteral("stbText"));
    m_stbText->setTextFormat(Qt::PlainText);
    stb->addWidget(m_stbText, 1);

    auto *root = static_cast<QVBoxLayout *>(layout());
    root->addWidget(splCenter, 1);
    root->addWidget(stb);

    connect(trvFileList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Tcaleditor::trvFileListCurrentChanged);
    connect(Editor, &CalTextEdit::edited, this, &Tcaleditor::EditorChange);
    connect(Editor, &QPlainTextEdit::undoAvailable, this, &Tcaleditor::UnReCheck);
    connect(Editor, &QPlainTextEdit::redoAvailable, this, &Tcaleditor::UnReCheck);

    connect(actReload, &QAction::triggered, this, &Tcaleditor::SetCaloryDirectories);
    connect(actExit, &QAction::triggered, this, &QWidget::close);
    connect(actSave, &QAction::triggered, this, &Tcaleditor::actSaveExecute);
    connect(actUndo, &QAction::triggered, Editor, &QPlainTextEdit::undo);
    connect(actRedo, &QAction::triggered, Editor, &QPlainTextEdit::redo);
    connect(actCut, &QAction::triggered, Editor, &QPlainTextEdit::cut);
    connect(actCopy, &QAction::triggered, Editor, &QPlainTextEdit::copy);
    connect(actPaste, &QAction::triggered, Editor, &QPlainTextEdit::paste);
    connect(actDelete, &QAction::triggered, this, [this] {
        QTextCursor c = Editor->textCursor();
        c.removeSelectedText();
        Editor->setTextCursor(c);
    });
    connect(actSelectAll, &QAction::triggered, Editor, &CalTextEdit::toggleSelectAll);
    connect(actTabIndent, &QAction::triggered, this, &Tcaleditor::actTabIndentExecute);
    connect(actTabUnIndent, &QAction::triggered, Editor, &CalTextEdit::unindentSelection);
    // Tab and Shift+Tab edit the text only while it has the focus; elsewhere
    // they move the focus as usual, so the file list never changes the text.
    // The focus moves while the window is torn down too, so the handler holds
    // the actions themselves and lives only as long as they do.
    auto tabsFollowFocus = [indent = actTabIndent, unindent = actTabUnIndent,
                            editor = Editor](QWidget *, QWidget *now) {
        indent->setEnabled(now == editor);
        unindent->setEnabled(now == editor);
    };
    connect(qApp, &QApplication::focusChanged, actTabIndent, tabsFollowFocus);
    tabsFollowFocus(nullptr, QApplication::focusWidget());
    connect(actFont, &QAction::triggered, this, &Tcaleditor::actFontExecute);
    connect(actOverWrite, &QAction::toggled, Editor, &QPlainTextEdit::setOverwriteMode);
    connect(actFullScreen, &QAction::triggered, this,
            [this] { isMaximized() ? showNormal() : showMaximized(); });
    connect(actHelp, &QAction::triggered, this, [this] { Q_EMIT helpRequested(2); });
    actSave->setEnabled(false);
}

void Tcaleditor::applySettings() {
    EditorSettings s;
    guarded(this, [&] { s = EditorSettings::load(); });
    QFont font = designFont(s.fontFamily, s.fontPixelSize, s.bold);
    font.setItalic(s.italic);
    font.setUnderline(s.underline);
    font.setStrikeOut(s.strikeOut);
    Editor->setFont(font);
    actOverWrite->setChecked(s.overwrite);
    Editor->setOverwriteMode(s.overwrite);
}

void Tcaleditor::keepSettings() {
    EditorSettings s;
    const QFont font = Editor->font();
    s.overwrite = actOverWrite->isChecked();
    s.fontFamily = font.family();
    s.fontPixelSize = font.pixelSize() > 0 ? font.pixelSize() : s.fontPixelSize;
    s.bold = font.bold();
    s.italic = font.italic();
    s.underline = font.underline();
    s.strikeOut = font.strikeOut();
    guarded(this, [&] {
        if (s != EditorSettings::load())
            s.save();
    });
}

void Tcaleditor::SetCaloryDirectories() {
    // Also refills the table catalogue, which the search window follows.
    m_quiet = true;
    m_files->setTree(zk::SetCaloryDirectories());
    trvFileList->expandAll();
    m_quiet = false;
    ++m_scans;
    if (const QModelIndex current = indexForPath(m_currentFile); current.isValid())
        selectQuietly(current);
}

QModelIndex Tcaleditor::indexForPath(const QString &path) const {
    if (path.isEmpty() || m_files->rowCount() == 0)
        return {};
    const QModelIndexList found = m_files->match(m_files->index(0, 0), CalFileTreeModel::PathRole,
                                                 path, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

void Tcaleditor::selectQuietly(const QModelIndex &index) {
    m_quiet = true;
    trvFileList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_quiet = false;
}

void Tcaleditor::trvFileListCurrentChanged(const QModelIndex &current,
                                           const QModelIndex &previous) {
    if (m_quiet)
        return;
    const QString target = current.data(CalFileTreeModel::PathRole).toString();
    const QString back = previous.data(CalFileTreeModel::PathRole).toString();
    const int scans = m_scans;
    if (!trvFileListChanging()) {
        // Back where it was, the edits kept. A mouse click goes on to select
        // the clicked node once this returns, so the selection is put back
        // again after that.
        selectQuietly(indexForPath(back));
        QMetaObject::invokeMethod(
            this, [this, back] { selectQuietly(indexForPath(back)); }, Qt::QueuedConnection);
        return;
    }
    // Saving the text as a new table may have rescanned the tree under the
    // moving selection: find the chosen node again.
    const QModelIndex chosen = scans == m_scans ? current : indexForPath(target);
    if (scans != m_scans)
        selectQuietly(chosen);
    trvFileListChange(chosen);
}

bool Tcaleditor::trvFileListChanging() {
    if (!Editor->isModified())
        return true;
    switch (WindowPrompt::of(this).warningYesNoCancel(
        QStringLiteral("変更されている部分がありますが、保存してから読み込みますか？"))) {
    case Prompt::Answer::Yes:
        return save(); // a failed save keeps the selection and the edits
    case Prompt::Answer::No:
        return true;
    case Prompt::Answer::Cancel:
        break;
    }
    return false;
}

void Tcaleditor::trvFileListChange(const QModelIndex &index) {
    const CalFileNode *node = m_files->node(index);
    if (!node || node->kind != CalFileNode::Kind::Table)
        return;
    const QString path = node->path;
    if (!QFileInfo(path).isFile()) {
        WindowPrompt::of(this).message(QStringLiteral("「%1」が見つかりませんでした。").arg(path));
        return;
    }
    // Read first: a table that cannot be read leaves the text being edited alone.
    guarded(this, [&] {
        const QList<CalTextLine> lines = readCalText(readFileBytes(path));
        pnlTitle->setText(node->name);
        setPlainToolTip(pnlTitle, path);
        m_currentFile = path;
        m_stbText->setText(path);
        Editor->setLines(lines);
        actSave->setEnabled(false);
        UnReCheck();
    });
}

bool Tcaleditor::save() {
    bool saved = false;
    guarded(this, [&] {
        const QByteArray bytes = writeCalText(Editor->lines());
        QString path = m_currentFile;
        QString newName;
        if (path.isEmpty()) {
            // Nothing loaded yet: the text becomes a new table under data/.
            const std::optional<QString> name = WindowPrompt::of(this).text(
                QStringLiteral("ｶﾛﾘｰﾃﾞｰﾀ ｴﾃﾞｨﾀ"),
                QStringLiteral("新しいﾃｰﾌﾞﾙの名前を入力してください。"));
            if (!name || name->isEmpty())
                return;
            newName = *name;
            path = newTablePath(newName);
        }
        if (QFileInfo::exists(path)) // the text saved over is kept in a backup first
            BackupGuard::before(QStringLiteral("ｴﾃﾞｨﾀで「%1」を保存する前").arg(pnlTitle->text()));
        SaveStringToFile(path, bytes);
        Editor->setModified(false);
        actSave->setEnabled(false);
        saved = true;
        if (!newName.isEmpty()) {
            m_currentFile = path;
            m_stbText->setText(path);
            pnlTitle->setText(newName);
            setPlainToolTip(pnlTitle, path);
            SetCaloryDirectories();
        }
    });
    return saved;
}

void Tcaleditor::actSaveExecute() {
    save();
}

void Tcaleditor::actTabIndentExecute() {
    if (actTabIndent->shortcut() == QKeySequence(Qt::Key_Tab) &&
        !Editor->textCursor().hasSelection()) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QCoreApplication::sendEvent(Editor, &tab);
    } else {
        Editor->indentSelection();
    }
}

void Tcaleditor::actFontExecute() {
    // The dialog knows installed families and point sizes only: give it the
    // face and size the editor's font resolves to.
    const QFontInfo shown(Editor->font());
    QFont current = Editor->font();
    current.setFamily(shown.family());
    current.setPointSizeF(shown.pointSizeF());
    std::optional<QFont> chosen =
        WindowPrompt::of(this).font(current, actFont->text().remove(u'&'));
    if (!chosen)
        return;
    QFont &font = *chosen;
    if (font.pixelSize() <= 0)
        font.setPixelSize(qRound(font.pointSizeF() * logicalDpiY() / 72.0));
    Editor->setFont(font);
}

void Tcaleditor::EditorChange() {
    actSave->setEnabled(true);
    UnReCheck();
}

void Tcaleditor::UnReCheck() {
    actUndo->setEnabled(Editor->document()->isUndoAvailable());
    actRedo->setEnabled(Editor->document()->isRedoAvailable());
}

bool Tcaleditor::event(QEvent *e) {
    // Hints of the menus and the tool bar show in the status bar.
    if (e->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent *>(e)->tip();
        tip.isEmpty() ? stb->clearMessage() : stb->showMessage(tip);
        return true;
    }
    return QDialog::event(e);
}

void Tcaleditor::reject() {
    if (Editor->isModified()) {
        switch (WindowPrompt::of(this).warningYesNoCancel(
            QStringLiteral("変更されていますが、保存しますか？"))) {
        case Prompt::Answer::Yes:
            if (!save())
                return;
            break;
        case Prompt::Answer::No:
            break;
        case Prompt::Answer::Cancel:
            return;
        }
    }
    keepSettings();
    QDialog::reject();
}

} // namespace zk
