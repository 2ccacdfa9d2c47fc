#include "caldata/foodfiltermodel.h"

#include "caldata/foodtreemodel.h"
#include "caldata/searchfold.h"

namespace zk {

FoodFilterModel::FoodFilterModel(FoodTreeModel *foods, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_foods(foods) {
    // A new table: its names are folded when a filter first needs them.
    connect(foods, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_names.clear();
        m_stale = true;
    });
    setSourceModel(foods);
}

void FoodFilterModel::setFilterText(const QString &text) {
    if (text == m_text)
        return;
    m_text = text;
    const QString folded = foldForSearch(text);
    if (folded == m_folded)
        return;
    // A reset, not invalidateFilter(): taking out or putting back most rows
    // of a large table one range at a time costs the view far more than
    // laying out the rows anew.
    beginResetModel();
    m_folded = folded;
    m_stale = true;
    endResetModel();
}

QModelIndex FoodFilterModel::firstFood() const {
    // A heading shown always shows a node below it.
    QModelIndex at = index(0, 0);
    while (at.isValid() && !at.data(FoodTreeModel::IsFoodRole).toBool())
        at = index(0, 0, at);
    return at;
}

bool FoodFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const {
    if (m_folded.isEmpty())
        return true;
    if (m_stale)
        updateKept();
    const QModelIndex source = m_foods->index(sourceRow, 0, sourceParent);
    return source.isValid() && m_kept[qsizetype(source.internalId())];
}

void FoodFilterModel::updateKept() const {
    const FoodTree &tree = m_foods->tree();
    if (m_names.size() != tree.size()) {
        m_names.clear();
        m_names.reserve(tree.size());
        for (int i = 0; i < tree.size(); ++i) {
            QString folded;
            foldShiftJis(tree.node(i).text, folded);
            m_names.append(std::move(folded));
        }
    }
    // Parents come before their children: first a heading that matches
    // passes its match down, then, from the last node back, a kept node
    // keeps its parent.
    m_kept.fill(false, tree.size());
    for (int i = 0; i < tree.size(); ++i) {
        const int parent = tree.node(i).parent;
        m_kept[i] = (parent >= 0 && m_kept[parent]) || m_names[i].contains(m_folded);
    }
    for (int i = tree.size() - 1; i >= 0; --i) {
        const int parent = tree.node(i).parent;
        if (m_kept[i] && parent >= 0)
            m_kept[parent] = true;
    }
    m_stale = false;
}

} // namespace zk
