#pragma once

#include <QDialog>

class QAction;
class QLabel;
class QSplitter;
class QStatusBar;
class QToolBar;
class QModelIndex;
class QTreeView;

namespace zk {

class CalFileIconModel;
class CalTextEdit;

// The calorie data editor "ｶﾛﾘｰﾃﾞｰﾀ ｴﾃﾞｨﾀ": the tables under data/ on the
// left, the selected table as text on the right. Created for one modal
// showing; every opening starts afresh from the files.
class Tcaleditor : public QDialog {
    Q_OBJECT
public:
    explicit Tcaleditor(QWidget *parent = nullptr);

    // The table being edited ("" until one is loaded); the target of saving.
    QString currentFile() const { return m_currentFile; }

    // Every way of closing the window (Esc, actExit, the close box) comes
    // here: with unsaved edits it asks first.
    void reject() override;

Q_SIGNALS:
    void helpRequested(int context);

protected:
    bool event(QEvent *e) override;

private:
    void createActions();
    void createMenusAndToolBar();
    void createLayout();
    void applySettings();
    void keepSettings();

    void SetCaloryDirectories();
    QModelIndex indexForPath(const QString &path) const;
    void selectQuietly(const QModelIndex &index);
    void trvFileListCurrentChanged(const QModelIndex &current, const QModelIndex &previous);
    bool trvFileListChanging();
    void trvFileListChange(const QModelIndex &index);
    bool save();
    void actSaveExecute();
    void actTabIndentExecute();
    void actFontExecute();
    void EditorChange();
    void UnReCheck();

    QAction *actReload, *actExit, *actSave, *actUndo, *actRedo, *actCut, *actCopy, *actPaste,
        *actDelete, *actSelectAll, *actTabIndent, *actTabUnIndent, *actFont, *actOverWrite,
        *actFullScreen, *actHelp;
    QToolBar *tbrMain;
    QTreeView *trvFileList;
    QLabel *pnlTitle;
    CalTextEdit *Editor;
    QStatusBar *stb;

    CalFileIconModel *m_files;
    QString m_currentFile;
    QLabel *m_stbText;
    bool m_quiet = false; // selection moved by the window itself: no prompt, no load
    int m_scans = 0;
};

} // namespace zk
