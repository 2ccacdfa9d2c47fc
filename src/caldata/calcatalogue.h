#pragma once

#include "caldata/calfiletree.h"

#include <QList>
#include <QObject>
#include <QString>

namespace zk {

// The calorie tables found by the last scan, in the order of the file tree.
class CalCatalogue : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QString name; // the file name without its extension
        QString path; // the full path as found on disk
        bool operator==(const Entry &) const = default;
    };

    explicit CalCatalogue(QObject *parent = nullptr);

    const QList<Entry> &entries() const { return m_entries; }
    // Replaces the entries with the tables of a file tree.
    void setTables(const CalFileTree &tree);

Q_SIGNALS:
    void changed();

private:
    QList<Entry> m_entries;
};

// The program's catalogue, refilled by every scan.
CalCatalogue &CalFileList();

// Scans the program's data/ folder into a file tree and replaces the
// catalogue with the tables found.
CalFileTree SetCaloryDirectories(CalCatalogue &catalogue = CalFileList());

} // namespace zk
