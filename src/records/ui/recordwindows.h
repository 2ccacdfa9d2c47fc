#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QWidget;

namespace zk {

class TGraph;

// The diary and graph commands of the main window. The graph window is made
// once, when first asked for (its command, graph()), and hidden from then on
// when closed; the diary is a modal window made anew for each opening, so it
// reads its files afresh every time.
class RecordWindows : public QObject {
    Q_OBJECT
public:
    RecordWindows(QWidget *mainWindow, QAction *mnuDayRec, QAction *mnuGraph);
    ~RecordWindows() override;

    TGraph *graph();
    // The daily standard the graph's daily totals of the food diary aim at.
    void setIntakeTarget(std::function<int()> target);
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
    std::function<int()> m_intakeTarget;
};

} // namespace zk
