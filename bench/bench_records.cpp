#include "benchmark.h"

#include "common/listtable.h"
#include "common/platform.h"
#include "common/prompt.h"
#include "common/savefile.h"
#include "records/dayrecentry.h"
#include "records/graphdata.h"

#include <QDate>

#include <algorithm>

using namespace zk;

namespace {

// Best of `repeat` runs of f, each after `setup` (not timed).
void measureAfter(const char *what, int repeat, const std::function<void()> &setup,
                  const std::function<void()> &f) {
    double best = 1e300;
    for (int i = 0; i < repeat; ++i) {
        setup();
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    std::printf("  %-60s %10.2f ms\n", what, best);
    std::fflush(stdout);
}

// Ten years of daily values, one day left out in the middle for the add.
QByteArray tenYears(const QDate &missing) {
    QByteArray file;
    const QDate first(2000, 1, 1);
    for (int i = 0; i <= 3650; ++i) {
        const QDate d = first.addDays(i);
        if (d == missing)
            continue;
        file += FormatDateText(d) + '\xFF' + QByteArray::number(55.0 + (i % 100) / 10.0, 'f', 1) +
                "\r\n";
    }
    return file;
}

// The measured entries ask nothing; a question would show in the figures as a failure.
class NoQuestions : public Prompt {
public:
    void message(const QString &text) override { fail(text); }
    void error(const QString &text) override { fail(text); }
    bool question(const QString &text) override { return fail(text); }
    bool warning(const QString &text) override { return fail(text); }
    Answer warningYesNoCancel(const QString &text) override {
        fail(text);
        return Answer::Cancel;
    }

private:
    static bool fail(const QString &text) {
        qFatal("unexpected question: %s", qPrintable(text));
        return false;
    }
};

void fillList(const QByteArray &name, const OptionalRange &range) {
    ListTableModel list({QStringLiteral("日付"), QStringLiteral("w")});
    EnsureRecordFile(name);
    list.setRows(DayRecRows(LoadRecordLines(name), range));
}

const zk::bench::Register r("records", [](const QString &scratch) {
    ProgramFolder::set(scratch);
    NoQuestions prompt;
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    const QByteArray name = "weight";
    const QDate missing(2005, 1, 1);
    const QByteArray original = tenYears(missing);
    const auto restore = [&] { SaveStringToFile(RecordFilePath(name), original); };
    restore();
    std::printf("  record file: %lld lines, %lld bytes\n", qlonglong(original.count('\n')),
                qlonglong(original.size()));

    measureAfter("add a value (new date, sorted file)", 10, restore, [&] {
        WriteDayRecValue(prompt, name, QStringLiteral("w"), EntryMode::Add, FormatDateText(missing),
                         "60.5");
    });
    // A hand-edited file out of order is sorted as a whole.
    QList<QByteArray> lines = original.split('\n');
    lines.removeLast();
    std::reverse(lines.begin(), lines.end());
    const QByteArray reversed = lines.join('\n') + '\n';
    measureAfter(
        "add a value to a file out of order (full sort)", 10,
        [&] { SaveStringToFile(RecordFilePath(name), reversed); },
        [&] {
            WriteDayRecValue(prompt, name, QStringLiteral("w"), EntryMode::Add,
                             FormatDateText(missing), "60.5");
        });
    measureAfter("change a value", 10, restore, [&] {
        WriteDayRecValue(prompt, name, QStringLiteral("w"), EntryMode::Change,
                         FormatDateText(QDate(2005, 6, 1)), "61.5");
    });
    measureAfter("delete a value", 10, restore,
                 [&] { DeleteDayRecValue(prompt, name, FormatDateText(QDate(2005, 6, 1))); });
    restore();
    zk::bench::measure("fill the data list, all 3,650 lines", 10,
                       [&] { fillList(name, std::nullopt); });
    zk::bench::measure("fill the data list, range of one year", 10, [&] {
        fillList(name, DateRange::of(QDate(2005, 1, 1), QDate(2005, 12, 31)));
    });
    zk::bench::measure("collect the graph points, all 3,650 lines", 10,
                       [&] { CollectGraphPoints(name, std::nullopt); });
});

} // namespace
