#pragma once

#include "records/recordfile.h"
#include "records/recorditem.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace zk {

// Rows of the CSV files the program writes for spreadsheets (CsvFileBytes),
// the header line first; texts decoded from Shift-JIS.

// One measurement item: "日付" and the item entry (体重[kg]) as the header,
// then the date text and value text of every line in file order. A line
// without 0xFF is all value, as the graph reads it.
QList<QStringList> RecordCsvRows(const RecordItem &item, const RecordLines &lines);

// The food diary from `from` to `to`, both included (none when from is after
// to): "日付,食品,表,kcal,量,たんぱく質(g),脂質(g),炭水化物(g),食塩相当量(g)",
// then every food row of every day file, in date order and then row order,
// its kcal as a plain signed integer, its amount as "150g" or "1.5人前" and
// its nutrients for the amount with one decimal, empty where unknown.
QList<QStringList> IntakeCsvRows(QDate from, QDate to);

} // namespace zk
