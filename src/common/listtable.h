#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>
#include <QStringList>

class QItemSelectionModel;

namespace zk {

using ListRow = QList<QByteArray>;
using ListRows = QList<ListRow>;

// The storage form of a list table: cells joined by 0xFF, every line ended by
// CR LF, bytes unchanged; no rows give no bytes.
QByteArray listFileBytes(const ListRows &rows);
ListRows parseListFile(QByteArrayView bytes);

// A stored row after a dialog edited it: a cell whose text still reads as the
// stored cell decodes (bytes that are not valid CP932 show as U+FFFD) keeps
// its stored bytes; a changed cell is encoded, and a character Shift-JIS
// cannot hold throws zk::Error. Cells beyond the edited ones stay as stored.
ListRow editedRow(const ListRow &stored, const QStringList &texts);

// A list view's rows of Shift-JIS cells. Rows may hold more cells than the
// view has columns; the extra cells are kept, saved and loaded. Cells keep
// the bytes they were read with until they are edited, so bytes that are not
// valid CP932 come back unchanged.
class ListTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListTableModel(const QStringList &headers = {}, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setColumnAlignment(int column, Qt::Alignment alignment);
    void setEditableColumns(QList<int> columns);

    const ListRows &rows() const { return m_rows; }
    void setRows(ListRows rows); // one reset for the whole refill
    const ListRow &row(int r) const { return m_rows.at(r); }
    QByteArray cell(int r, int c) const;
    QString cellText(int r, int c) const;
    void setCell(int r, int c, const QByteArray &bytes);
    void setCellText(int r, int c, const QString &text); // throws zk::Error if not encodable
    void appendRow(const ListRow &row);
    void replaceRow(int r, const ListRow &row);
    void removeRowAt(int r);
    void swapRows(int a, int b);

Q_SIGNALS:
    // An in-place edit held a character that cannot be stored; the cell kept
    // its old text.
    void editRefused(const QString &message);

private:
    QStringList m_headers;
    QList<Qt::Alignment> m_alignments;
    QList<int> m_editable;
    ListRows m_rows;
};

// Replaces the whole file by the table (folders created as needed).
void ListViewSave(const ListTableModel &table, const QString &path);
// Fills the table from the file; a missing file leaves the table as it was
// and returns false.
bool ListViewLoad(ListTableModel &table, const QString &path);
// Exchanges rows a and b; the selection follows the row moved from a to b.
// Out-of-range positions change nothing.
void ListViewExchange(ListTableModel &table, QItemSelectionModel *selection, int a, int b);

} // namespace zk
