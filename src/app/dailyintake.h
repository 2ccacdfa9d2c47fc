#pragma once

#include "app/intakelist.h"
#include "common/listtable.h"

#include <QDate>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QTimer>

namespace zk {

// The food diary of the intake list: while on, the list shows the list of one
// date and every change the user makes is written to that date's file at once.
// A row read from a file keeps its cells as read until the user changes its
// amount, so bytes that are not valid CP932 and cells the program does not
// know are written back unchanged.
// Off, nothing is read or written and the list lives in memory only.
//
// A day that could not be written stays in memory, shown when its date is
// chosen again, and is tried again at the next change, each day on its own:
// one day that cannot be written never keeps another from being written. The
// error of a day is shown once until a write of that day succeeds.
//
// The program may stay open past midnight: a list that shows today follows
// to the new today (with its own file) when the date changes, while a list
// showing another chosen day stays on it.
class DailyIntake : public QObject {
    Q_OBJECT
public:
    DailyIntake(IntakeList &list, Prompt &prompt, QObject *parent = nullptr);

    bool isOn() const { return m_on; }
    QDate date() const { return m_date; }
    bool isToday() const;

    // At start-up: on, the list shows today's list; off, it stays empty.
    void start(bool on);
    // Turning the diary on shows today's list. When the list shown differs
    // from it, the user chooses: keep the stored list, make the list shown
    // today's list, or stay off. Turning it off goes back to today's list,
    // which then lives in memory.
    void setOn(bool on);
    // Looks whether the date changed since it last looked (checked every half
    // minute as well); a list that showed today then shows the new today.
    // Nothing changes while a question is open.
    void followToday();
    // Shows the date's list; false, with the list and date unchanged, when
    // its file cannot be read.
    bool showDate(QDate date);
    // Appends the selected rows, with their amounts, to the date's list under
    // the policy and writes that date's file; the number of rows appended.
    // The list shown stays as it is unless it shows that date. A date whose
    // file cannot be read throws, and nothing is written.
    int copyTo(QDate date, DuplicatesPolicy policy);
    // The same into today's list, when another day is shown.
    int copyToToday(DuplicatesPolicy policy);
    // The program ends: writes the days not written yet; false, reporting
    // each, while one still cannot be written, even when it was reported before.
    bool flushAtEnd();

Q_SIGNALS:
    void dateChanged(QDate date);
    // The list that showed today moved on to the new today.
    void todayFollowed(QDate today);

private:
    void listChanged();
    QList<IntakeRow> rowsOf(QDate date) const; // throws when its file cannot be read
    void store(QDate date, const ListRows &rows);
    // Writes the days not written yet, each on its own; reports the days that
    // fail and were not reported yet, or every one that fails with `reportAll`.
    // False while one stays unwritten.
    bool flushDays(bool reportAll);

    IntakeList &m_list;
    Prompt &m_prompt;
    bool m_on = false;
    QDate m_date;
    QDate m_today; // today when it was last looked at
    QMap<QDate, ListRows> m_unwritten;
    QSet<QDate> m_reported; // unwritten days whose error was shown
    // While off: the date whose list the shown list started from.
    QDate m_offDate;
    QTimer m_dayWatch;
};

} // namespace zk
