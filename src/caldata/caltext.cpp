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
    return out;
}

} // namespace zk
