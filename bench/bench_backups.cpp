#include "benchmark.h"

#include "common/backups.h"
#include "common/platform.h"

#include <QDate>
#include <QDir>
#include <QFile>

using namespace zk;

namespace {

void writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// A program folder after three years: a day file of 15 foods for each day, 20
// measurement items of a value a day, 30 tables of the user's own.
zk::bench::Register r("backups", [](const QString &scratch) {
    const QString program = scratch + u'/';
    const QByteArray food = "\x82\xb2\x94\xd1 \x92\x83\x98\x6e\x31\x94\x74\xff\x8e\xe5\x90\x48\xff"
                            "234 kcal\r\n";
    const QDate first(2023, 12, 10);
    for (int d = 0; d < 3 * 365; ++d)
        writeFile(
            program +
                QStringLiteral("record/intake/%1.dat").arg(first.addDays(d).toString(Qt::ISODate)),
            food.repeated(15));
    for (int item = 0; item < 20; ++item) {
        QByteArray values;
        for (int d = 0; d < 3 * 365; ++d)
            values += first.addDays(d).toString(QStringLiteral("yyyy/MM/dd")).toLatin1() + "\xff" +
                      QByteArray::number(60 + d % 7) + "\r\n";
        writeFile(program + QStringLiteral("record/item%1.dat").arg(item), values);
    }
    for (int t = 0; t < 30; ++t)
        writeFile(program + QStringLiteral("data/mine/table%1.cal").arg(t),
                  QByteArray("@h\r\n\tfood:123\r\n").repeated(100));
    writeFile(program + QStringLiteral("setting/font.dat"), "x\r\n");

    Backups backups(program);
    int n = 0;
    const QDateTime noon(QDate(2026, 12, 9), QTime(12, 0));
    bench::measure("backup of 3 years of days, 20 items, 30 tables", 5, [&] {
        // Each round changes one file, so that a backup is made.
        writeFile(program + QStringLiteral("setting/font.dat"), QByteArray::number(++n));
        backups.make(QStringLiteral("bench"), noon.addSecs(n));
    });
    std::printf("  (%lld files, %.1f MB)\n", qint64(backups.list().value(0).files.size()),
                backups.list().value(0).size() / 1e6);
    bench::measure("the same with nothing changed (no backup made)", 5,
                   [&] { backups.make(QStringLiteral("bench"), noon.addSecs(++n)); });
    bool made = false;
    bench::measure("start-up's look for the day's backup", 9,
                   [&] { made = backups.madeOn(noon.date()); });
    if (!made)
        qFatal("no backup found for the day");
});

} // namespace
