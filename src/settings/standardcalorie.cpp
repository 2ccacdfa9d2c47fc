#include "settings/standardcalorie.h"

#include "common/sjis.h"
#include "common/textutil.h"

namespace zk {

// 朝, 昼 and 夜 in Shift-JIS: written out, the settings are read without the
// converter.
ListRows designStandardRows() {
    return {standardRow("\x92\xA9", 750), standardRow("\x92\x8B", 750),
            standardRow("\x96\xE9", 1000)};
}

ListRow standardRow(const QByteArray &title, int kcal) {
    return {title, QByteArray::number(kcal) + " kcal"};
}

int standardRowValue(const ListRow &row) {
    return row.size() > 1 ? EliminateComma(sjis::decode(row[1])) : 0;
}

QStringList limitEntries(int dailyStandard, const ListRows &standardRows) {
    QStringList entries{QStringLiteral("1日の基準 : %1 kcal").arg(dailyStandard)};
    for (const ListRow &row : standardRows) {
        entries.append(sjis::decode(row.value(0)) + QStringLiteral(" : ") +
                       sjis::decode(row.value(1)));
    }
    return entries;
}

} // namespace zk
