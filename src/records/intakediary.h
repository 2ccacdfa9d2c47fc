#pragma once

#include "common/listtable.h"
#include "records/datetext.h"
#include "records/graphdata.h"
#include "records/intakeamount.h"
#include "records/recorditem.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <functional>

namespace zk {

class TIniSaveProps;

// The food diary: the intake list of each date kept as a list file of its
// own, record/intake/<yyyy-MM-dd>.dat, one row per food with the cells Foods,
// Category and Calory as the list shows them, then the amount and the
// nutrients (records/intakeamount.h). The name is fixed, whatever the short
// date pattern, so that a change of pattern loses no day.
QString IntakeDayPath(QDate date);

// The rows of the date's file; a date without a file (or with a folder of its
// name) has none. A file that cannot be read throws, so that an empty list is
// never saved over it.
ListRows LoadIntakeDay(QDate date);
// Rewrites the date's file at once, atomically; a date without rows keeps no
// file. On failure zk::Error names the path and the reason, and the old file
// stays whole.
void SaveIntakeDay(QDate date, const ListRows &rows);

// The dates that have a day file, in date order. Other names and folders in
// the folder are left alone.
QList<QDate> IntakeDays();
// Whether any day has a file, without listing them all.
bool AnyIntakeDay();

// What a Calory cell counts: its digits (as EliminateComma reads them), below
// zero when the cell starts with "-", as the list writes an exercise entry.
int IntakeCalory(const QByteArray &cell);
qint64 IntakeDayTotal(const ListRows &rows);
// The day's grams of a nutrient over the rows that know it; nothing when none does.
std::optional<double> IntakeDayNutrient(const ListRows &rows, IntakeNutrient nutrient);
// Whether any day file has a row with a nutrient.
bool AnyIntakeNutrients();

// What the graph draws of the food diary: the daily kilocalories, or the
// daily grams of a nutrient.
using IntakeMeasure = std::optional<IntakeNutrient>; // nothing: kilocalories
// The graph's entry for a measure: "摂取ｶﾛﾘｰ" in kcal, or the nutrient's name
// in g, or a numbered name when a record item already shows under that name
// or entry.
RecordItem IntakeTotalItem(const QList<RecordItem> &items, IntakeMeasure measure = {});
// One point per day file in date order, within the range when there is one,
// labelled with the day's date text and valued at the day's total of the
// measure; a day that knows nothing of a nutrient has no point for it. A day
// file that cannot be read is left out and named, so that one damaged day
// does not take the graph of every other.
struct IntakeTotalPoints {
    QList<GraphPoint> points;
    QList<QDate> unreadable;
};
IntakeTotalPoints CollectIntakeTotalPoints(const OptionalRange &range, IntakeMeasure measure = {});
// What the status line adds for the days left out: "読めない日を除きました: 2026/12/07".
QString UnreadableDaysText(const QList<QDate> &days);

// Binds the option "record the list per date" to setting/intake.ini, in the
// section of its menu item. The store is the window's; it loads and saves.
void bindIntakeDiaryOption(TIniSaveProps &isp, std::function<bool()> get,
                           std::function<void(bool)> set);

} // namespace zk
