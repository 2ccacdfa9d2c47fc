#include "benchmark.h"

#include <QCoreApplication>
#include <QStringList>

// zenkarta_bench [name ...]: runs the named benchmarks, or all of them.
int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList wanted = QCoreApplication::arguments().mid(1);
    for (const zk::bench::Benchmark &b : zk::bench::registry()) {
        if (!wanted.isEmpty() && !wanted.contains(QString::fromLatin1(b.name)))
            continue;
        std::printf("%s\n", b.name);
        QTemporaryDir scratch;
        b.run(scratch.path());
    }
    return 0;
}
