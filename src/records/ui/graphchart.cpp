#include "records/ui/graphchart.h"

#include "common/sjis.h"
#include "common/ui/fonts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSet>
#include <QValueAxis>

#include <algorithm>

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
    m_valueAxis->setLabelFormat(QStringLiteral("%.1f"));
    c->addAxis(m_dateAxis, Qt::AlignBottom);
    c->addAxis(m_valueAxis, Qt::AlignLeft);
    m_series->attachAxis(m_dateAxis);
    m_series->attachAxis(m_valueAxis);
}

void GraphChart::setGraph(const QList<GraphPoint> &points, const QString &title,
                          const QString &dateTitle, const QString &valueTitle) {
    QList<QPointF> xy;
    xy.reserve(points.size());
    for (qsizetype i = 0; i < points.size(); ++i)
        xy.append(QPointF(double(i), double(points[i].value)));
    m_series->replace(xy);

    for (const QString &label : m_dateAxis->categoriesLabels())
        m_dateAxis->remove(label);
    const qsizetype n = points.size();
    const qsizetype step = std::max<qsizetype>(1, (n + MaxLabels - 1) / MaxLabels);
    QSet<QString> used;
    for (qsizetype i = 0; i < n; i += step) {
        // The axis keeps one label per text; a date standing twice (a
        // hand-edited file) is told apart by invisible zero-width spaces.
        QString label = sjis::decode(points[i].date);
        while (used.contains(label))
            label += QChar(0x200B);
        used.insert(label);
        m_dateAxis->append(label, double(i));
    }
    m_dateAxis->setLabelsAngle(n / step > FlatLabels ? -90 : 0);
    m_dateAxis->setStartValue(-0.5);
    m_dateAxis->setRange(-0.5, n > 0 ? double(n) - 0.5 : 0.5);

    if (n > 0) {
        const auto [lo, hi] = std::minmax_element(
            points.begin(), points.end(),
            [](const GraphPoint &a, const GraphPoint &b) { return a.value < b.value; });
        const double pad = std::max(1.0, (double(hi->value) - double(lo->value)) * 0.1);
        m_valueAxis->setRange(double(lo->value) - pad, double(hi->value) + pad);
        m_valueAxis->applyNiceNumbers();
    } else {
        m_valueAxis->setRange(0, 1);
    }

    chart()->setTitle(title);
    m_dateAxis->setTitleText(dateTitle);
    m_valueAxis->setTitleText(valueTitle);
}

void GraphChart::printOn(QPagedPaintDevice &device) {
    QPainter painter(&device);
    const QRect page = painter.viewport();
    // Keep the proportions of the chart as shown, as large as the page allows.
    const QSize shown = size().isEmpty() ? QSize(540, 400) : size();
    const QSize fitted = shown.scaled(page.size(), Qt::KeepAspectRatio);
    render(&painter, QRectF(QPointF(page.x(), page.y()), fitted), rect());
}

} // namespace zk
