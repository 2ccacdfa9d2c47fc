#include "benchmark.h"

#include "common/platform.h"
#include "common/savefile.h"
#include "records/graphdata.h"
#include "records/ui/graphchart.h"
#include "records/ui/tgraph.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QLineSeries>
#include <QListWidget>

#include <algorithm>
#include <cmath>

using namespace zk;

namespace {

// Ten years of daily weights between 60 and 70, in record file order.
QList<GraphPoint> tenYears() {
    QList<GraphPoint> points;
    const QDate first(2000, 1, 1);
    for (int i = 0; i < 3650; ++i)
        points.append({FormatDateText(first.addDays(i)),
                       float(65.0 + 4.0 * std::sin(i / 60.0) + (i * 7 % 11) / 10.0)});
    return points;
}

QByteArray recordFile(const QList<GraphPoint> &points) {
    QByteArray file;
    for (const GraphPoint &p : points)
        file += p.date + '\xFF' + QByteArray::number(p.value, 'f', 1) + "\r\n";
    return file;
}

// Counts the paints of the chart, so that a redraw that did not happen
// cannot pass for a fast one.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Resizes the shown chart between two sizes, twenty times: the median of
// one resize with the new layout, labels and paint that it brings.
void measureResizes(const char *what, GraphChart &chart) {
    PaintCounter counter;
    chart.viewport()->installEventFilter(&counter);
    const QSize sizes[] = {QSize(800, 500), QSize(900, 560)};
    int turn = 0;
    const auto redraw = [&] {
        chart.resize(sizes[turn++ % 2]);
        QApplication::processEvents();
    };
    redraw();
    redraw();
    counter.paints = 0;
    // Every redraw counts, so the median and the slowest are given.
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer t;
        t.start();
        redraw();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    if (counter.paints < int(times.size()))
        qFatal("%d paints for %d resizes", counter.paints, int(times.size()));
    std::sort(times.begin(), times.end());
    std::printf("  %-60s %10.2f ms (slowest %.2f ms)\n", what, times[times.size() / 2],
                times.back());
    std::fflush(stdout);
    chart.viewport()->removeEventFilter(&counter);
}

const zk::bench::Register r("graph", [](const QString &scratch) {
    ProgramFolder::set(scratch);
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    const QList<GraphPoint> points = tenYears();
    GraphLines all;
    all.target = 63.0;
    all.trend = true;
    all.dates = PointDates(points);
    if (!all.dates)
        qFatal("the dates do not read as dates");
    const QString title = GraphTitle(QStringLiteral("体重"), std::nullopt);
    const QString valueTitle = ValueAxisTitle(QStringLiteral("体重"), QStringLiteral("kg"));
    std::printf("  %lld daily points\n", qlonglong(points.size()));

    GraphChart chart;
    chart.resize(800, 500);
    chart.show();
    QApplication::processEvents();
    zk::bench::measure("make the graph (target, trend, by date)", 10,
                       [&] { chart.setGraph(points, title, DateAxisTitle(), valueTitle, all); });
    measureResizes("resize and redraw (target, trend, by date)", chart);
    GraphLines targetOnly;
    targetOnly.target = all.target;
    chart.setGraph(points, title, DateAxisTitle(), valueTitle, targetOnly);
    measureResizes("resize and redraw (target only, evenly)", chart);
    chart.hide();

    // The whole way in the window: the record file read, the points
    // collected, the dates read and the graph made.
    QDir(scratch).mkpath(QStringLiteral("setting"));
    QDir(scratch).mkpath(QStringLiteral("record"));
    SaveStringToFile(ProgramFolder::file(QStringLiteral("setting/graph.dat")), "weight\xFFkg\xFF"
                                                                               "63\r\n");
    SaveStringToFile(ProgramFolder::file(QStringLiteral("setting/graph.ini")),
                     "[chkTrend]\r\nChecked=1\r\n\r\n[chkDateScale]\r\nChecked=1\r\n");
    SaveStringToFile(ProgramFolder::file(QStringLiteral("setting/day.ini")),
                     "[chkDataRange]\r\nChecked=0\r\n");
    SaveStringToFile(ProgramFolder::file(QStringLiteral("record/weight.dat")), recordFile(points));
    TGraph window;
    window.resize(1000, 560);
    window.show();
    QApplication::processEvents();
    auto *items = window.findChild<QListWidget *>(QStringLiteral("lstItems"));
    auto *shown = window.findChild<GraphChart *>(QStringLiteral("cht"));
    zk::bench::measure("choose the item in the window (file to graph, shown)", 10, [&] {
        items->clearSelection();
        items->setCurrentRow(0);
        QApplication::processEvents();
    });
    if (shown->series()->count() != points.size() || shown->trend().isEmpty())
        qFatal("the window drew %lld points", qlonglong(shown->series()->count()));
});

} // namespace
