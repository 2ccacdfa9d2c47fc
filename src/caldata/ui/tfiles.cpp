#include "caldata/ui/tfiles.h"

#include "caldata/calcatalogue.h"
#include "caldata/ui/calfileiconmodel.h"
#include "common/ui/viewitemdelegate.h"

#include <QMainWindow>
#include <QTreeView>

namespace zk {

TFiles::TFiles(CalCatalogue &catalogue, QWidget *parent)
    : QDockWidget(QStringLiteral("ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ"), parent)
    , trvFile(new QTreeView(this))
    , m_model(new CalFileIconModel(this))
    , m_catalogue(catalogue) {
    setObjectName(QStringLiteral("Files"));
    setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    setAllowedAreas(Qt::LeftDockWidgetArea);

    trvFile->setObjectName(QStringLiteral("trvFile"));
    trvFile->setAccessibleName(QStringLiteral("カロリーデータファイル"));
    trvFile->setHeaderHidden(true);
    trvFile->setIndentation(19);
    trvFile->setUniformRowHeights(true);
    trvFile->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvFile->setItemDelegate(new ViewItemDelegate(trvFile));
    trvFile->setSelectionMode(QAbstractItemView::SingleSelection);
    trvFile->setModel(m_model);
    setWidget(trvFile);
    resize(designWidth, designHeight);

    m_model->setTree(SetCaloryDirectories(catalogue));
    trvFile->expandAll();
    connect(trvFile->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFiles::selectionChanged);
}

void TFiles::dockInto(QMainWindow &form) {
    // A floating window does not inherit the main window's font.
    setFont(form.font());
    form.addDockWidget(Qt::LeftDockWidgetArea, this);
    form.resizeDocks({this}, {designWidth}, Qt::Horizontal);
    // Docked again after floating, it takes the design width back.
    connect(this, &QDockWidget::topLevelChanged, this, [this, &form](bool floating) {
        if (!floating)
            form.resizeDocks({this}, {designWidth}, Qt::Horizontal);
    });
}

const CalFileNode *TFiles::selectedNode() const {
    return m_model->node(trvFile->currentIndex());
}

QWidget *TFiles::fileTree() const {
    return trvFile;
}

void TFiles::rescan() {
    m_model->setTree(SetCaloryDirectories(m_catalogue));
    trvFile->expandAll();
}

} // namespace zk
