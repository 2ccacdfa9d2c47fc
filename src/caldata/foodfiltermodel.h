#pragma once

#include <QList>
#include <QSortFilterProxyModel>
#include <QString>

namespace zk {

class FoodTreeModel;

// The food tree narrowed to the names holding a text, compared as the search
// compares them (foldForSearch). A food is kept when its name holds the text;
// a heading is kept when a node below it is kept, and a heading whose own name
// holds the text keeps everything below it. An empty text keeps everything.
class FoodFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit FoodFilterModel(FoodTreeModel *foods, QObject *parent = nullptr);

    const QString &filterText() const { return m_text; }
    void setFilterText(const QString &text);

    // The first food shown, in the order of the tree; invalid when none is.
    QModelIndex firstFood() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    void updateKept() const;

    FoodTreeModel *m_foods;
    QString m_text;
    QString m_folded; // m_text folded; empty when nothing is filtered
    // Folded once per loaded table, so that a keystroke only compares.
    mutable QList<QString> m_names;
    mutable QList<bool> m_kept; // by node index, for m_folded
    mutable bool m_stale = true;
};

} // namespace zk
