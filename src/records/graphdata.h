#pragma once

#include "records/datetext.h"

#include <QByteArray>
#include <QList>
#include <QString>

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
ValueScale ValueScaleFor(const QList<GraphPoint> &points);

// "体重の推移グラフ", with "（from～to）" when a range is applied.
QString GraphTitle(const QString &name, const OptionalRange &range);
// The value axis names the item and its unit: "体重kg".
QString ValueAxisTitle(const QString &name, const QString &unit);
QString DateAxisTitle();
// The status line after the points were collected.
QString GraphStatusText(qsizetype count);

} // namespace zk
