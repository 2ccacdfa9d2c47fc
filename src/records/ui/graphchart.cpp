#include "records/ui/graphchart.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/ui/fonts.h"

#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLineSeries>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSet>
#include <QSvgGenerator>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace zk {
namespace {

QFont tahoma8(bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setBold(bold);
    return font;
}

// The step rounded up to 1, 2 or 5 times a power of ten: a round step labels
// round counts of days, and stays while the window is resized a little, which
// spares relaying the axis on every redraw.
int roundStep(int step) {
    for (int unit = 1;; unit *= 10)
        for (const int m : {1, 2, 5})
            if (m * unit >= step)
                return m * unit;
}

} // namespace

GraphChart::GraphChart(QWidget *parent)
    : QChartView(parent)
    , m_series(new QLineSeries)
    , m_target(new QLineSeries)
    , m_targetLabel(new QGraphicsSimpleTextItem(chart()))
    , m_trend(new QLineSeries)
    , m_dateAxis(new QCategoryAxis)
    , m_valueAxis(new QValueAxis) {
    setObjectName(QStringLiteral("cht"));
    setAccessibleName(QStringLiteral("グラフ"));
    setRenderHint(QPainter::Antialiasing);

    QChart *c = chart();
    c->legend()->hide();
    c->setBackgroundBrush(Qt::white);
    c->setPlotAreaBackgroundBrush(Qt::white);
    c->setPlotAreaBackgroundVisible(true);
    c->setTitleFont(tahoma8(true));
    c->setTitleBrush(Qt::blue);

    m_series->setObjectName(QStringLiteral("Series1"));
    m_series->setPen(QPen(Qt::red, 1.5));
    m_series->setPointsVisible(false);
    const QColor targetColour(0, 128, 0);
    m_target->setObjectName(QStringLiteral("Target"));
    m_target->setPen(QPen(targetColour, 1.2, Qt::DashLine));
    m_targetLabel->setBrush(targetColour);
    m_targetLabel->setFont(tahoma8(false));
    m_targetLabel->setZValue(10);
    m_targetLabel->hide();
    m_trend->setObjectName(QStringLiteral("Trend"));
    m_trend->setPen(QPen(QColor(0, 90, 200), 1.5));
    // The target and the trend lie under the item's own line.
    for (QAbstractSeries *s :
         std::initializer_list<QAbstractSeries *>{m_target, m_trend, m_series}) {
        s->setVisible(s == m_series);
        c->addSeries(s);
    }

    for (QAbstractAxis *axis :
         {static_cast<QAbstractAxis *>(m_dateAxis), static_cast<QAbstractAxis *>(m_valueAxis)}) {
        axis->setTitleFont(tahoma8(false));
        axis->setTitleBrush(Qt::gray);
        axis->setLabelsBrush(Qt::black);
        axis->setLabelsFont(tahoma8(false));
    }
    m_dateAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_dateAxis->setRange(0, 1);
    m_valueAxis->setTickType(QValueAxis::TicksDynamic);
    m_valueAxis->setRange(0, 1);
    m_valueAxis->setTickInterval(0.2);
    m_valueAxis->setLabelFormat(QStringLiteral("%.1f"));
    // Value labels in the user's number format, with thousands separators.
    c->setLocale(Regional::current().locale());
    c->setLocalizeNumbers(true);
    c->addAxis(m_dateAxis, Qt::AlignBottom);
    c->addAxis(m_valueAxis, Qt::AlignLeft);
    for (QAbstractSeries *s : c->series()) {
        s->attachAxis(m_dateAxis);
        s->attachAxis(m_valueAxis);
    }
    // The number of labels that fit follows the plot's width.
    connect(c, &QChart::plotAreaChanged, this, &GraphChart::relabel);
    connect(c, &QChart::plotAreaChanged, this, &GraphChart::placeTargetLabel);
    connect(m_series, &QLineSeries::hovered, this, &GraphChart::showHover);
    connect(m_trend, &QLineSeries::hovered, this, &GraphChart::showHover);
}

