#pragma once

#include "common/listtable.h"

#include <QString>

namespace zk {

// The record-item list (name, unit, target value), always sorted by name
// with the locale collation, case-sensitive. A name becomes the file name
// record/<name>.dat, so names that would leave that folder are refused.
class RecordItemTable : public ListTableModel {
    Q_OBJECT
public:
    explicit RecordItemTable(QObject *parent = nullptr);

    // setting/graph.dat; a missing file leaves the list as it was. Each throws
    // when the file cannot be read or written.
    void load();
    void save() const;

    // The message refusing a name, or an empty text for a usable one.
    static QString nameProblem(const QString &name);

    // The row whose name has exactly these bytes, or -1.
    int findName(const QByteArray &name) const;
    // Why the item dialog cannot take this name: empty, unusable as a file
    // name, not storable, or (when adding) the very same name as another
    // item. An empty text when it can.
    QString refusal(const QString &name, bool adding) const;

    // Adds the row and sorts the list; returns the row's place.
    int addItem(const ListRow &row);
    // Replaces the row and sorts the list; returns the row's place.
    int changeItem(int row, const ListRow &item);

    // An in-place edit of a name is checked and re-sorts the list.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // A row moved to keep the order; views select it at its new place.
    void itemMoved(int row);

private:
    int sortTracking(int row);
};

} // namespace zk
