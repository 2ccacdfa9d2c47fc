#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace zk {

// A CSV file for spreadsheet programs: UTF-8 with a byte-order mark (so that
// they read the Japanese), every line ended by CR LF, and a field quoted as
// RFC 4180 says when it holds a comma, a quote, CR or LF (quotes doubled).
// The first row is the header line.
QByteArray CsvFileBytes(const QList<QStringList> &rows);

} // namespace zk
