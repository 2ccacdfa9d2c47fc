#include "records/ui/recordwindows.h"

#include "common/ui/helptopics.h"
#include "common/ui/placement.h"
#include "records/ui/tdayrec.h"
#include "records/ui/tgraph.h"

#include <QAction>

namespace zk {

RecordWindows::RecordWindows(QWidget *mainWindow, QAction *mnuDayRec, QAction *mnuGraph)
    : QObject(mainWindow)
    , m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("recordWindows"));
    connect(mnuDayRec, &QAction::triggered, this, &RecordWindows::mnuDayRecClick);
    connect(mnuGraph, &QAction::triggered, this, &RecordWindows::mnuGraphClick);
    mnuDayRec->setEnabled(true);
    mnuGraph->setEnabled(true);
}

RecordWindows::~RecordWindows() = default;

TGraph *RecordWindows::graph() {
    // Made when first wanted rather than at start: the charts cost the start
    // of the program more than anything else. It reads its files then.
    if (!m_graph) {
        m_graph = std::make_unique<TGraph>();
        // The program ends with its main window, whether the graph is open or not.
        m_graph->setAttribute(Qt::WA_QuitOnClose, false);
        m_graph->setIntakeTarget(m_intakeTarget);
    }
    return m_graph.get();
}

void RecordWindows::setIntakeTarget(std::function<int()> target) {
    m_intakeTarget = std::move(target);
    if (m_graph)
        m_graph->setIntakeTarget(m_intakeTarget);
}

// A graph not made yet reads the files when it is.
void RecordWindows::itemListSaved() {
    if (m_graph)
        m_graph->reloadItems();
}

void RecordWindows::filesRestored() {
    if (!m_graph)
        return;
    m_graph->reloadItems();
    m_graph->redraw();
}

void RecordWindows::mnuDayRecClick() {
    TDayRec window(m_mainWindow);
    connect(&window, &TDayRec::helpRequested, &window, &HelpTopics::showTopic);
    window.exec();
}

void RecordWindows::mnuGraphClick() {
    // The food diary may have its first day since the list was read.
    const bool made = bool(m_graph);
    TGraph *window = graph();
    if (made && !window->isVisible())
        window->reloadItems();
    centreOnFirstShow(window, m_mainWindow);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace zk
