#include "benchmark.h"

#include <QApplication>

// zenkarta_bench_gui [name ...]: the window benchmarks, drawn offscreen
// unless a platform is asked for.
int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return zk::bench::runBenchmarks(QApplication::arguments().mid(1));
}
