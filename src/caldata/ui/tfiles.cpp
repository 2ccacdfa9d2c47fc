#include "caldata/ui/tfiles.h"

#include "caldata/calcatalogue.h"
#include "caldata/ui/calfileiconmodel.h"

#include <QTreeView>

namespace zk {

TFiles::TFiles(CalCatalogue &catalogue, QWidget *parent)
    : QDockWidget(QStringLiteral("ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ"), parent)
    , trvFile(new QTreeView(this))
    , m_model(new CalFileIconModel(this)) {
    setObjectName(QStringLiteral("Files"));
    setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    setAllowedAreas(Qt::LeftDockWidgetArea);

    trvFile->setObjectName(QStringLiteral("trvFile"));
    trvFile->setAccessibleName(QStringLiteral("カロリーデータファイル"));
    trvFile->setHeaderHidden(true);
    trvFile->setIndentation(19);
    trvFile->setUniformRowHeights(true);
    trvFile->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvFile->setSelectionMode(QAbstractItemView::SingleSelection);
    trvFile->setModel(m_model);
    setWidget(trvFile);

    m_model->setTree(SetCaloryDirectories(catalogue));
    trvFile->expandAll();
    connect(trvFile->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFiles::selectionChanged);
}

const CalFileNode *TFiles::selectedNode() const {
    return m_model->node(trvFile->currentIndex());
}

} // namespace zk
