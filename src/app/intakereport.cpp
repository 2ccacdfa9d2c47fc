#include "app/intakereport.h"

#include "common/error.h"
#include "common/sjis.h"
#include "common/textutil.h"
#include "records/datetext.h"
#include "records/intakediary.h"
#include "records/recordfile.h"

#include <cmath>

namespace zk {
namespace {

QString dateText(QDate date) {
    return sjis::decode(FormatDateText(date));
}

QString valueText(const std::optional<double> &value) {
    return value ? QString::number(roundHalfUp(*value, 2)) : QStringLiteral("−");
}

QString signedText(double value) {
    const double rounded = roundHalfUp(value, 2);
    return (rounded > 0   ? QStringLiteral("+")
            : rounded < 0 ? QStringLiteral("−")
                          : QString()) +
           QString::number(std::abs(rounded));
}

QString gramsCell(const std::optional<double> &grams) {
    return grams ? NutrientText(grams) : QString();
}

} // namespace

ReportRange ReportRange::of(ReportPeriod period, QDate day) {
    if (period == ReportPeriod::Week) {
        const QDate monday = day.addDays(1 - day.dayOfWeek());
        return {monday, monday.addDays(6)};
    }
    const QDate first(day.year(), day.month(), 1);
    return {first, first.addMonths(1).addDays(-1)};
}

ReportRange ReportRange::stepped(ReportPeriod period, int steps) const {
    return of(period,
              period == ReportPeriod::Week ? first.addDays(7 * steps) : first.addMonths(steps));
}

QString ReportRange::text() const {
    return dateText(first) + QStringLiteral("～") + dateText(last);
}

std::optional<double> IntakeReport::averageKcal() const {
    if (days.isEmpty())
        return std::nullopt;
    double sum = 0;
    for (const Day &day : days)
        sum += double(day.kcal);
    return sum / double(days.size());
}

int IntakeReport::daysOver() const {
    return int(std::count_if(days.cbegin(), days.cend(),
                             [this](const Day &day) { return day.kcal > standard; }));
}

IntakeNutrients IntakeReport::averageNutrients() const {
    IntakeNutrients average;
    for (int n = 0; n < IntakeNutrientCount; ++n) {
        double sum = 0;
        int known = 0;
        for (const Day &day : days) {
            if (day.nutrients[n]) {
                sum += *day.nutrients[n];
                ++known;
            }
        }
        if (known > 0)
            average[n] = roundHalfUp(sum / known, 1);
    }
    return average;
}

QStringList IntakeReport::summary() const {
    if (days.isEmpty())
        return {QStringLiteral("%1 の記録はありません。").arg(range.text())};
    const PfcBalance pfc = balance();
    QStringList lines{
        QStringLiteral("記録した日数 %1日").arg(days.size()),
        QStringLiteral("平均摂取ｶﾛﾘｰ %1（基準 %2）")
            .arg(kcalText(qint64(roundHalfUp(*averageKcal(), 0))), kcalText(standard)),
        QStringLiteral("基準を超えた日 %1日").arg(daysOver()),
        QStringLiteral("平均 ") +
            (pfc.sumsText().isEmpty() ? QStringLiteral("栄養素 −") : pfc.sumsText())};
    if (pfc.hasRatio) {
        QStringList shares;
        for (int share = 0; share < 3; ++share)
            shares.append(pfc.ratioText(share) + pfc.shareArrow(share));
        lines.append(QStringLiteral("PFCバランス ") + shares.join(u' ') +
                     QStringLiteral("（目標 P 13～20% F 20～30% C 50～65%）"));
    }
    lines.append(change.first && change.last
                     ? QStringLiteral("%1の変化 %2 → %3（%4）")
                           .arg(change.item, valueText(change.first), valueText(change.last),
                                signedText(*change.last - *change.first))
                     : QStringLiteral("%1の変化 −").arg(change.item));
    return lines;
}

QList<QStringList> IntakeReport::csvRows() const {
    QList<QStringList> rows{{QStringLiteral("日付"), QStringLiteral("摂取ｶﾛﾘｰ(kcal)"),
                             QStringLiteral("基準(kcal)"), QStringLiteral("たんぱく質(g)"),
                             QStringLiteral("脂質(g)"), QStringLiteral("炭水化物(g)"),
                             QStringLiteral("食塩相当量(g)")}};
    const auto row = [this](const QString &label, const QString &kcal, const IntakeNutrients &n) {
        return QStringList{label,
                           kcal,
                           QString::number(standard),
                           gramsCell(n[Protein]),
                           gramsCell(n[Fat]),
                           gramsCell(n[Carbohydrate]),
                           gramsCell(n[Salt])};
    };
    for (const Day &day : days)
        rows.append(row(dateText(day.date), QString::number(day.kcal), day.nutrients));
    if (const std::optional<double> average = averageKcal())
        rows.append(row(QStringLiteral("平均"), QString::number(qint64(roundHalfUp(*average, 0))),
                        averageNutrients()));
    rows.append(QStringList{});
    for (const QString &line : summary())
        rows.append({line});
    return rows;
}

IntakeReport MakeIntakeReport(const ReportRange &range, int standard, const QString &item) {
    IntakeReport report;
    report.range = range;
    report.standard = standard;
    for (QDate date = range.first; date <= range.last; date = date.addDays(1)) {
        try {
            const ListRows rows = LoadIntakeDay(date);
            if (rows.isEmpty())
                continue;
            IntakeReport::Day day{date, IntakeDayTotal(rows), {}};
            for (int n = 0; n < IntakeNutrientCount; ++n)
                day.nutrients[n] = IntakeDayNutrient(rows, IntakeNutrient(n));
            report.days.append(day);
        } catch (const Error &) {
            report.unreadable.append(date);
        }
    }
    report.change.item = item;
    try {
        for (const QByteArray &line : LoadRecordLines(sjis::encode(item))) {
            const RecordLine parts = SplitRecordLine(line);
            const QDate date = ParseDateText(parts.date);
            bool ok = false;
            const double value = parts.value.trimmed().toDouble(&ok);
            if (!date.isValid() || date < range.first || date > range.last || !ok ||
                !std::isfinite(value))
                continue;
            if (!report.change.first)
                report.change.first = value;
            report.change.last = value;
        }
    } catch (const Error &) {
        // An item without a readable file has no values: its change shows "−".
    }
    return report;
}

} // namespace zk
