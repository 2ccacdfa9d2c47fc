#include "caldata/editorindent.h"

#include <algorithm>

namespace zk {
namespace {

bool isBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Length of the line break starting at i (CR LF, CR or LF), 0 if none.
qsizetype breakLength(QStringView text, qsizetype i) {
    if (i >= text.size() || !isBreak(text[i]))
        return 0;
    return (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
}

EditorText clamped(const EditorText &in) {
    EditorText out = in;
    out.selStart = std::clamp<qsizetype>(in.selStart, 0, in.text.size());
    out.selLength = std::clamp<qsizetype>(in.selLength, 0, in.text.size() - out.selStart);
    return out;
}

bool isIndent(QChar c) {
    return c == u'\t' || c == u' ';
}
int columnAfter(QStringView indent, int tabWidth) {
    int column = 0;
    for (QChar c : indent)
        column = c == u'\t' ? (column / tabWidth + 1) * tabWidth : column + 1;
    return column;
}

} // namespace

EditorText SetIndent(const EditorText &input, QStringView indent) {
    const EditorText in = clamped(input);
    if (in.selLength == 0)
        return in;
    const QStringView selected = QStringView(in.text).sliced(in.selStart, in.selLength);
    QString replacement = indent.toString();
    for (qsizetype i = 0; i < selected.size();) {
        if (const qsizetype len = breakLength(selected, i)) {
            replacement += u"\r\n";
            i += len;
            if (i < selected.size())
                replacement += indent;
        } else {
            replacement += selected[i++];
        }
    }
    EditorText out;
    out.text =
        in.text.first(in.selStart) + replacement + in.text.sliced(in.selStart + in.selLength);
    out.selStart = in.selStart;
    out.selLength = replacement.size();
    return out;
}

EditorText SetUnIndent(const EditorText &input, QStringView indent) {
    const EditorText in = clamped(input);
    if (in.selLength == 0)
        return in;
    const qsizetype selEnd = in.selStart + in.selLength;
    QString text;
    text.reserve(in.text.size());
    qsizetype linesInRange = 0;
    // Walk the lines; a line takes part when it starts inside [selStart, selEnd]
    // (the first line when the selection starts exactly at its beginning).
    for (qsizetype lineStart = 0;;) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < in.text.size() && !isBreak(in.text[lineEnd]))
            ++lineEnd;
        const qsizetype next = lineEnd + breakLength(in.text, lineEnd);
        const bool inRange = lineStart >= in.selStart && lineStart <= selEnd;
        const QStringView line = QStringView(in.text).sliced(lineStart, next - lineStart);
        if (inRange) {
            ++linesInRange;
            text += line.startsWith(indent) ? line.sliced(indent.size()) : line;
        } else {
            text += line;
        }
        if (next >= in.text.size()) {
            // A text ending in a break has a last, empty line after it.
            if (next > lineEnd && next >= in.selStart && next <= selEnd)
                ++linesInRange;
            break;
        }
        lineStart = next;
    }
    EditorText out;
    out.text = text;
    out.selStart = in.selStart;
    out.selLength = std::clamp<qsizetype>(in.selLength - indent.size() * linesInRange, 0,
                                          out.text.size() - out.selStart);
    return out;
}

qsizetype crlfOffset(QStringView lfText, qsizetype lfOffset) {
    lfOffset = std::clamp<qsizetype>(lfOffset, 0, lfText.size());
    return lfOffset + lfText.first(lfOffset).count(u'\n');
}

qsizetype lfOffset(QStringView lfText, qsizetype crlfOffset) {
    qsizetype crlf = 0;
    for (qsizetype i = 0; i < lfText.size(); ++i) {
        const qsizetype width = lfText[i] == u'\n' ? 2 : 1;
        if (crlf + width > crlfOffset)
            return i;
        crlf += width;
    }
    return lfText.size();
}

QString newLineIndent(QStringView line, qsizetype column) {
    qsizetype n = 0;
    while (n < line.size() && n < column && isIndent(line[n]))
        ++n;
    return line.first(n).toString();
}

qsizetype indentStepBack(QStringView beforeCaret, int tabWidth) {
    if (beforeCaret.isEmpty() || !std::all_of(beforeCaret.begin(), beforeCaret.end(), isIndent))
        return 0;
    const int target = (columnAfter(beforeCaret, tabWidth) - 1) / tabWidth * tabWidth;
    qsizetype keep = beforeCaret.size();
    while (keep > 0 && columnAfter(beforeCaret.first(keep), tabWidth) > target)
        --keep;
    return beforeCaret.size() - keep;
}

} // namespace zk
