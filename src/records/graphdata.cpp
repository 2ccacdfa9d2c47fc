#include "records/graphdata.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "records/recordfile.h"

#include <QLocale>

#include <cmath>

namespace zk {

float RecordValue(const QByteArray &text) {
    QString number = sjis::decode(text).trimmed();
    const QChar point = Regional::current().decimalPoint();
    if (point != u'.')
        number.replace(point, u'.');
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(number, &ok);
    // Held as a 32-bit float: what overflows it cannot be drawn either.
    if (!ok || !std::isfinite(value) || !std::isfinite(float(value)))
        throw Error(QStringLiteral("'%1' は浮動小数点数ではありません").arg(sjis::decode(text)));
    return float(value);
}

QList<GraphPoint> CollectGraphPoints(const QByteArray &name, const OptionalRange &range) {
    EnsureRecordFile(name);
    QList<GraphPoint> points;
    for (const QByteArray &line : LoadRecordLines(name)) {
        const RecordLine record = SplitRecordLine(line);
        if (range && !range->contains(record.date))
            continue;
        points.append({record.date.left(255), RecordValue(record.value)});
    }
    return points;
}

QString GraphTitle(const QString &name, const OptionalRange &range) {
    QString title = name + QStringLiteral("の推移グラフ");
    if (range)
        title += u'（' + sjis::decode(range->from) + u'～' + sjis::decode(range->to) + u'）';
    return title;
}

QString ValueAxisTitle(const QString &name, const QString &unit) {
    return name + unit;
}

QString DateAxisTitle() {
    return QStringLiteral("計測日時");
}

QString GraphStatusText(qsizetype count) {
    if (count == 0)
        return QStringLiteral(
            "該当件数がありませんでした。日付の範囲指定のチェックを確認して見てください。");
    return QString::number(count) +
           QStringLiteral("件のデータが見つかりました！グラフへ反映します。");
}

} // namespace zk
