#include "caldata/ui/tfiles.h"

#include "caldata/calcatalogue.h"
#include "caldata/ui/calfileiconmodel.h"
#include "common/ui/viewitemdelegate.h"

#include <QMainWindow>
#include <QSignalBlocker>
#include <QTreeView>

#include <optional>
#include <utility>

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

    rescan();
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
    // The entry chosen stays chosen, without being loaded again.
    const CalFileNode *was = selectedNode();
    const auto chosen = was ? std::optional(std::pair(was->kind, was->path)) : std::nullopt;
    CalFileTree tree = SetCaloryDirectories(m_catalogue);
    tree.addFrequentEntry();
    m_model->setTree(std::move(tree));
    trvFile->expandAll();
    if (!chosen)
        return;
    const CalFileTree &now = m_model->tree();
    for (int i = 0; i < now.size(); ++i) {
        if (now.node(i).kind != chosen->first || now.node(i).path != chosen->second)
            continue;
        QList<int> rows;
        for (int n = i; n >= 0; n = now.node(n).parent)
            rows.prepend(now.node(n).row);
        QModelIndex index;
        for (int row : std::as_const(rows))
            index = m_model->index(row, 0, index);
        const QSignalBlocker blocker(trvFile->selectionModel());
        trvFile->setCurrentIndex(index);
        trvFile->viewport()->update();
        return;
    }
}

} // namespace zk
