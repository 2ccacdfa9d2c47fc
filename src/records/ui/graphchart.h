#pragma once

#include "records/graphdata.h"

#include <QChartView>
#include <QDate>
#include <QList>

#include <optional>

class QCategoryAxis;
class QChart;
class QLineSeries;
class QPagedPaintDevice;
class QGraphicsSimpleTextItem;
class QValueAxis;

namespace zk {

// What the graph draws beside the item's line.
struct GraphLines {
    std::optional<double> target; // a dashed line at the target, labelled with its value
    bool trend = false;           // the moving average of the last seven points
    // The points' dates: each point stands at its date, so that gaps show.
    // Without them the points stand evenly.
    std::optional<QList<QDate>> dates;
};

// The line graph of one item: a red line through the points at x = 0 … n−1
// (or at their dates' day numbers from the first), each point labelled with
// its date text on the bottom axis; the mouse resting on the line shows the
// nearest point's date and value.
class GraphChart : public QChartView {
    Q_OBJECT
public:
    explicit GraphChart(QWidget *parent = nullptr);

    // Replaces the points, the titles and the lines beside them.
    void setGraph(const QList<GraphPoint> &points, const QString &title, const QString &dateTitle,
                  const QString &valueTitle, const GraphLines &lines = {});

    // Draws the chart as it is shown, scaled to one page of the device.
    void printOn(QPagedPaintDevice &device);
    // The chart as shown (at `size` when given), as PNG or SVG bytes; a
    // picture that cannot be made throws, rather than giving no bytes.
    QByteArray pngBytes(QSize size = {});
    QByteArray svgBytes(QSize size = {});

    const QList<GraphPoint> &points() const { return m_points; }
    // The moving average at each point; empty while the trend is not drawn.
    const QList<double> &trend() const { return m_trendValues; }
    // What the tooltip says for the point nearest to a place of the plot.
    QString hoverText(QPointF value) const;

    QLineSeries *series() const { return m_series; }
    QLineSeries *targetSeries() const { return m_target; }
    QLineSeries *trendSeries() const { return m_trend; }
    QCategoryAxis *dateAxis() const { return m_dateAxis; }
    QValueAxis *valueAxis() const { return m_valueAxis; }

    // Every point is drawn, but only as many date labels as fit side by side
    // under the plot (at most MaxLabels): every n-th point is labelled (or by
    // date every n-th day), n being 1, 2 or 5 times a power of ten.
    static constexpr int MaxLabels = 31;
    int labelStep() const { return m_step; }

private:
    void relabel();
    int fittingStep() const;
    QList<qsizetype> labelledPoints(int step) const;
    void showHover(QPointF value, bool entered);
    void placeTargetLabel();
    void paintChart(QPainter &painter, QSize size);

    QList<GraphPoint> m_points;
    QList<double> m_xs; // where each point stands
    bool m_byDate = false;
    QList<QByteArray> m_dates;
    int m_widestLabel = 0; // in pixels, of the dates' texts
    int m_step = 1;
    QList<double> m_trendValues;
    QLineSeries *m_series;
    QLineSeries *m_target;
    QGraphicsSimpleTextItem *m_targetLabel; // the target's value, above the left end of its line
    std::optional<double> m_targetValue;
    QLineSeries *m_trend;
    QCategoryAxis *m_dateAxis;
    QValueAxis *m_valueAxis;
};

} // namespace zk