void GraphChart::setGraph(const QList<GraphPoint> &points, const QString &title,
                          const QString &dateTitle, const QString &valueTitle,
                          const GraphLines &lines) {
    m_points = points;
    m_byDate = lines.dates && lines.dates->size() == points.size() && !points.isEmpty();
    m_xs.clear();
    m_xs.reserve(points.size());
    for (qsizetype i = 0; i < points.size(); ++i)
        m_xs.append(m_byDate ? double(lines.dates->first().daysTo(lines.dates->at(i))) : double(i));
    const auto [lowest, highest] = std::minmax_element(m_xs.cbegin(), m_xs.cend());
    const double left = points.isEmpty() ? -0.5 : *lowest - 0.5;
    const double right = points.isEmpty() ? 0.5 : *highest + 0.5;

    QList<QPointF> xy;
    xy.reserve(points.size());
    for (qsizetype i = 0; i < points.size(); ++i)
        xy.append(QPointF(m_xs[i], double(points[i].value)));
    m_series->replace(xy);

    m_trendValues = lines.trend ? MovingAverage(points) : QList<double>{};
    QList<QPointF> trendXy;
    trendXy.reserve(m_trendValues.size());
    for (qsizetype i = 0; i < m_trendValues.size(); ++i)
        trendXy.append(QPointF(m_xs[i], m_trendValues[i]));
    m_trend->replace(trendXy);
    m_trend->setVisible(!m_trendValues.isEmpty());

    const std::optional<double> target = points.isEmpty() ? std::nullopt : lines.target;
    m_targetValue = target;
    m_target->setVisible(target.has_value());
    if (target) {
        m_target->replace({QPointF(left, *target), QPointF(right, *target)});
        m_targetLabel->setText(QStringLiteral("目標 ") + PointValueText(*target));
    }

    m_dateAxis->setRange(left, right);
    m_dates.clear();
    for (const GraphPoint &p : points)
        m_dates.append(p.date);
    // Measured once: a resize would otherwise lay out every date again.
    m_widestLabel = 0;
    const QFontMetrics metrics(m_dateAxis->labelsFont());
    for (const QByteArray &date : m_dates)
        m_widestLabel = std::max(m_widestLabel, metrics.horizontalAdvance(sjis::decode(date)));
    m_step = 0; // labels are made afresh
    relabel();

    const ValueScale scale = ValueScaleFor(points, target);
    // The axis draws every tick at once: widen the interval over both the
    // old and the new range before either changes, or a wide range with a
    // narrow step would make millions of them.
    m_valueAxis->setTickInterval(
        std::max(m_valueAxis->max() - m_valueAxis->min(), scale.max - scale.min));
    m_valueAxis->setRange(scale.min, scale.max);
    m_valueAxis->setTickAnchor(scale.min);
    m_valueAxis->setTickInterval(scale.step);
    m_valueAxis->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals));

    // The chart draws its titles as markup; item names and units are the user's text.
    chart()->setTitle(title.toHtmlEscaped());
    placeTargetLabel();
    m_dateAxis->setTitleText(dateTitle.toHtmlEscaped());
    m_valueAxis->setTitleText(valueTitle.toHtmlEscaped());
}

int GraphChart::fittingStep() const {
    const qsizetype n = m_dates.size();
    if (n == 0)
        return 1;
    const QFontMetrics metrics(m_dateAxis->labelsFont());
    // Placed by date, the step is counted in days rather than in points.
    const double units = m_byDate ? m_dateAxis->max() - m_dateAxis->min() : double(n);
    const double perUnit = chart()->plotArea().width() / units;
    const int fit = perUnit > 0 ? int(std::ceil((m_widestLabel + metrics.height()) / perUnit)) : 1;
    const int capped = int((qsizetype(units) + MaxLabels - 1) / MaxLabels);
    return roundStep(std::max({1, fit, capped}));
}

QList<qsizetype> GraphChart::labelledPoints(int step) const {
    QList<qsizetype> labelled;
    if (m_dates.isEmpty())
        return labelled;
    // Every step-th point, or by date the first point at least `step` days
    // after the last one labelled.
    for (qsizetype i = 0; i < m_dates.size(); i += m_byDate ? 1 : step)
        if (!m_byDate || labelled.isEmpty() || m_xs[i] - m_xs[labelled.last()] >= step)
            labelled.append(i);
    // The first and the last date are always labelled; the last takes the
    // place of the regular label before it, which would stand too close.
    const qsizetype last = m_dates.size() - 1;
    if (labelled.last() != last) {
        if (labelled.size() > 1)
            labelled.removeLast();
        labelled.append(last);
    }
    return labelled;
}

