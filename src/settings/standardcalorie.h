#pragma once

#include "common/listtable.h"

#include <QStringList>

namespace zk {

constexpr int dailyStandardDefault = 2500;
constexpr int dailyStandardMax = 32767;

// The design rows, standing when "setting/standard.dat" does not exist:
// 朝 750 kcal, 昼 750 kcal, 夜 1000 kcal.
ListRows designStandardRows();

// One row: the title and the limit text, plain decimal + " kcal".
ListRow standardRow(const QByteArray &title, int kcal);
// The number in a row's limit text (its ASCII digits; 0 when none).
int standardRowValue(const ListRow &row);

// The entries of the main window's limit list: the daily standard first
// ("1日の基準 : 2500 kcal"), then "title : limit" for each row in order.
QStringList limitEntries(int dailyStandard, const ListRows &standardRows);

} // namespace zk
