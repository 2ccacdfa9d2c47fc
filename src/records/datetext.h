#pragma once

#include <QByteArray>
#include <QDate>

#include <optional>

namespace zk {

// Dates are stored and compared as the texts the user's short date pattern
// gives them ("2002/08/23"), never as dates.
QByteArray FormatDateText(QDate date);
// Reads a date text written with the current pattern; anything else throws
// "'<text>' は日付ではありません".
QDate ParseDateText(const QByteArray &text);

// from <= date <= to, comparing unsigned bytes; a prefix is the smaller text.
bool DateTextInRange(const QByteArray &date, const QByteArray &from, const QByteArray &to);

// Dates as the window state files keep them: days since 30 December 1899,
// the fraction being a time of day, which the date pickers do not use.
double DateToDays(QDate date);
// Values outside the years 1 to 9999 (or not a number) give 30 December 1899.
QDate DaysToDate(double days);

// The bounds of a date range, both included.
struct DateRange {
    QByteArray from;
    QByteArray to;

    static DateRange of(QDate from, QDate to) { return {FormatDateText(from), FormatDateText(to)}; }
    bool contains(const QByteArray &date) const { return DateTextInRange(date, from, to); }
};

using OptionalRange = std::optional<DateRange>;

} // namespace zk
