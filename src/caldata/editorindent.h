#pragma once

#include <QString>
#include <QStringView>

namespace zk {

// The editor's text in the form its indent commands work on: lines joined
// with CR LF, offsets in UTF-16 units with every CR LF counting two. The
// indent string and the line breaks are ASCII, so lengths and offsets change
// exactly as they would counted in Shift-JIS bytes.
struct EditorText {
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;

    friend bool operator==(const EditorText &, const EditorText &) = default;
};

// Puts `indent` at the selection's start and after every line break inside
// the selection, except a break at its very end; selects the replaced text.
// Nothing happens without a selection.
EditorText SetIndent(const EditorText &in, QStringView indent);

// Removes a leading `indent` from every line the selection reaches: the first
// line only when the selection starts at its beginning, the last line even
// when the selection ends at its beginning. The selection keeps its start and
// loses the indent's length once per line of that range, whether or not the
// line had the indent. Nothing happens without a selection.
EditorText SetUnIndent(const EditorText &in, QStringView indent);

// Conversions between offsets in a text joined with LF (the editor's own
// form, one unit per line break) and the same text joined with CR LF. An
// offset between a CR and its LF maps to the end of that line.
qsizetype crlfOffset(QStringView lfText, qsizetype lfOffset);
qsizetype lfOffset(QStringView lfText, qsizetype crlfOffset);

// The indentation a new line takes from the line it is split from: the
// leading TABs and spaces of that line, up to the caret's column.
QString newLineIndent(QStringView line, qsizetype column);

// How many characters Backspace removes to go back one indentation step when
// the text before the caret is indentation only (TABs and spaces, TABs
// reaching the next stop of `tabWidth` columns); 0 when it is not, so that
// Backspace removes one character as usual.
qsizetype indentStepBack(QStringView beforeCaret, int tabWidth);

} // namespace zk
