#pragma once

#include "caldata/calcatalogue.h"
#include "caldata/calorielist.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>

#include <functional>

namespace zk {

// What the search window asks for: a text in the name, a calorie range, or
// either (the two are joined by "or").
struct SearchCondition {
    QByteArray text; // Shift-JIS, as typed; letter case does not count
    bool caloryOn = false;
    int minimum = 0;
    int maximum = 1000;
};

// Lower-cases the single-byte ASCII letters of a Shift-JIS text; the bytes of
// double-byte characters stay as they are.
QByteArray lowerAscii(QByteArrayView text);

// True when the lower-cased text occurs in the name, ignoring ASCII case and
// starting on a character of the name, never on the second byte of a
// double-byte character. An empty text or name never matches.
bool containsText(QByteArrayView name, QByteArrayView lowerText);

// The matching lines of one table's bytes, in file order, as result rows
// whose "Category" is the table's name.
QList<CalorieRow> searchTable(QByteArrayView bytes, const SearchCondition &condition,
                              const QString &tableName);

// The catalogue entries to search, in list order, given the target list's
// current entry and selected entries (entry 0 is "(すべて)", entry i the
// catalogue entry i - 1). Nothing selected, or the current entry on
// "(すべて)", searches every table.
QList<int> searchTargets(int tableCount, int currentEntry, const QList<int> &selectedEntries);

// The search over the tables and its result list. The result list shares the
// column sort of the intake list.
class CalSearch : public QObject {
    Q_OBJECT
public:
    explicit CalSearch(SortKey &sortKey, QObject *parent = nullptr);

    CalorieListModel *results() { return &m_results; }
    bool isRunning() const { return m_running; }

    // Empties the results and searches the tables in order; `beforeTable`
    // runs before each table with its path (the window shows it and lets
    // pending events through). A missing file or a folder in its place is
    // skipped; one that cannot be read stops the search with zk::Error,
    // keeping the rows found so far.
    // Returns false, doing nothing, while a search is already running.
    bool run(const QList<CalCatalogue::Entry> &tables, const SearchCondition &condition,
             const std::function<void(const QString &path)> &beforeTable);

    // A click on a column header (0..2) of the results.
    void sortByColumn(int column);

Q_SIGNALS:
    void finished();

private:
    // Moves the rows found but not yet listed into the results.
    void addPending();

    SortKey &m_sortKey;
    CalorieListModel m_results;
    QList<CalorieRow> m_pending;
    int m_pendingKey = 0; // the key the pending rows are to be ordered by
    int m_sortedBy = 0;   // the key the listed rows are in order of; 0 for none
    bool m_running = false;
    // Rows keep the shared order as they come until the user sorts the
    // results themselves; later searches then keep the order found.
    bool m_keepSorted = true;
};

} // namespace zk
