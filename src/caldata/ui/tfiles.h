#pragma once

#include <QDockWidget>

class QMainWindow;
class QTreeView;

namespace zk {

class CalCatalogue;
class CalFileIconModel;
struct CalFileNode;

// The calorie-file window "ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ": the folders and tables under data/.
// It docks in the main window's left area, floats when dragged out and only
// hides when closed.
class TFiles : public QDockWidget {
    Q_OBJECT
public:
    // Scans data/ into its tree and into the catalogue.
    explicit TFiles(CalCatalogue &catalogue, QWidget *parent = nullptr);

    // Docks the window in the main window's left area at its design width.
    void dockInto(QMainWindow &form);

    // The node selected in the tree, or nullptr.
    const CalFileNode *selectedNode() const;
    // The tree, which the settings give the font of its row.
    QWidget *fileTree() const;
    // Scans data/ again (after a restore put tables back, or a menu was
    // saved as a new table); the entry chosen stays chosen and is not loaded
    // again. The first entry is always よく食べる食品.
    void rescan();

Q_SIGNALS:
    // trvFileChange: another node was selected.
    void selectionChanged();

private:
    static constexpr int designWidth = 180;
    static constexpr int designHeight = 415;

    QTreeView *trvFile;
    CalFileIconModel *m_model;
    CalCatalogue &m_catalogue;
};

} // namespace zk
