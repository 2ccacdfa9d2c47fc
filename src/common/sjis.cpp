#include "common/sjis.h"

#include "common/error.h"

#include <QStringEncoder>

namespace zk::sjis {
namespace {

constexpr char16_t escapeBase = 0xDC00;
constexpr char16_t replacement = 0xFFFD;
const char *const codecName = "windows-31j";

bool isHalfWidthKatakana(uchar b) {
    return b >= 0xA1 && b <= 0xDF;
}

// Every CP932 double-byte character as the converter decodes it, in rows of
// lead bytes and columns of trail bytes 0x40-0xFF; 0 marks a pair CP932 does
// not map. Made at build time (tools/sjis_pairs.cpp): setting up the
// converter costs more than reading most files.
#include "sjis_pairs.inc"

char16_t pairChar(uchar lead, uchar trail) {
    const int row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
    return pairChars[row * 0xC0 + (trail - 0x40)];
}

} // namespace

// A pair that CP932 does not map gives up its lead byte only; decoding goes on
// at the trail byte, which may start a character of its own. Single bytes are
// mapped here rather than by the converter, which swaps some control
// characters.
QString decode(QByteArrayView bytes, Invalid invalid) {
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const char16_t *const first = o;
    const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar b = p[i];
        if (b < 0x80) {
            *o++ = b;
            ++i;
            continue;
        }
        if (isLeadByte(b) && i + 1 < n && isTrailByte(p[i + 1])) {
            if (const char16_t c = pairChar(b, p[i + 1])) {
                *o++ = c;
                i += 2;
                continue;
            }
        }
        if (isHalfWidthKatakana(b))
            *o++ = char16_t(0xFF61 + (b - 0xA1));
        else
            *o++ = invalid == Invalid::Escape ? char16_t(escapeBase + b) : replacement;
        ++i;
    }
    out.truncate(o - first);
    return out;
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
