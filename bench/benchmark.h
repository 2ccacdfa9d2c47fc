#pragma once

#include "common/platform.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

namespace zk::bench {

// A benchmark gets a fresh scratch folder and reports its figures itself.
struct Benchmark {
    const char *name;
    std::function<void(const QString &scratch)> run;
};

inline std::vector<Benchmark> &registry() {
    static std::vector<Benchmark> all;
    return all;
}

struct Register {
    Register(const char *name, std::function<void(const QString &)> run) {
        registry().push_back({name, std::move(run)});
    }
};

// Runs f `repeat` times and prints the best time in milliseconds.
inline double measure(const char *what, int repeat, const std::function<void()> &f) {
    double best = 1e300;
    for (int i = 0; i < repeat; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    std::printf("  %-60s %10.2f ms\n", what, best);
    std::fflush(stdout);
    return best;
}

// The scratch folder as the program folder, on a Japanese desktop whose today is fixed.
inline void useProgramFolder(const QString &scratch, QDate today) {
    ProgramFolder::set(scratch);
    Regional regional(QLocale(QLocale::Japanese, QLocale::Japan));
    regional.setToday([today] { return today; });
    Regional::setCurrent(regional);
}

// Copies the bundled tables of the source tree into a scratch folder's data/.
inline void copyBundledTables(const QString &sourceData, const QString &scratch) {
    QDirIterator it(sourceData, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target =
            scratch + QStringLiteral("/data/") + QDir(sourceData).relativeFilePath(path);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(path, target);
    }
}

// Runs the named benchmarks, or all of them when none is named.
inline int runBenchmarks(const QStringList &wanted) {
    for (const Benchmark &b : registry()) {
        if (!wanted.isEmpty() && !wanted.contains(QString::fromLatin1(b.name)))
            continue;
        std::printf("%s\n", b.name);
        QTemporaryDir scratch;
        b.run(scratch.path());
    }
    return 0;
}

} // namespace zk::bench
