#pragma once

#include <QDockWidget>

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

    QTreeView *trvFile;

    // The node selected in the tree, or nullptr.
    const CalFileNode *selectedNode() const;
    QSize sizeHint() const override { return {180, 415}; }

Q_SIGNALS:
    // trvFileChange: another node was selected.
    void selectionChanged();

private:
    CalFileIconModel *m_model;
};

} // namespace zk
