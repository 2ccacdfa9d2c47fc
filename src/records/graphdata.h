#pragma once

#include "records/datetext.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zk {

// One point of an item's graph: the date text (at most 255 bytes) labels it.
struct GraphPoint {
    QByteArray date;
    float value = 0;

    friend bool operator==(const GraphPoint &, const GraphPoint &) = default;
};

// A stored value text as a number. "." is the decimal point whatever the
// locale (the entry dialog lets nothing else through); the locale's own
// separator is read too. Anything else throws
// "'<text>' は浮動小数点数ではありません".
float RecordValue(const QByteArray &text);

// The points of the item's record file in file order, within the range when
// there is one. The first value that is not a number throws.
QList<GraphPoint> CollectGraphPoints(const QByteArray &name, const OptionalRange &range);

// The value axis of a graph: the values with a small margin, in round steps
// (1, 2 or 5 times a power of ten), labelled with as many decimals as the
// step needs.
struct ValueScale {
    double min = 0;
    double max = 1;
    double step = 0.2;
    int decimals = 1;

    friend bool operator==(const ValueScale &, const ValueScale &) = default;
};
// `alsoShown` (a target line) is kept inside the axis as well.
ValueScale ValueScaleFor(const QList<GraphPoint> &points,
                         std::optional<double> alsoShown = std::nullopt);

// An item's target as a number, read as its values are; nothing when it is
// empty or not a number.
std::optional<double> TargetValue(const QByteArray &text);
// At each point the mean of the last `window` points up to it (fewer at the
// start).
QList<double> MovingAverage(const QList<GraphPoint> &points, int window = 7);
// The points' dates, when every date text reads as a date of the short date
// pattern; nothing when one does not.
std::optional<QList<QDate>> PointDates(const QList<GraphPoint> &points);
// A value as a CSV or a tooltip shows it: the shortest text that reads back as
// the same 32-bit value, "." as the decimal point.
QString PointValueText(double value);
// The CSV of the points shown: a header line ("日付", the value title, and
// "移動平均" with a trend), then date text, value (and trend) per point.
QList<QStringList> GraphCsvRows(const QList<GraphPoint> &points, const QString &valueTitle,
                                const QList<double> &trend = {});

// "体重の推移グラフ", with "（from～to）" when a range is applied.
QString GraphTitle(const QString &name, const OptionalRange &range);
// The value axis names the item and its unit: "体重kg".
QString ValueAxisTitle(const QString &name, const QString &unit);
QString DateAxisTitle();
// The status line after the points were collected.
QString GraphStatusText(qsizetype count);

} // namespace zk
