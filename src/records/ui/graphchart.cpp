#include "records/ui/graphchart.h"

#include "common/platform.h"
#include "common/sjis.h"
#include "common/ui/fonts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetrics>
#include <QLineSeries>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSet>
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

} // namespace

GraphChart::GraphChart(QWidget *parent)
    : QChartView(parent)
    , m_series(new QLineSeries)
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
    c->addSeries(m_series);

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
    m_series->attachAxis(m_dateAxis);
    m_series->attachAxis(m_valueAxis);
    // The number of labels that fit follows the plot's width.
    connect(c, &QChart::plotAreaChanged, this, &GraphChart::relabel);
}

void GraphChart::setGraph(const QList<GraphPoint> &points, const QString &title,
                          const QString &dateTitle, const QString &valueTitle) {
    QList<QPointF> xy;
    xy.reserve(points.size());
    for (qsizetype i = 0; i < points.size(); ++i)
        xy.append(QPointF(double(i), double(points[i].value)));
    m_series->replace(xy);

    m_dates.clear();
    for (const GraphPoint &p : points)
        m_dates.append(p.date);
    m_step = 0; // labels are made afresh
    relabel();
    const qsizetype n = points.size();
    m_dateAxis->setRange(-0.5, n > 0 ? double(n) - 0.5 : 0.5);

    const ValueScale scale = ValueScaleFor(points);
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
    m_dateAxis->setTitleText(dateTitle.toHtmlEscaped());
    m_valueAxis->setTitleText(valueTitle.toHtmlEscaped());
}

int GraphChart::fittingStep() const {
    const qsizetype n = m_dates.size();
    if (n == 0)
        return 1;
    int widest = 0;
    const QFontMetrics metrics(m_dateAxis->labelsFont());
    for (const QByteArray &date : m_dates)
        widest = std::max(widest, metrics.horizontalAdvance(sjis::decode(date)));
    const double perPoint = chart()->plotArea().width() / double(n);
    const int fit = perPoint > 0 ? int(std::ceil((widest + metrics.height()) / perPoint)) : 1;
    const int capped = int((n + MaxLabels - 1) / MaxLabels);
    return std::max({1, fit, capped});
}

void GraphChart::relabel() {
    const int step = fittingStep();
    if (step == m_step)
        return;
    m_step = step;
    for (const QString &label : m_dateAxis->categoriesLabels())
        m_dateAxis->remove(label);
    m_dateAxis->setStartValue(-0.5);
    // The first and the last date are always labelled; the last takes the
    // place of the regular label before it, which would stand too close.
    QList<qsizetype> labelled;
    for (qsizetype i = 0; i < m_dates.size(); i += step)
        labelled.append(i);
    if (!labelled.isEmpty() && labelled.last() != m_dates.size() - 1) {
        if (labelled.size() > 1)
            labelled.removeLast();
        labelled.append(m_dates.size() - 1);
    }
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
        m_dateAxis->append(label, double(i));
    }
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

} // namespace zk
