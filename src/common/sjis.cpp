#include "common/sjis.h"

#include "common/error.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zk::sjis {
namespace {

constexpr char16_t escapeBase = 0xDC00;
constexpr char16_t replacement = 0xFFFD;
const char *const codecName = "windows-31j";

bool isHalfWidthKatakana(uchar b) {
    return b >= 0xA1 && b <= 0xDF;
}

// Decodes one double-byte character; returns 0 when CP932 does not map it.
char16_t decodePair(uchar lead, uchar trail) {
    QStringDecoder decoder(codecName, QStringConverter::Flag::Stateless);
    const char pair[2] = {char(lead), char(trail)};
    const QString s = decoder.decode(QByteArrayView(pair, 2));
    if (decoder.hasError() || s.size() != 1 || s[0] == QChar(replacement) || s[0] == QChar(0x1A))
        return 0;
    return s[0].unicode();
}

void appendInvalid(QString &out, uchar b, Invalid invalid) {
    out += QChar(invalid == Invalid::Escape ? char16_t(escapeBase + b) : replacement);
}

// Decodes byte by byte, one double-byte character at a time. A pair that
// CP932 does not map gives up its lead byte only; decoding goes on at the
// trail byte, which may start a character of its own.
QString decodeSlowly(QByteArrayView bytes, Invalid invalid) {
    QString out;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar b = uchar(bytes[i]);
        if (isLeadByte(b) && i + 1 < n && isTrailByte(uchar(bytes[i + 1]))) {
            if (const char16_t c = decodePair(b, uchar(bytes[i + 1]))) {
                out += QChar(c);
                i += 2;
                continue;
            }
        }
        if (b < 0x80)
            out += QChar(b);
        else if (isHalfWidthKatakana(b))
            out += QChar(char16_t(0xFF61 + (b - 0xA1)));
        else
            appendInvalid(out, b, invalid);
        ++i;
    }
    return out;
}

// Decodes a run of double-byte characters in one converter call; false when
// the run holds a pair that CP932 does not map.
bool appendPairs(QString &out, QByteArrayView run) {
    QStringDecoder decoder(codecName, QStringConverter::Flag::Stateless);
    const QString s = decoder.decode(run);
    if (decoder.hasError() || s.size() * 2 != run.size() || s.contains(QChar(replacement)) ||
        s.contains(QChar(0x1A)))
        return false;
    out += s;
    return true;
}

} // namespace

QString decode(QByteArrayView bytes, Invalid invalid) {
    QString out;
    out.reserve(bytes.size());
    qsizetype runStart = -1; // start of the pending run of double-byte characters
    bool ok = true;
    auto flush = [&](qsizetype end) {
        if (runStart >= 0 && ok)
            ok = appendPairs(out, bytes.sliced(runStart, end - runStart));
        runStart = -1;
    };
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const uchar b = uchar(bytes[i]);
        if (isLeadByte(b) && i + 1 < n && isTrailByte(uchar(bytes[i + 1]))) {
            if (runStart < 0)
                runStart = i;
            i += 2;
            continue;
        }
        flush(i);
        // Single bytes are mapped here rather than by the converter, which
        // swaps some control characters.
        if (b < 0x80)
            out += QChar(b);
        else if (isHalfWidthKatakana(b))
            out += QChar(char16_t(0xFF61 + (b - 0xA1)));
        else
            appendInvalid(out, b, invalid);
        ++i;
    }
    flush(n);
    // Damaged text is rare: decode it again the slow way, which resynchronises
    // after every undecodable byte.
    return ok ? out : decodeSlowly(bytes, invalid);
}

QString foldLookalikes(QStringView text) {
    QString out = text.toString();
    for (QChar &c : out) {
        switch (c.unicode()) {
        case 0x301C:
            c = QChar(0xFF5E);
            break; // wave dash -> full-width tilde
        case 0x2014:
            c = QChar(0x2015);
            break; // em dash -> horizontal bar
        case 0x2016:
            c = QChar(0x2225);
            break; // double vertical line -> parallel
        case 0x2212:
            c = QChar(0xFF0D);
            break; // minus sign -> full-width hyphen-minus
        case 0x00A5:
            c = QChar(u'\\');
            break; // yen sign
        case 0x203E:
            c = QChar(u'~');
            break; // overline
        case 0x00A6:
            c = QChar(0xFFE4);
            break; // broken bar -> full-width broken bar
        default:
            break;
        }
    }
    return out;
}

bool hasEscapes(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= escapeBase + 0x80 && c.unicode() <= escapeBase + 0xFF)
            return true;
    return false;
}

namespace {

[[noreturn]] void refuse(QStringView text, qsizetype at) {
    char32_t code = text[at].unicode();
    QString shown(text[at]);
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        code = QChar::surrogateToUcs4(text[at], text[at + 1]);
        shown = text.sliced(at, 2).toString();
    }
    const QString hex = QString::number(uint(code), 16).toUpper().rightJustified(4, u'0');
    throw Error(QStringLiteral("「%1」(U+%2) はシフトJISで保存できない文字です。").arg(shown, hex));
}

bool encodeOne(QStringView ch, QByteArray &out) {
    QStringEncoder encoder(codecName, QStringConverter::Flag::Stateless);
    const QByteArray b = encoder.encode(ch);
    if (encoder.hasError() || b.isEmpty() || b == "?" || b == "\x7F")
        return false;
    out += b;
    return true;
}

} // namespace

QByteArray encode(QStringView input) {
    const QString text = foldLookalikes(input);
    QByteArray out;
    out.reserve(text.size() * 2);
    qsizetype runStart = -1; // start of the pending run of non-ASCII characters
    auto flush = [&](qsizetype end) {
        if (runStart < 0)
            return;
        const QStringView run = QStringView(text).sliced(runStart, end - runStart);
        QStringEncoder encoder(codecName, QStringConverter::Flag::Stateless);
        const QByteArray b = encoder.encode(run);
        if (!encoder.hasError() && !b.contains('\x7F') && !b.contains('?')) {
            out += b;
        } else {
            for (qsizetype k = 0; k < run.size(); ++k) {
                if (!encodeOne(run.sliced(k, 1), out))
                    refuse(text, runStart + k);
            }
        }
        runStart = -1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            flush(i);
            out += char(c);
        } else if (c >= escapeBase + 0x80 && c <= escapeBase + 0xFF) {
            flush(i);
            out += char(c - escapeBase);
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            flush(i);
            out += char(0xA1 + (c - 0xFF61));
        } else if (QChar::isSurrogate(c)) {
            flush(i);
            refuse(text, i);
        } else if (runStart < 0) {
            runStart = i;
        }
    }
    flush(text.size());
    return out;
}

} // namespace zk::sjis
