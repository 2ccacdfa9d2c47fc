#include "records/csvexport.h"

#include "common/sjis.h"
#include "records/datetext.h"
#include "records/intakediary.h"

namespace zk {

QList<QStringList> RecordCsvRows(const RecordItem &item, const RecordLines &lines) {
    QList<QStringList> rows{{QStringLiteral("日付"), sjis::decode(FormatItemEntry(item))}};
    rows.reserve(lines.size() + 1);
    for (const QByteArray &line : lines) {
        const RecordLine record = SplitRecordLine(line);
        rows.append({sjis::decode(record.date), sjis::decode(record.value)});
    }
    return rows;
}

QList<QStringList> IntakeCsvRows(QDate from, QDate to) {
    QStringList header{QStringLiteral("日付"), QStringLiteral("食品"), QStringLiteral("表"),
                       QStringLiteral("kcal"), QStringLiteral("量")};
    for (int n = 0; n < IntakeNutrientCount; ++n)
        header.append(IntakeNutrientName(IntakeNutrient(n)) + QStringLiteral("(g)"));
    QList<QStringList> rows{header};
    for (const QDate &day : IntakeDays()) {
        if (day < from || day > to)
            continue;
        const QString date = sjis::decode(FormatDateText(day));
        for (const ListRow &row : LoadIntakeDay(day)) {
            QStringList cells{date, sjis::decode(row.value(intakecells::foods)),
                              sjis::decode(row.value(intakecells::category)),
                              QString::number(IntakeCalory(row.value(intakecells::calory))),
                              IntakeRowAmount(row).text().remove(u' ')};
            for (const std::optional<double> &grams : IntakeRowNutrients(row))
                cells.append(grams ? NutrientText(grams) : QString());
            rows.append(cells);
        }
    }
    return rows;
}

} // namespace zk
