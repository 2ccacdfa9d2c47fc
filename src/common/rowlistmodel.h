#pragma once

#include <QAbstractTableModel>
#include <QList>

#include <algorithm>
#include <functional>

namespace zk {

// A flat table model over a list of rows of one type: the rows, adding and
// removing them with the notifications views need, and putting them in a
// new order with the persistent indexes (the selection) following.
template <typename Row> class RowListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : int(m_rows.size());
    }

    const QList<Row> &rows() const { return m_rows; }
    const Row &row(int r) const { return m_rows.at(r); }

    void append(Row row) {
        const int r = int(m_rows.size());
        beginInsertRows({}, r, r);
        m_rows.append(std::move(row));
        endInsertRows();
    }
    // Appends many rows at once: a view then updates once, not once a row.
    void append(QList<Row> rows) {
        if (rows.isEmpty())
            return;
        const int first = int(m_rows.size());
        beginInsertRows({}, first, first + int(rows.size()) - 1);
        m_rows.append(std::move(rows));
        endInsertRows();
    }
    // The same for the rows of several lists, moved in one after the other;
    // the lists are left empty, their room kept.
    void append(QList<QList<Row>> &lists) {
        qsizetype count = 0;
        for (const QList<Row> &rows : std::as_const(lists))
            count += rows.size();
        if (count == 0)
            return;
        const int first = int(m_rows.size());
        beginInsertRows({}, first, first + int(count) - 1);
        for (QList<Row> &rows : lists) {
            m_rows.append(std::move(rows));
            rows.clear();
        }
        endInsertRows();
    }
    // Any order; removed from the last up.
    void removeRowsAt(QList<int> rows) {
        std::sort(rows.begin(), rows.end(), std::greater<int>());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        for (int r : rows) {
            beginRemoveRows({}, r, r);
            m_rows.removeAt(r);
            endRemoveRows();
        }
    }
    // The room of the rows is kept for the next ones: pages taken afresh
    // cost more than the rows put in them.
    void clear() {
        beginResetModel();
        m_rows.clear();
        endResetModel();
    }
    // Puts a changed row in place; its cells are redrawn.
    void replaceRow(int r, Row row) {
        m_rows[r] = std::move(row);
        Q_EMIT dataChanged(index(r, 0), index(r, columnCount() - 1));
    }

protected:
    // The rows in a new order: order[i] is the old position of the row that
    // goes to position i.
    template <typename Order> void reorder(const Order &order) {
        Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList before = persistentIndexList();
        QList<Row> sorted;
        sorted.reserve(m_rows.size());
        QList<int> newPosition(m_rows.size());
        for (int i = 0; i < int(order.size()); ++i) {
            sorted.append(std::move(m_rows[order[i]]));
            newPosition[order[i]] = i;
        }
        m_rows = std::move(sorted);
        QModelIndexList after;
        for (const QModelIndex &i : before)
            after.append(index(newPosition[i.row()], i.column()));
        changePersistentIndexList(before, after);
        Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

private:
    QList<Row> m_rows;
};

} // namespace zk
