#include "app/dailyintake.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/prompt.h"
#include "common/sjis.h"
#include "records/datetext.h"
#include "records/intakediary.h"

#include <QThread>

namespace zk {
namespace {

QDate today() {
    return Regional::current().today();
}

ListRows cellsOf(const QList<IntakeRow> &rows) {
    ListRows cells;
    cells.reserve(rows.size());
    for (const IntakeRow &row : rows)
        cells.append(row.cells());
    return cells;
}

QList<IntakeRow> rowsFrom(const ListRows &cells) {
    QList<IntakeRow> rows;
    rows.reserve(cells.size());
    for (const ListRow &row : cells)
        rows.append(IntakeRow::stored(row));
    return rows;
}

QString dateShown(QDate date) {
    return sjis::decode(FormatDateText(date));
}

} // namespace

DailyIntake::DailyIntake(IntakeList &list, Prompt &prompt, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_prompt(prompt)
    , m_date(today())
    , m_today(m_date)
    , m_offDate(m_date) {
    connect(&m_list, &IntakeList::rowsChanged, this, &DailyIntake::listChanged);
    // Looked at again and again rather than once at midnight: after a
    // suspend, or with the clock set, midnight is not where it was.
    m_dayWatch.setInterval(std::chrono::seconds(30));
    connect(&m_dayWatch, &QTimer::timeout, this, &DailyIntake::followToday);
    m_dayWatch.start();
}

bool DailyIntake::isToday() const {
    return m_date == today();
}

void DailyIntake::start(bool on) {
    m_on = on;
    m_date = m_today = m_offDate = today();
    if (on && !showDate(m_date))
        m_on = false; // today's file stays as it is; the list lives in memory
}

void DailyIntake::followToday() {
    // While a question is open (a nested event loop) the list stays as the
    // user sees it; it follows once the question is answered.
    const QDate now = today();
    if (now == m_today || QThread::currentThread()->loopLevel() > 1)
        return;
    const QDate was = m_today;
    m_today = now;
    if (m_on && m_date == was && showDate(now))
        Q_EMIT todayFollowed(now);
}

void DailyIntake::setOn(bool on) {
    if (on == m_on)
        return;
    const QDate day = m_today = today();
    if (!on) {
        m_offDate = showDate(day) ? day : m_date;
        m_on = false;
        return;
    }
    QList<IntakeRow> stored;
    try {
        stored = rowsOf(day);
    } catch (const Error &e) {
        m_prompt.error(e.text());
        return;
    }
    const QList<IntakeRow> shown = m_list.model()->rows();
    const ListRows storedCells = cellsOf(stored);
    const ListRows shownCells = cellsOf(shown);
    // Nothing stored is dropped or doubled without the user's word: only a
    // list made from today's empty list while off becomes today's unasked.
    bool useShown = stored.isEmpty() && m_offDate == day;
    if (!shown.isEmpty() && shownCells != storedCells && !useShown) {
        switch (m_prompt.warningYesNoCancel(
            QStringLiteral("今日（%1）の記録と、表示中のリストが違います。\n\n"
                           "はい: 記録されているリスト（%2件）に戻す\n"
                           "いいえ: 表示中のリスト（%3件）を今日の記録にする\n"
                           "キャンセル: 記録しないままにする")
                .arg(dateShown(day))
                .arg(stored.size())
                .arg(shown.size()))) {
        case Prompt::Answer::Yes:
            break;
        case Prompt::Answer::No:
            useShown = true;
            break;
        case Prompt::Answer::Cancel:
            return;
        }
    }
    useShown = useShown && !shown.isEmpty();
    m_on = true;
    m_date = day;
    m_list.setRows(useShown ? shown : stored);
    Q_EMIT dateChanged(m_date);
    if (useShown && shownCells != storedCells)
        store(m_date, shownCells);
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
    return m_date == day ? 0 : copyTo(day, policy);
}

int DailyIntake::copyTo(QDate date, DuplicatesPolicy policy) {
    if (!m_on || !date.isValid())
        return 0;
    QList<IntakeRow> rows = rowsOf(date);
    int copied = 0;
    for (const int r : m_list.selectedRows()) {
        const IntakeRow &row = m_list.model()->row(r);
        if (m_list.admits(rows, row.list.foods, row.list.category, policy)) {
            rows.append(row);
            ++copied;
        }
    }
    if (copied == 0)
        return 0;
    store(date, cellsOf(rows));
    if (date == m_date)
        m_list.setRows(rows);
    return copied;
}

bool DailyIntake::flushAtEnd() {
    return flushDays(true);
}

bool DailyIntake::flushDays(bool reportAll) {
    QStringList errors;
    for (auto day = m_unwritten.begin(); day != m_unwritten.end();) {
        try {
            SaveIntakeDay(day.key(), day.value());
        } catch (const Error &e) {
            if (reportAll || !m_reported.contains(day.key()))
                errors.append(
                    QStringLiteral("%1の摂取リストを保存できません。\n").arg(dateShown(day.key())) +
                    e.text());
            m_reported.insert(day.key());
            ++day;
            continue;
        }
        m_reported.remove(day.key());
        day = m_unwritten.erase(day);
    }
    if (!errors.isEmpty())
        m_prompt.error(errors.join(QStringLiteral("\n\n")));
    return m_unwritten.isEmpty();
}

void DailyIntake::listChanged() {
    if (m_on)
        store(m_date, cellsOf(m_list.model()->rows()));
}

QList<IntakeRow> DailyIntake::rowsOf(QDate date) const {
    const auto unwritten = m_unwritten.constFind(date);
    return rowsFrom(unwritten != m_unwritten.cend() ? *unwritten : LoadIntakeDay(date));
}

void DailyIntake::store(QDate date, const ListRows &rows) {
    m_unwritten.insert(date, rows);
    flushDays(false);
}

} // namespace zk
