#include "benchmark.h"

#include "common/platform.h"
#include "common/sjis.h"
#include "records/intakediary.h"

#include <QDate>

using namespace zk;

namespace {

// A year of days, twelve foods a day, as the intake list writes them.
void fillYear(const QDate &first) {
    const QByteArray category = sjis::encode(u"日本食品標準成分表");
    for (int d = 0; d < 365; ++d) {
        ListRows rows;
        for (int i = 0; i < 12; ++i)
            rows.append({sjis::encode(QStringLiteral("料理その%1").arg(i)), category,
                         QByteArray::number(100 + d + i * 37) + " kcal"});
        SaveIntakeDay(first.addDays(d), rows);
    }
}

const zk::bench::Register r("intake", [](const QString &scratch) {
    ProgramFolder::set(scratch);
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    const QDate first(2025, 1, 1);
    fillYear(first);
    const QDate middle = first.addDays(180);
    zk::bench::measure("load one day of 12 rows", 200, [&] { LoadIntakeDay(middle); });
    zk::bench::measure("list the 365 days", 50, [] { IntakeDays(); });
    zk::bench::measure("daily totals of 365 days", 20, [] {
        if (CollectIntakeTotalPoints(std::nullopt).size() != 365)
            qFatal("a day is missing");
    });
});

} // namespace
