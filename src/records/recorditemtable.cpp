#include "records/recorditemtable.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/storedfiles.h"
#include "records/recordfile.h"

namespace zk {

RecordItemTable::RecordItemTable(QObject *parent)
    : ListTableModel({QStringLiteral("項目"), QStringLiteral("単位"), QStringLiteral("目標値")},
                     parent) {
    setEditableColumns({0});
}

void RecordItemTable::load() {
    ListViewLoad(*this, ProgramFolder::file(storedfiles::graphDat));
}

void RecordItemTable::save() const {
    ListViewSave(*this, ProgramFolder::file(storedfiles::graphDat));
}

QString RecordItemTable::nameProblem(const QString &name) {
    return RecordNameProblem(name);
}

int RecordItemTable::findName(const QByteArray &name) const {
    for (int r = 0; r < rowCount(); ++r) {
        if (cell(r, 0) == name)
            return r;
    }
    return -1;
}

QString RecordItemTable::refusal(const QString &name, bool adding) const {
    if (name.isEmpty())
        return QStringLiteral("項目名を記入してください。");
    if (QString problem = nameProblem(name); !problem.isEmpty())
        return problem;
    QByteArray bytes;
    try {
        bytes = sjis::encode(name);
    } catch (const Error &e) {
        return e.text();
    }
    if (adding && findName(bytes) >= 0)
        return QStringLiteral("項目「%1」はすでに登録されています。別名にして下さい。").arg(name);
    return {};
}

int RecordItemTable::addItem(const ListRow &row) {
    appendRow(row);
    return sortTracking(rowCount() - 1);
}

int RecordItemTable::changeItem(int row, const ListRow &item) {
    replaceRow(row, item);
    return sortTracking(row);
}

bool RecordItemTable::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (index.isValid() && index.column() == 0 && role == Qt::EditRole) {
        if (const QString problem = refusal(value.toString(), false); !problem.isEmpty()) {
            Q_EMIT editRefused(problem);
            return false;
        }
    }
    if (!ListTableModel::setData(index, value, role))
        return false;
    if (index.column() == 0) {
        const int to = sortTracking(index.row());
        if (to != index.row())
            Q_EMIT itemMoved(to);
    }
    return true;
}

// Sorts by neighbour swaps (an insertion sort: the lists are short), so that
// open editors and the view's state are never reset while an edit is being
// committed. Returns where the given row ended up.
int RecordItemTable::sortTracking(int row) {
    const Regional &regional = Regional::current();
    for (int i = 1; i < rowCount(); ++i) {
        for (int j = i; j > 0 && regional.compareBytes(cell(j, 0), cell(j - 1, 0)) < 0; --j) {
            swapRows(j, j - 1);
            if (row == j)
                row = j - 1;
            else if (row == j - 1)
                row = j;
        }
    }
    return row;
}

} // namespace zk
