#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace zk {

// Fields of a text at a separator byte, up to the end or the first NUL:
// n separators give n + 1 fields, empty ones included.
QList<QByteArray> Split(QByteArrayView text, char separator);

// The lines of a stored text: ends at CR LF, a lone CR or a lone LF; a last
// line without an end still counts; a NUL ends the text.
QList<QByteArray> splitLines(QByteArrayView text);

// Groups the digits of a decimal text in threes with ","; a leading minus sign
// stays in front of the groups (-1,234).
QString splitdigit(const QString &digits);
QString splitdigit(qint64 value);
// Kilocalories as the program shows them: "1,234 kcal".
QString kcalText(qint64 kcal);

// Every ASCII digit of the text in order, read as one number; no digit or a
// number beyond the signed 32-bit range gives 0.
int EliminateComma(QStringView text);

// Reads a whole file. A file that cannot be opened or read throws
// "ファイル <path> は開けません".
QByteArray readFileBytes(const QString &path);

} // namespace zk
