#include "records/graphdata.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "records/recordfile.h"

#include <QLocale>

#include <charconv>
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

ValueScale ValueScaleFor(const QList<GraphPoint> &points, std::optional<double> alsoShown) {
    if (points.isEmpty())
        return {};
    double lo = points.first().value, hi = lo;
    for (const GraphPoint &p : points) {
        lo = std::min(lo, double(p.value));
        hi = std::max(hi, double(p.value));
    }
    if (alsoShown) {
        lo = std::min(lo, *alsoShown);
        hi = std::max(hi, *alsoShown);
    }
    // A single level still gets an axis around it.
    double span = hi - lo;
    if (span <= 0)
        span = lo != 0 ? std::abs(lo) * 0.02 : 1;
    const double margin = span * 0.05;
    const double raw = (span + 2 * margin) / 5; // about five steps
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * power;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw) {
            step = factor * power;
            break;
        }
    }
    ValueScale scale;
    scale.step = step;
    scale.decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    // Rounded to the step's decimals, so that float noise makes no extra step.
    const double unit = std::pow(10.0, scale.decimals);
    scale.min = std::floor(std::round((lo - margin) / step * 1e6) / 1e6) * step;
    scale.max = std::ceil(std::round((hi + margin) / step * 1e6) / 1e6) * step;
    scale.min = std::round(scale.min * unit) / unit;
    scale.max = std::round(scale.max * unit) / unit;
    // Values on one side of zero keep the axis on that side: the margin
    // must not make a whole step of values that cannot occur.
    if (lo >= 0 && hi > 0)
        scale.min = std::max(scale.min, 0.0);
    if (hi <= 0 && lo < 0)
        scale.max = std::min(scale.max, 0.0);
    // A bound rounded to zero from below is -0, which would read "-0".
    scale.min += 0.0;
    scale.max += 0.0;
    return scale;
}

std::optional<double> TargetValue(const QByteArray &text) {
    if (text.trimmed().isEmpty())
        return std::nullopt;
    try {
        return RecordValue(text);
    } catch (const Error &) {
        return std::nullopt;
    }
}

QList<double> MovingAverage(const QList<GraphPoint> &points, int window) {
    QList<double> means;
    means.reserve(points.size());
    double sum = 0;
    for (qsizetype i = 0; i < points.size(); ++i) {
        sum += points[i].value;
        if (i >= window)
            sum -= points[i - window].value;
        means.append(sum / double(std::min<qsizetype>(i + 1, window)));
    }
    return means;
}

std::optional<QList<QDate>> PointDates(const QList<GraphPoint> &points) {
    QList<QDate> dates;
    dates.reserve(points.size());
    try {
        for (const GraphPoint &p : points)
            dates.append(ParseDateText(p.date));
    } catch (const Error &) {
        return std::nullopt;
    }
    return dates;
}

QString PointValueText(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, float(value)).ptr;
    return QString::fromLatin1(text, end - text);
}

QList<QStringList> GraphCsvRows(const QList<GraphPoint> &points, const QString &valueTitle,
                                const QList<double> &trend) {
    const bool withTrend = trend.size() == points.size() && !trend.isEmpty();
    QList<QStringList> rows;
    rows.reserve(points.size() + 1);
    rows.append({QStringLiteral("日付"), valueTitle});
    if (withTrend)
        rows.first().append(QStringLiteral("移動平均"));
    for (qsizetype i = 0; i < points.size(); ++i) {
        QStringList row{sjis::decode(points[i].date), PointValueText(points[i].value)};
        if (withTrend)
            row.append(PointValueText(trend[i]));
        rows.append(row);
    }
    return rows;
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
