#pragma once

#include "caldata/calcatalogue.h"
#include "caldata/calorielist.h"
#include "caldata/searchfold.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <memory>

namespace zk {

// What the search window asks for: a text in the name, a calorie range, or
// either (the two are joined by "or").
struct SearchCondition {
    QString text; // as typed; letter case does not count
    bool caloryOn = false;
    int minimum = 0;
    int maximum = 1000;
    // Kana, width and letter case do not count (see foldForSearch); without
    // it only ASCII letter case does, compared by bytes.
    bool foldKana = false;
};

// A condition made ready once for all the tables of a search. Compared by
// bytes, a text that Shift-JIS cannot hold throws, naming the character.
struct SearchPlan {
    explicit SearchPlan(const SearchCondition &condition);

    SearchCondition condition;
    QByteArray lowerText;   // compared by bytes: the text with ASCII letters lower-cased
    FoldedQuery foldedText; // the text folded, when kana and width do not count
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
QList<CalorieRow> searchTable(QByteArrayView bytes, const SearchPlan &plan,
                              const QString &tableName);

// The catalogue entries to search, in list order, given the target list's
// current entry and selected entries (entry 0 is "(すべて)", entry i the
// catalogue entry i - 1). Nothing selected, or the current entry on
// "(すべて)", searches every table.
QList<int> searchTargets(int tableCount, int currentEntry, const QList<int> &selectedEntries);

// The search over the tables and its result list. The tables are read and
// searched on worker threads, on every core; their rows join the results on
// the object's own thread in list order and, within a table, in line order.
// The result list shares the column sort of the intake list.
class CalSearch : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Done,    // every table was searched
        Failed,  // a table could not be opened: see error()
        Stopped, // stopped before the end by stop()
    };

    explicit CalSearch(SortKey &sortKey, QObject *parent = nullptr);
    ~CalSearch() override;

    CalorieListModel *results() { return &m_results; }
    bool isRunning() const { return bool(m_run); }
    Outcome outcome() const { return m_outcome; }
    // The message of a table that stopped the search; empty otherwise.
    const QString &error() const { return m_error; }

    // Empties the results and starts searching the tables; returns at once.
    // A missing file or a folder in its place is skipped; one that cannot
    // be read stops the search, keeping the rows of the tables before it.
    // Returns false, doing nothing, while a search is already running; a
    // text that cannot be compared by bytes throws, changing nothing.
    bool start(const QList<CalCatalogue::Entry> &tables, const SearchCondition &condition);
    // Stops a running search, waiting for the table being read; the rows
    // listed so far stay.
    void stop();

    // A click on a column header (0..2) of the results.
    void sortByColumn(int column);

Q_SIGNALS:
    // The table whose rows are awaited next, in list order: the one the
    // user sees searched. Sent before its rows join the results.
    void searching(const QString &path);
    void finished();

private:
    struct Run;

    void searchTables(const std::shared_ptr<Run> &run);
    // Takes the rows of the tables searched, in list order, as far as the
    // next table still being searched.
    void takeSearched();
    void finish(Outcome outcome);
    // Moves the rows found but not yet listed into the results.
    void addPending();

    SortKey &m_sortKey;
    CalorieListModel m_results;
    QThreadPool m_workers;
    std::shared_ptr<Run> m_run; // the running search; null when none runs
    qsizetype m_next = 0;       // the first table whose rows have not been taken
    bool m_announced = false;   // searching() was sent for m_next
    Outcome m_outcome = Outcome::Done;
    QString m_error;
    QList<QList<CalorieRow>> m_pending;     // the rows found, not yet listed, of each table
    QList<QList<CalorieRow>> m_spent;       // the lists of rows listed
    static constexpr int takeInterval = 10; // ms between takes while a search runs
    QTimer m_takeTimer;
    QElapsedTimer m_sinceAdded;
    int m_pendingKey = 0; // the key the pending rows are to be ordered by
    int m_sortedBy = 0;   // the key the listed rows are in order of; 0 for none
    // Rows keep the shared order as they come until the user sorts the
    // results themselves; later searches then keep the order found.
    bool m_keepSorted = true;
};

} // namespace zk
