#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace zk {

// One line of a calorie table as the editor holds it: the text being edited
// and, for a line read from the file, the bytes it was read from. CP932 has
// duplicate mappings (NEC and IBM rows), so a line the user left alone is
// written back from those bytes rather than encoded again.
struct CalTextLine {
    QString text;
    std::optional<QByteArray> raw;

    friend bool operator==(const CalTextLine &, const CalTextLine &) = default;
};

// Splits a table file into lines at CR LF, CR or LF; each line's text is
// decoded with undecodable bytes escaped. A break after the last line gives a
// final empty line, so joining the lines with CR LF keeps that break as it
// was. Bytes after a Ctrl-Z stay part of the text; a single Ctrl-Z as the very
// last byte is an end-of-file mark and is dropped.
QList<CalTextLine> readCalText(QByteArrayView bytes);

// The bytes to store for the lines: each unchanged line as read, each other
// line encoded, all joined with CR LF. Throws zk::Error naming a character
// Shift-JIS cannot hold.
QByteArray writeCalText(const QList<CalTextLine> &lines);

// Text pasted or dropped into the editor, as it is to go in: the Unicode line
// and paragraph separators and NEL become line breaks. Throws zk::Error
// naming a character Shift-JIS cannot hold, so that nothing is pasted that
// could not be saved.
QString pastedText(QStringView text);

} // namespace zk
