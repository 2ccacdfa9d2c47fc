#include "common/ui/listviews.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>

namespace zk {

QTreeView *makeListView(const QString &name, const QString &accessible, QAbstractItemModel *model,
                        QList<int> widths, bool editable) {
    auto *view = new QTreeView;
    view->setObjectName(name);
    view->setAccessibleName(accessible);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(editable ? QAbstractItemView::SelectedClicked |
                                         QAbstractItemView::EditKeyPressed
                                   : QAbstractItemView::NoEditTriggers);
    view->header()->setSectionsMovable(false);
    view->header()->setStretchLastSection(false);
    for (int c = 0; c < widths.size(); ++c)
        view->setColumnWidth(c, widths[c]);
    return view;
}

QPushButton *makeButton(const QString &name, const QString &text) {
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

int selectedRow(const QTreeView *view) {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void selectRow(QTreeView *view, int row) {
    const QModelIndex index = view->model()->index(row, 0);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    view->scrollTo(index);
}

EmptyAreaDoubleClick::EmptyAreaDoubleClick(QTreeView *view, std::function<void()> handler)
    : QObject(view)
    , m_view(view)
    , m_handler(std::move(handler)) {
    view->viewport()->installEventFilter(this);
}

bool EmptyAreaDoubleClick::eventFilter(QObject *, QEvent *event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_view->indexAt(mouse->position().toPoint()).isValid())
            m_handler();
    }
    return false;
}

} // namespace zk
