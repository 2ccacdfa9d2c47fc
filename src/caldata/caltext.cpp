#include "caldata/caltext.h"

#include "common/sjis.h"

namespace zk {

QList<CalTextLine> readCalText(QByteArrayView bytes) {
    if (bytes.endsWith('\x1A'))
        bytes.chop(1);
    QList<CalTextLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        const QByteArrayView raw = bytes.sliced(start, i - start);
        lines.append({sjis::decode(raw, sjis::Invalid::Escape), raw.toByteArray()});
        i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    const QByteArrayView last = bytes.sliced(start);
    lines.append({sjis::decode(last, sjis::Invalid::Escape), last.toByteArray()});
    return lines;
}

QByteArray writeCalText(const QList<CalTextLine> &lines) {
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const CalTextLine &line = lines[i];
        if (i > 0)
            out += "\r\n";
        if (line.raw && sjis::decode(*line.raw, sjis::Invalid::Escape) == line.text)
            out += *line.raw;
        else
            out += sjis::encode(line.text);
    }
    // A text ending in Ctrl-Z gets an end-of-file mark after it: the reader
    // drops a final Ctrl-Z, and would otherwise take the text's own.
    if (out.endsWith('\x1A'))
        out += '\x1A';
    return out;
}

QString pastedText(QStringView text) {
    QString out = text.toString();
    for (char16_t separator : {u'\u2028', u'\u2029', u'\u0085'})
        out.replace(QChar(separator), u'\n');
    sjis::encode(out);
    return out;
}

} // namespace zk
