#include "common/listtable.h"

#include "common/error.h"
#include "common/savefile.h"
#include "common/sjis.h"
#include "common/textutil.h"

#include <QFileInfo>
#include <QItemSelectionModel>

namespace zk {

QByteArray listFileBytes(const ListRows &rows) {
    QByteArray out;
    for (const ListRow &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += '\xFF';
            out += row[c];
        }
        out += "\r\n";
    }
    return out;
}

ListRows parseListFile(QByteArrayView bytes) {
    ListRows rows;
    for (const QByteArray &line : splitLines(bytes))
        rows.append(Split(line, '\xFF'));
    return rows;
}

ListRow editedRow(const ListRow &stored, const QStringList &texts) {
    ListRow row = stored;
    while (row.size() < texts.size())
        row.append(QByteArray());
    for (qsizetype c = 0; c < texts.size(); ++c) {
        if (texts[c] != sjis::decode(row[c]))
            row[c] = sjis::encode(texts[c]);
    }
    return row;
}

ListTableModel::ListTableModel(const QStringList &headers, QObject *parent)
    : QAbstractTableModel(parent)
    , m_headers(headers)
    , m_alignments(headers.size()) {}

int ListTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ListTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_headers.size());
}

QVariant ListTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        if (index.column() < m_alignments.size() && m_alignments[index.column()])
            return QVariant::fromValue(m_alignments[index.column()] | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

bool ListTableModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    if (text == cellText(index.row(), index.column()))
        return true; // unchanged: keep the bytes as read
    try {
        setCellText(index.row(), index.column(), text);
    } catch (const Error &e) {
        Q_EMIT editRefused(e.text());
        return false;
    }
    return true;
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_headers[section];
    if (role == Qt::TextAlignmentRole && m_alignments[section])
        return QVariant::fromValue(m_alignments[section] | Qt::AlignVCenter);
    return {};
}

bool ListTableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                                   int role) {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_headers.size() ||
        role != Qt::EditRole)
        return false;
    m_headers[section] = value.toString();
    Q_EMIT headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags ListTableModel::flags(const QModelIndex &index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_editable.contains(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

void ListTableModel::setColumnAlignment(int column, Qt::Alignment alignment) {
    m_alignments[column] = alignment;
}

void ListTableModel::setEditableColumns(QList<int> columns) {
    m_editable = std::move(columns);
}

void ListTableModel::setRows(ListRows rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QByteArray ListTableModel::cell(int r, int c) const {
    const ListRow &row = m_rows.at(r);
    return c < row.size() ? row[c] : QByteArray();
}

QString ListTableModel::cellText(int r, int c) const {
    return sjis::decode(cell(r, c));
}

void ListTableModel::setCell(int r, int c, const QByteArray &bytes) {
    ListRow &row = m_rows[r];
    while (row.size() <= c)
        row.append(QByteArray());
    row[c] = bytes;
    Q_EMIT dataChanged(index(r, c), index(r, c));
}

void ListTableModel::setCellText(int r, int c, const QString &text) {
    setCell(r, c, sjis::encode(text));
}

void ListTableModel::appendRow(const ListRow &row) {
    const int r = int(m_rows.size());
    beginInsertRows({}, r, r);
    m_rows.append(row);
    endInsertRows();
}

void ListTableModel::replaceRow(int r, const ListRow &row) {
    m_rows[r] = row;
    Q_EMIT dataChanged(index(r, 0), index(r, columnCount() - 1));
}

void ListTableModel::removeRowAt(int r) {
    beginRemoveRows({}, r, r);
    m_rows.removeAt(r);
    endRemoveRows();
}

void ListTableModel::swapRows(int a, int b) {
    m_rows.swapItemsAt(a, b);
    const int top = std::min(a, b), bottom = std::max(a, b);
    Q_EMIT dataChanged(index(top, 0), index(bottom, columnCount() - 1));
}

void ListViewSave(const ListTableModel &table, const QString &path) {
    SaveStringToFile(path, listFileBytes(table.rows()));
}

bool ListViewLoad(ListTableModel &table, const QString &path) {
    if (!QFileInfo::exists(path))
        return false;
    // Read before replacing: a file that cannot be read leaves the rows as
    // they were, so that a later save cannot write an emptied table over it.
    table.setRows(parseListFile(readFileBytes(path)));
    return true;
}

void ListViewExchange(ListTableModel &table, QItemSelectionModel *selection, int a, int b) {
    const int n = table.rowCount();
    if (a < 0 || b < 0 || a >= n || b >= n)
        return;
    table.swapRows(a, b);
    if (selection) {
        const QModelIndex target = table.index(b, 0);
        selection->setCurrentIndex(target,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

} // namespace zk
