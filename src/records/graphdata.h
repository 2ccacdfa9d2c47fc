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

// "体重の推移グラフ", with "（from～to）" when a range is applied.
QString GraphTitle(const QString &name, const OptionalRange &range);
// The value axis names the item and its unit: "体重kg".
QString ValueAxisTitle(const QString &name, const QString &unit);
QString DateAxisTitle();
// The status line after the points were collected.
QString GraphStatusText(qsizetype count);

} // namespace zk
