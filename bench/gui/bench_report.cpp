#include "benchmark.h"

#include "app/ui/treport.h"
#include "common/platform.h"
#include "records/intakediary.h"

#include <QApplication>
#include <QComboBox>

using namespace zk;

namespace {

// The report window on a month, three years of days of 15 rows in the folder:
// the month's files read, the summary and the chart made and painted.
const zk::bench::Register r("report", [](const QString &scratch) {
    const QDate today(2026, 12, 9);
    zk::bench::useProgramFolder(scratch, today);
    for (int d = 0; d < 3 * 365; ++d) {
        ListRows rows;
        for (int i = 0; i < 15; ++i)
            rows.append({QByteArray::number(i), "t", QByteArray::number(100 + d % 50 + i) + " kcal",
                         "150g", "3.8", "0.5", "55.7", "0.1"});
        SaveIntakeDay(today.addDays(-d), rows);
    }
    TReport report([] { return 2000; });
    report.findChild<QComboBox *>(QStringLiteral("cmbPeriod"))->setCurrentIndex(1);
    zk::bench::measure("open the monthly report (made, shown, painted)", 10, [&] {
        report.showReport();
        QApplication::processEvents();
        if (report.report().days.size() != 9)
            qFatal("days are missing");
    });
});

} // namespace
