#pragma once

#include "common/listtable.h"
#include "common/rowlistmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

namespace zk {

// One row of a food list (the intake list and the search results): the food's
// name as stored (Shift-JIS), the table it came from, the "Calory" cell and
// the signed value the cell was made from.
struct CalorieRow {
    QByteArray foods;
    QString category;
    QString calory;
    int value = 0;
    QString foodsText; // the decoded name, for display and collation
    // The cells as a stored list gave them (the food diary's day file), so
    // that a row the user did not touch is written back byte for byte; empty
    // for a row made in this session.
    ListRow stored;
};

} // namespace zk

// Lists of rows grow by moving their bytes: a search's results reach tens of
// thousands of rows.
Q_DECLARE_TYPEINFO(zk::CalorieRow, Q_RELOCATABLE_TYPE);

namespace zk {

// The column and direction of the last sort: 0 unsorted, 1..3 the columns
// "Foods", "Category", "Calory" in their first direction, -1..-3 reversed.
// One key is shared by every food list, so a click on one list decides the
// direction of the next click on the same column of another.
class SortKey : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    int value() const { return m_value; }
    // A click on column 1..3: the same column reverses, another starts afresh.
    int click(int column) {
        m_value = (m_value == column || m_value == -column) ? -m_value : column;
        Q_EMIT changed(m_value);
        return m_value;
    }

Q_SIGNALS:
    // Every list that shares the key shows it in its header.
    void changed(int value);

private:
    int m_value = 0;
};

// The leading number of a "Calory" cell: an optional minus sign, then digits
// with "," between them skipped; a cell that starts otherwise gives 0.
qint64 leadingNumber(const QString &cell);

// Row order under a sort key; negative places x first. Text columns use the
// locale collation, "Calory" puts the largest value first.
int lsvCalCompare(const CalorieRow &x, const CalorieRow &y, int sortKey);

// Column widths of a food list of the given outer width: w = width - 20 split
// 4 : 3 : rest in ninths.
std::array<int, 3> foodListColumnWidths(int outerWidth);

class CalorieListModel : public RowListModel<CalorieRow> {
    Q_OBJECT
public:
    enum Column { Foods, Category, Calory, ColumnCount };

    using RowListModel::RowListModel;

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Sorts the rows by the key (stable; a key of 0 keeps the order). When
    // the first `sortedRows` rows are known to be in that order already, only
    // the rest is sorted and merged in, with the same result.
    void sortBy(int sortKey, qsizetype sortedRows = 0);
};

} // namespace zk
