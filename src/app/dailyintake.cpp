#include "app/dailyintake.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/prompt.h"
#include "common/sjis.h"
#include "records/intakediary.h"

namespace zk {
namespace {

QDate today() {
    return Regional::current().today();
}

// A table name comes from a file name, which may hold a character Shift-JIS
// has no code for: that character is written as "?", the rest as it is.
QByteArray encodeShown(const QString &text) {
    try {
        return sjis::encode(text);
    } catch (const Error &) {
        QByteArray bytes;
        for (const char32_t code : text.toUcs4()) {
            try {
                bytes += sjis::encode(QString::fromUcs4(&code, 1));
            } catch (const Error &) {
                bytes += '?';
            }
        }
        return bytes;
    }
}

ListRows cellsOf(const QList<CalorieRow> &rows) {
    ListRows cells;
    cells.reserve(rows.size());
    for (const CalorieRow &row : rows)
        cells.append(IntakeRowCells(row));
    return cells;
}

QList<CalorieRow> rowsFrom(const ListRows &cells) {
    QList<CalorieRow> rows;
    rows.reserve(cells.size());
    for (const ListRow &row : cells)
        rows.append(IntakeRowFromCells(row));
    return rows;
}

} // namespace

CalorieRow IntakeRowFromCells(const ListRow &cells) {
    const QByteArray foods = cells.value(0);
    const QByteArray calory = cells.value(2);
    return {foods,
            sjis::decode(cells.value(1)),
            sjis::decode(calory),
            IntakeCalory(calory),
            sjis::decode(foods),
            cells};
}

ListRow IntakeRowCells(const CalorieRow &row) {
    if (!row.stored.isEmpty())
        return row.stored;
    return {row.foods, encodeShown(row.category), encodeShown(row.calory)};
}

DailyIntake::DailyIntake(IntakeList &list, Prompt &prompt, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_prompt(prompt)
    , m_date(today()) {
    connect(&m_list, &IntakeList::rowsChanged, this, &DailyIntake::listChanged);
}

bool DailyIntake::isToday() const {
    return m_date == today();
}

void DailyIntake::start(bool on) {
    m_on = on;
    m_date = today();
    if (on && !showDate(m_date))
        m_on = false; // today's file stays as it is; the list lives in memory
}

void DailyIntake::setOn(bool on) {
    if (on == m_on)
        return;
    if (!on) {
        showDate(today());
        m_offBase = cellsOf(m_list.model()->rows());
        m_on = false;
        return;
    }
    QList<CalorieRow> stored;
    try {
        stored = rowsOf(today());
    } catch (const Error &e) {
        m_prompt.error(e.text());
        return;
    }
    // The list shown came from today's list as it still stands: it replaces
    // it. Otherwise (started off, or the file changed) nothing of either is
    // dropped.
    const ListRows storedCells = cellsOf(stored);
    const QList<CalorieRow> shown = m_list.model()->rows();
    const QList<CalorieRow> rows = storedCells == m_offBase ? shown : stored + shown;
    m_on = true;
    m_date = today();
    m_list.setRows(rows);
    Q_EMIT dateChanged(m_date);
    if (const ListRows cells = cellsOf(rows); cells != storedCells)
        store(m_date, cells);
}

bool DailyIntake::showDate(QDate date) {
    if (!m_on)
        return false;
    try {
        m_list.setRows(rowsOf(date));
    } catch (const Error &e) {
        m_prompt.error(e.text());
        return false;
    }
    if (date != m_date) {
        m_date = date;
        Q_EMIT dateChanged(date);
    }
    return true;
}

int DailyIntake::copyToToday(DuplicatesPolicy policy) {
    const QDate day = today();
    if (!m_on || m_date == day)
        return 0;
    QList<CalorieRow> rows = rowsOf(day);
    int copied = 0;
    for (const int r : m_list.selectedRows()) {
        const CalorieRow &row = m_list.model()->row(r);
        if (m_list.admits(rows, row.foods, row.category, policy)) {
            rows.append(row);
            ++copied;
        }
    }
    if (copied > 0)
        store(day, cellsOf(rows));
    return copied;
}

bool DailyIntake::flush() {
    for (auto day = m_unwritten.begin(); day != m_unwritten.end();) {
        try {
            SaveIntakeDay(day.key(), day.value());
        } catch (const Error &e) {
            if (!m_failing)
                m_prompt.error(e.text());
            m_failing = true;
            return false;
        }
        day = m_unwritten.erase(day);
    }
    m_failing = false;
    return true;
}

bool DailyIntake::flushAtEnd() {
    m_failing = false;
    return flush();
}

void DailyIntake::listChanged() {
    if (m_on)
        store(m_date, cellsOf(m_list.model()->rows()));
}

QList<CalorieRow> DailyIntake::rowsOf(QDate date) const {
    const auto unwritten = m_unwritten.constFind(date);
    return rowsFrom(unwritten != m_unwritten.cend() ? *unwritten : LoadIntakeDay(date));
}

void DailyIntake::store(QDate date, const ListRows &rows) {
    m_unwritten.insert(date, rows);
    flush();
}

} // namespace zk
