#pragma once

#include "app/intakelist.h"
#include "common/listtable.h"

#include <QDate>
#include <QMap>
#include <QObject>

namespace zk {

// A row of a day file as the intake list shows it, and back. A row read from
// a file keeps its cells as read, so bytes that are not valid CP932 and cells
// beyond the third are written back unchanged.
CalorieRow IntakeRowFromCells(const ListRow &cells);
ListRow IntakeRowCells(const CalorieRow &row);

// The food diary of the intake list: while on, the list shows the list of one
// date and every change the user makes is written to that date's file at once.
// Off, nothing is read or written and the list lives in memory only.
//
// A day that could not be written stays in memory, shown when its date is
// chosen again, and is tried again at the next change; the error is shown once
// until a write succeeds again.
class DailyIntake : public QObject {
    Q_OBJECT
public:
    DailyIntake(IntakeList &list, Prompt &prompt, QObject *parent = nullptr);

    bool isOn() const { return m_on; }
    QDate date() const { return m_date; }
    bool isToday() const;

    // At start-up: on, the list shows today's list; off, it stays empty.
    void start(bool on);
    // Turning the diary on makes the list shown today's list, keeping what
    // today's file holds that the list did not come from; turning it off
    // goes back to today's list, which then lives in memory.
    void setOn(bool on);
    // Shows the date's list; false, with the list and date unchanged, when
    // its file cannot be read.
    bool showDate(QDate date);
    // Appends the selected rows to today's list under the policy; the number
    // of rows appended.
    int copyToToday(DuplicatesPolicy policy);
    // Writes the days not written yet; false while one stays unwritten.
    bool flush();
    // The program ends: a day that still cannot be written is reported even
    // when it was before.
    bool flushAtEnd();

Q_SIGNALS:
    void dateChanged(QDate date);

private:
    void listChanged();
    QList<CalorieRow> rowsOf(QDate date) const; // throws when its file cannot be read
    void store(QDate date, const ListRows &rows);

    IntakeList &m_list;
    Prompt &m_prompt;
    bool m_on = false;
    QDate m_date;
    QMap<QDate, ListRows> m_unwritten;
    bool m_failing = false;
    // While off: the list of today the shown list started from.
    ListRows m_offBase;
};

} // namespace zk
