#include "records/intakediary.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/savefile.h"
#include "common/sjis.h"
#include "common/storedfiles.h"
#include "common/textutil.h"
#include "common/tinisaveprops.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zk {
namespace {

const QString dayNamePattern = QStringLiteral("yyyy-MM-dd");
constexpr int caloryCell = 2;

QString intakeFolder() {
    return ProgramFolder::file(storedfiles::intakeFolder);
}

// Calls `day` with the date of each day file, in no order, while it returns true.
void forEachIntakeDay(const std::function<bool(QDate)> &day) {
    QDirIterator files(intakeFolder(), QDir::Files);
    while (files.hasNext()) {
        // Only the exact name the program writes: "2026-1-5.dat" or a copy
        // "2026-01-05.dat.bak" is some other file.
        const QString name = files.nextFileInfo().fileName();
        if (!name.endsWith(QLatin1String(".dat")))
            continue;
        const QString base = name.chopped(4);
        const QDate date = QDate::fromString(base, dayNamePattern);
        if (date.isValid() && date.toString(dayNamePattern) == base && !day(date))
            return;
    }
}

} // namespace

QString IntakeDayPath(QDate date) {
    return intakeFolder() + date.toString(dayNamePattern) + QStringLiteral(".dat");
}

ListRows LoadIntakeDay(QDate date) {
    const QString path = IntakeDayPath(date);
    if (!QFileInfo(path).isFile())
        return {};
    return parseListFile(readFileBytes(path));
}

void SaveIntakeDay(QDate date, const ListRows &rows) {
    const QString path = IntakeDayPath(date);
    if (!rows.isEmpty()) {
        SaveStringToFile(path, listFileBytes(rows));
        return;
    }
    // A folder of the day's name is not ours to remove.
    QFile file(path);
    if (QFileInfo(path).isFile() && !file.remove())
        throw Error(
            QStringLiteral("ファイル %1 を削除できません。(%2)").arg(path, file.errorString()));
}

QList<QDate> IntakeDays() {
    QList<QDate> days;
    forEachIntakeDay([&](QDate date) {
        days.append(date);
        return true;
    });
    std::sort(days.begin(), days.end());
    return days;
}

bool AnyIntakeDay() {
    bool any = false;
    forEachIntakeDay([&](QDate) {
        any = true;
        return false;
    });
    return any;
}

int IntakeCalory(const QByteArray &cell) {
    // Digits are single bytes that no double-byte character has as its second
    // byte, so the cell needs no decoding to be read.
    const int digits = EliminateComma(QString::fromLatin1(cell));
    return cell.startsWith('-') ? -digits : digits;
}

qint64 IntakeDayTotal(const ListRows &rows) {
    qint64 total = 0;
    for (const ListRow &row : rows)
        total += IntakeCalory(row.value(caloryCell));
    return total;
}

std::optional<double> IntakeDayNutrient(const ListRows &rows, IntakeNutrient nutrient) {
    std::optional<double> grams;
    for (const ListRow &row : rows)
        if (const std::optional<double> value = IntakeRowNutrients(row)[nutrient])
            grams = grams.value_or(0) + *value;
    return grams;
}

bool AnyIntakeNutrients() {
    // Newest first: days with nutrients are the recent ones, and days written
    // before amounts existed are only read when no later day has any.
    const QList<QDate> days = IntakeDays();
    return std::any_of(days.rbegin(), days.rend(), [](QDate day) {
        try {
            const ListRows rows = LoadIntakeDay(day);
            for (int n = 0; n < IntakeNutrientCount; ++n)
                if (IntakeDayNutrient(rows, IntakeNutrient(n)))
                    return true;
        } catch (const Error &) {
            // A day that cannot be read tells nothing.
        }
        return false;
    });
}

RecordItem IntakeTotalItem(const QList<RecordItem> &items, IntakeMeasure measure) {
    const QByteArray base =
        measure ? sjis::encode(IntakeNutrientName(*measure)) : sjis::encode(u"摂取ｶﾛﾘｰ");
    RecordItem total{base, measure ? "g" : "kcal", {}};
    const auto taken = [&] {
        return std::any_of(items.begin(), items.end(), [&](const RecordItem &item) {
            return item.name == total.name || FormatItemEntry(item) == FormatItemEntry(total);
        });
    };
    for (int n = 2; taken(); ++n)
        total.name = base + '(' + QByteArray::number(n) + ')';
    return total;
}

IntakeTotalPoints CollectIntakeTotalPoints(const OptionalRange &range, IntakeMeasure measure) {
    IntakeTotalPoints totals;
    for (const QDate &day : IntakeDays()) {
        const QByteArray date = FormatDateText(day);
        if (range && !range->contains(date))
            continue;
        try {
            const ListRows rows = LoadIntakeDay(day);
            if (!measure)
                totals.points.append({date, float(IntakeDayTotal(rows))});
            else if (const std::optional<double> grams = IntakeDayNutrient(rows, *measure))
                totals.points.append({date, float(roundHalfUp(*grams, 1))});
        } catch (const Error &) {
            totals.unreadable.append(day);
        }
    }
    return totals;
}

QString UnreadableDaysText(const QList<QDate> &days) {
    QStringList dates;
    for (const QDate &day : days)
        dates.append(sjis::decode(FormatDateText(day)));
    return QStringLiteral("読めない日を除きました: ") + dates.join(u'、');
}

void bindIntakeDiaryOption(TIniSaveProps &isp, std::function<bool()> get,
                           std::function<void(bool)> set) {
    isp.FileName = ProgramFolder::file(storedfiles::intakeIni);
    isp.bindBoolean("mnuIntakeDiary", "Checked", std::move(get), std::move(set));
}

} // namespace zk
