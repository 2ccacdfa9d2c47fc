#pragma once

#include "records/graphdata.h"

#include <QChartView>
#include <QList>

class QCategoryAxis;
class QChart;
class QLineSeries;
class QPagedPaintDevice;
class QValueAxis;

namespace zk {

// The line graph of one item: a red line through the points at x = 0 … n−1,
// each point labelled with its date text on the bottom axis.
class GraphChart : public QChartView {
    Q_OBJECT
public:
    explicit GraphChart(QWidget *parent = nullptr);

    // Replaces the points and the titles.
    void setGraph(const QList<GraphPoint> &points, const QString &title, const QString &dateTitle,
                  const QString &valueTitle);

    // Draws the chart as it is shown, scaled to one page of the device.
    void printOn(QPagedPaintDevice &device);

    QLineSeries *series() const { return m_series; }
    QCategoryAxis *dateAxis() const { return m_dateAxis; }
    QValueAxis *valueAxis() const { return m_valueAxis; }

    // Every point is drawn, but only as many date labels as fit side by side
    // under the plot (at most MaxLabels): every n-th point is labelled.
    static constexpr int MaxLabels = 31;
    int labelStep() const { return m_step; }

private:
    void relabel();
    int fittingStep() const;

    QList<QByteArray> m_dates;
    int m_step = 1;
    QLineSeries *m_series;
    QCategoryAxis *m_dateAxis;
    QValueAxis *m_valueAxis;
};

} // namespace zk
