#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace zk {

// The lines of a record file record/<item>.dat, raw bytes, without line ends.
// Each line is a date text, the byte 0xFF and a value text.
using RecordLines = QList<QByteArray>;

struct RecordLine {
    QByteArray date;
    QByteArray value;
};

// Why a measurement item's name cannot name its record file: a path
// separator, nothing but blanks, "." or ".." would address a file outside
// record/. Empty when the name is fit.
QString RecordNameProblem(const QString &name);

// The program folder + "record/" + name + ".dat". A name that would address a
// file outside record/ (a path separator, "." or "..", nothing but blanks) or
// that cannot be written as a file name throws zk::Error, so no operation
// below touches a file for it.
QString RecordFilePath(const QByteArray &name);

// Creates an empty record file (and the record folder) when there is none.
void EnsureRecordFile(const QByteArray &name);
RecordLines LoadRecordLines(const QByteArray &name);
// Rewrites the whole file atomically, every line ended by CR LF.
void SaveRecordLines(const QByteArray &name, const RecordLines &lines);

// Cuts the line at its first 0xFF; a line without one is all value.
RecordLine SplitRecordLine(const QByteArray &line);
// Index of the first line whose date text equals `date` byte for byte, or -1.
qsizetype FindRecordLine(const RecordLines &lines, const QByteArray &date);

// The operations below save the file and then update `lines`; when the save
// fails they throw and leave both the file and `lines` as they were.

// Appends date 0xFF value and sorts the whole file.
void AddRecordLine(const QByteArray &name, RecordLines &lines, const QByteArray &date,
                   const QByteArray &value);
// Puts date 0xFF value in place of line `index`; the order stays.
void ReplaceRecordLine(const QByteArray &name, RecordLines &lines, qsizetype index,
                       const QByteArray &date, const QByteArray &value);
// Removes every line with the date text.
void DeleteRecordLines(const QByteArray &name, RecordLines &lines, const QByteArray &date);

} // namespace zk
