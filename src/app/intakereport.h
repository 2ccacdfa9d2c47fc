#pragma once

#include "app/intakelist.h"
#include "records/intakeamount.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zk {

// The period of a report: a week from Monday to Sunday, or a calendar month.
enum class ReportPeriod { Week, Month };

struct ReportRange {
    QDate first, last;

    // The period holding the day; the one `steps` periods before or after.
    static ReportRange of(ReportPeriod period, QDate day);
    ReportRange stepped(ReportPeriod period, int steps) const;
    // "2026/12/07～2026/12/13" in the short date pattern.
    QString text() const;
    bool operator==(const ReportRange &) const = default;
};

// How a period of the food diary went: the days recorded, their intake
// against the daily standard, the average nutrients and their PFC balance,
// and the change of a record item (体重) over the period.
struct IntakeReport {
    struct Day {
        QDate date;
        qint64 kcal = 0;
        IntakeNutrients nutrients; // the day's grams; a nutrient no row knows stays unknown
    };
    struct Change {
        QString item;
        std::optional<double> first, last; // the first and last values of the period
    };

    ReportRange range;
    int standard = 0;
    QList<Day> days; // the days with a day file, in date order
    QList<QDate> unreadable;
    Change change;

    std::optional<double> averageKcal() const; // nothing without a day
    int daysOver() const;                      // days above the standard
    // Each nutrient averaged over the days that know it.
    IntakeNutrients averageNutrients() const;
    PfcBalance balance() const { return PfcBalance::of(averageNutrients(), 0); }

    // The summary as lines: "記録した日数 4日", "平均摂取ｶﾛﾘｰ 1,950 kcal（基準 2,000 kcal）",
    // ...; a period without days says so, an item without values shows "−".
    QStringList summary() const;
    // The table as CSV rows: a header, one row a day, then the average and
    // the summary lines.
    QList<QStringList> csvRows() const;
};

// The report of the range from the day files and the record file of `item`.
// A day file that cannot be read is left out and listed.
IntakeReport MakeIntakeReport(const ReportRange &range, int standard, const QString &item);

} // namespace zk
