#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace zk {

// One measurement item of setting/graph.dat: name, unit, target value, kept
// as the bytes the file holds.
struct RecordItem {
    QByteArray name;
    QByteArray unit;
    QByteArray target;

    friend bool operator==(const RecordItem &, const RecordItem &) = default;
};

// The items of setting/graph.dat in file order; nullopt when the file does not
// exist (the windows then show their own message or stay empty).
std::optional<QList<RecordItem>> LoadRecordItems();

// "name[unit]", or the name alone when the unit is empty.
QByteArray FormatItemEntry(const RecordItem &item);

struct ItemEntryParts {
    QString name;
    QString unit;
};

// Takes an item entry apart again. Ambiguous for a name that itself ends in
// "]"; the windows keep each item's name and unit rather than relying on this.
ItemEntryParts ParseItemEntry(const QString &entry);

} // namespace zk