void GraphChart::relabel() {
    const int step = fittingStep();
    if (step == m_step)
        return;
    m_step = step;
    for (const QString &label : m_dateAxis->categoriesLabels())
        m_dateAxis->remove(label);
    m_dateAxis->setStartValue(m_dateAxis->min());
    const QList<qsizetype> labelled = labelledPoints(step);
    // An axis without any label never places its title; a blank one keeps
    // an empty graph's date title under its plot.
    if (m_dates.isEmpty())
        m_dateAxis->append(QStringLiteral(" "), 0);
    m_dateAxis->setGridLineVisible(!m_dates.isEmpty());
    QSet<QString> used;
    for (const qsizetype i : labelled) {
        // The axis keeps one label per text; a date standing twice (a
        // hand-edited file) is told apart by invisible zero-width spaces.
        QString label = sjis::decode(m_dates[i]);
        while (used.contains(label))
            label += QChar(0x200B);
        used.insert(label);
        m_dateAxis->append(label, m_xs[i]);
    }
}

QString GraphChart::hoverText(QPointF value) const {
    if (m_points.isEmpty())
        return {};
    qsizetype nearest = 0;
    for (qsizetype i = 1; i < m_xs.size(); ++i)
        if (std::abs(m_xs[i] - value.x()) < std::abs(m_xs[nearest] - value.x()))
            nearest = i;
    QString text = sjis::decode(m_points[nearest].date) + QStringLiteral("\n") +
                   PointValueText(m_points[nearest].value);
    if (!m_trendValues.isEmpty())
        text += QStringLiteral("\n移動平均 ") + PointValueText(m_trendValues[nearest]);
    return text;
}

void GraphChart::placeTargetLabel() {
    m_targetLabel->setVisible(m_targetValue.has_value());
    if (!m_targetValue)
        return;
    const QPointF at = chart()->mapToPosition(QPointF(m_dateAxis->min(), *m_targetValue), m_target);
    m_targetLabel->setPos(at + QPointF(4, -m_targetLabel->boundingRect().height() - 1));
}

void GraphChart::showHover(QPointF value, bool entered) {
    if (entered)
        QToolTip::showText(QCursor::pos(), hoverText(value), this);
    else
        QToolTip::hideText();
}

void GraphChart::printOn(QPagedPaintDevice &device) {
    QPainter painter(&device);
    const QRect page = painter.viewport();
    // Keep the proportions of the chart as shown, as large as the page allows.
    const QSize shown = size().isEmpty() ? QSize(540, 400) : size();
    const QSize fitted = shown.scaled(page.size(), Qt::KeepAspectRatio);
    const QPointF topLeft(page.x() + (page.width() - fitted.width()) / 2.0, page.y());
    render(&painter, QRectF(topLeft, fitted), rect());
}

void GraphChart::paintChart(QPainter &painter, QSize size) {
    painter.setRenderHint(QPainter::Antialiasing);
    if (size == this->size()) {
        render(&painter, QRectF(QPointF(0, 0), size), rect());
        return;
    }
    // Another size is laid out afresh, with the labels that fit it, rather
    // than the shown chart scaled; then the chart goes back as shown.
    QChart *c = chart();
    const QSizeF shown = c->size();
    const auto layOut = [c](QSizeF to) {
        c->resize(to);
        c->layout()->activate(); // the labels just made, placed
    };
    layOut(size);
    scene()->render(&painter, QRectF(QPointF(0, 0), size), QRectF(c->pos(), size));
    layOut(shown);
}

QByteArray GraphChart::pngBytes(QSize size) {
    const QSize shown = size.isEmpty() ? this->size() : size;
    // A picture too large for the memory there is comes out null.
    const QString failed = QStringLiteral("%1 × %2 ピクセルの画像を作れませんでした。")
                               .arg(shown.width())
                               .arg(shown.height());
    QImage image(shown, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw Error(failed);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintChart(painter, shown);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || bytes.isEmpty())
        throw Error(failed);
    return bytes;
}

QByteArray GraphChart::svgBytes(QSize size) {
    const QSize shown = size.isEmpty() ? this->size() : size;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(shown);
    svg.setViewBox(QRect(QPoint(0, 0), shown));
    {
        QPainter painter(&svg);
        paintChart(painter, shown);
    }
    return bytes;
}

} // namespace zk
