// Writes the table of every CP932 double-byte character, as Qt's converter
// for "windows-31j" decodes it, for the Shift-JIS decoder of the core: made
// at build time, so that no run of the program waits for the converter to
// load only to read a file.
//   zenkarta_sjis_pairs <output file>
// A pair the converter does not map is 0.
#include "common/sjis.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdio>

int main(int argc, char *argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zenkarta_sjis_pairs <output file>\n");
        return 2;
    }
    // Rows of lead bytes 0x81-0x9F and 0xE0-0xFC, columns of trail bytes
    // 0x40-0xFF. Every pair stands on a line of its own, all of them in one
    // converter call: a pair the converter refuses spoils no more than its
    // line, since a line feed is never a trail byte.
    QByteArray lines;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!zk::sjis::isLeadByte(uchar(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFF; ++trail) {
            lines += char(lead);
            lines += char(trail);
            lines += '\n';
        }
    }
    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) {
        std::fprintf(stderr, "zenkarta_sjis_pairs: Qt has no converter for windows-31j\n");
        return 1;
    }
    const QString chars = decoder.decode(lines);
    const QList<QStringView> decoded = QStringView(chars).split(u'\n');
    if (decoded.size() - 1 != lines.size() / 3) {
        std::fprintf(stderr, "zenkarta_sjis_pairs: the converter lost a line\n");
        return 1;
    }
    QByteArray out = "// Made by zenkarta_sjis_pairs (tools/sjis_pairs.cpp) at build time.\n"
                     "constexpr char16_t pairChars[] = {\n";
    for (qsizetype i = 0; i + 1 < decoded.size(); ++i) {
        const QStringView one = decoded[i];
        const int trail = 0x40 + int(i % 0xC0);
        const bool mapped = zk::sjis::isTrailByte(uchar(trail)) && one.size() == 1 &&
                            one[0] != QChar(0xFFFD) && one[0] != QChar(0x1A);
        out += QByteArray::number(mapped ? one[0].unicode() : 0, 16).prepend("0x");
        out += i % 12 == 11 ? ",\n" : ", ";
    }
    out += "};\n";
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.flush()) {
        std::fprintf(stderr, "zenkarta_sjis_pairs: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
