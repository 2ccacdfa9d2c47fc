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
    QList<QStringList> rows{{QStringLiteral("日付"), QStringLiteral("食品"), QStringLiteral("表"),
                             QStringLiteral("kcal")}};
    for (const QDate &day : IntakeDays()) {
        if (day < from || day > to)
            continue;
        const QString date = sjis::decode(FormatDateText(day));
        for (const ListRow &row : LoadIntakeDay(day))
            rows.append({date, sjis::decode(row.value(0)), sjis::decode(row.value(1)),
                         QString::number(IntakeCalory(row.value(2)))});
    }
    return rows;
}

} // namespace zk
