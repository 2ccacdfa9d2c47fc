#include "benchmark.h"

#include <QCoreApplication>

// zenkarta_bench [name ...]: runs the named benchmarks, or all of them.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    return zk::bench::runBenchmarks(QCoreApplication::arguments().mid(1));
}
