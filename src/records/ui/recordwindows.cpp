#include "records/ui/recordwindows.h"

#include "common/ui/helptopics.h"
#include "common/ui/placement.h"
#include "records/ui/tdayrec.h"
#include "records/ui/tgraph.h"

#include <QAction>

namespace zk {

RecordWindows::RecordWindows(QWidget *mainWindow, QAction *mnuDayRec, QAction *mnuGraph)
    : QObject(mainWindow)
    , m_mainWindow(mainWindow)
    , m_graph(std::make_unique<TGraph>()) {
    setObjectName(QStringLiteral("recordWindows"));
    // The program ends with its main window, whether the graph is open or not.
    m_graph->setAttribute(Qt::WA_QuitOnClose, false);
    connect(mnuDayRec, &QAction::triggered, this, &RecordWindows::mnuDayRecClick);
    connect(mnuGraph, &QAction::triggered, this, &RecordWindows::mnuGraphClick);
    mnuDayRec->setEnabled(true);
    mnuGraph->setEnabled(true);
}

RecordWindows::~RecordWindows() = default;

void RecordWindows::itemListSaved() {
    m_graph->reloadItems();
}

void RecordWindows::filesRestored() {
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
    if (!m_graph->isVisible())
        m_graph->reloadItems();
    centreOnFirstShow(m_graph.get(), m_mainWindow);
    m_graph->show();
    m_graph->raise();
    m_graph->activateWindow();
}

} // namespace zk
