#pragma once

#include <QObject>

#include <memory>

class QAction;
class QWidget;

namespace zk {

class TGraph;

// The diary and graph commands of the main window. The graph window is made
// once, hidden, and shown by its command; the diary is a modal window made
// anew for each opening, so it reads its files afresh every time.
class RecordWindows : public QObject {
    Q_OBJECT
public:
    RecordWindows(QWidget *mainWindow, QAction *mnuDayRec, QAction *mnuGraph);
    ~RecordWindows() override;

    TGraph *graph() const { return m_graph.get(); }
    // setting/graph.dat was written: the graph lists the items anew.
    void itemListSaved();
    // A restore put files back: the graph lists the items and draws anew.
    void filesRestored();

private:
    void mnuDayRecClick();
    void mnuGraphClick();

    QWidget *m_mainWindow;
    // Without a parent the graph stays an independent window beside the
    // main window rather than one kept above it.
    std::unique_ptr<TGraph> m_graph;
};

} // namespace zk
