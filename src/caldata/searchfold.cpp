#include "caldata/searchfold.h"

#include "common/sjis.h"

#include <QHash>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace zk {
namespace {

constexpr uchar voicedMark = 0xDE;     // ﾞ
constexpr uchar semiVoicedMark = 0xDF; // ﾟ

// Every Shift-JIS character folded, made once on the first folded search:
// the foldings by code, and for each character a folding can hold, the
// spellings whose folding holds it.
class FoldTables {
public:
    static const FoldTables &get() {
        static const FoldTables tables;
        return tables;
    }

    // The folding of the character at p[i] (of n bytes), taking a voicing
    // mark that composes with it; `i` moves past what was taken.
    QStringView foldOne(const uchar *p, qsizetype &i, qsizetype n) const {
        // A pair that is no character gives up its lead byte only, as in
        // decode().
        const quint16 pairCode = i + 1 < n ? quint16(p[i] << 8 | p[i + 1]) : 0;
        const bool pair = p[i] >= 0x80 && m_byCode[pairCode].isPair;
        const quint16 code = pair ? pairCode : p[i];
        i += pair ? 2 : 1;
        if (i < n && (p[i] == voicedMark || p[i] == semiVoicedMark)) {
            const auto composed = m_composed.constFind(composedKey(code, p[i]));
            if (composed != m_composed.constEnd()) {
                ++i;
                return span(*composed);
            }
        }
        return span(m_byCode[code]);
    }

    // Writes the folding of the bytes at `out`, which has room for
    // maxPerByte() units a byte; returns the end of what was written.
    char16_t *fold(QByteArrayView bytes, char16_t *out) const {
        const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
        for (qsizetype i = 0; i < bytes.size();) {
            const QStringView folded = foldOne(p, i, bytes.size());
            if (folded.size() == 1)
                *out++ = folded[0].unicode();
            else
                out = std::copy_n(reinterpret_cast<const char16_t *>(folded.utf16()), folded.size(),
                                  out);
        }
        return out;
    }
    qsizetype maxPerByte() const { return m_maxPerByte; }

    const QList<QByteArray> *spellings(char16_t c) const {
        const auto found = m_spellings.constFind(c);
        return found == m_spellings.constEnd() ? nullptr : &*found;
    }

private:
    struct Entry {
        quint32 at = 0;      // in m_pool
        quint16 size = 0;    // UTF-16 units
        bool isPair = false; // two bytes that make a character
    };

    FoldTables()
        : m_byCode(0x10000) {
        // Bytes that are no character read as U+FFFD, as decode() shows them.
        const Entry replacement = add(QString(QChar::ReplacementCharacter));
        std::fill(m_byCode.begin(), m_byCode.end(), replacement);
        const QString marks[] = {foldForSearch(sjis::decode("\xDE")),
                                 foldForSearch(sjis::decode("\xDF"))};
        auto visit = [&](const QByteArray &bytes, quint16 code) {
            const QString text = sjis::decode(bytes);
            if (text.contains(QChar::ReplacementCharacter))
                return;
            const QString folded = foldForSearch(text);
            m_byCode[code] = add(folded, bytes.size());
            m_byCode[code].isPair = bytes.size() == 2;
            index(bytes, folded);
            // A half-width voicing mark after a kana composes with it (ｶﾞ as
            // ガ), and goes before an accent's mark (´ﾞ).
            for (int m = 0; m < 2; ++m) {
                const uchar mark = m == 0 ? voicedMark : semiVoicedMark;
                const QByteArray pair = bytes + char(mark);
                const QString composed = foldForSearch(sjis::decode(pair));
                if (composed == folded + marks[m])
                    continue;
                m_composed.insert(composedKey(code, mark), add(composed, pair.size()));
                index(pair, composed);
            }
        };
        for (int b = 0; b <= 0xFF; ++b) {
            if (b < 0x80 || (b >= 0xA1 && b <= 0xDF))
                visit(QByteArray(1, char(b)), quint16(b));
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!sjis::isLeadByte(uchar(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char bytes[2] = {char(lead), char(trail)};
                if (sjis::isTrailByte(uchar(trail)))
                    visit(QByteArray(bytes, 2), quint16(lead << 8 | trail));
            }
        }
    }

    static quint32 composedKey(quint16 code, uchar mark) { return quint32(code) << 8 | mark; }

    QStringView span(Entry e) const { return QStringView(m_pool).sliced(e.at, e.size); }

    Entry add(const QString &folded, qsizetype bytes = 1) {
        const Entry e{quint32(m_pool.size()), quint16(folded.size())};
        m_pool.append(folded);
        m_maxPerByte = std::max(m_maxPerByte, (folded.size() + bytes - 1) / bytes);
        return e;
    }

    void index(const QByteArray &bytes, QStringView folded) {
        for (QChar c : folded) {
            QList<QByteArray> &list = m_spellings[c.unicode()];
            if (!list.contains(bytes))
                list.append(bytes);
        }
    }

    QString m_pool;              // every folding, one after the other
    std::vector<Entry> m_byCode; // by the character's byte or two bytes
    qsizetype m_maxPerByte = 1;
    QHash<quint32, Entry> m_composed; // kana + voicing mark
    QHash<char16_t, QList<QByteArray>> m_spellings;
};

} // namespace

QString foldForSearch(QStringView text) {
    QString out = text.toString().normalized(QString::NormalizationForm_KC);
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if ((u >= 0x30A1 && u <= 0x30F6) || u == 0x30FD || u == 0x30FE)
            c = QChar(char16_t(u - 0x60)); // katakana to its hiragana
        else if (u >= 'A' && u <= 'Z')
            c = QChar(char16_t(u + ('a' - 'A')));
    }
    return out;
}

void foldShiftJis(QByteArrayView bytes, QString &out) {
    const FoldTables &tables = FoldTables::get();
    out.resize(bytes.size() * tables.maxPerByte());
    char16_t *first = reinterpret_cast<char16_t *>(out.data());
    out.truncate(tables.fold(bytes, first) - first);
}

FoldedQuery::FoldedQuery(QStringView text)
    : m_text(foldForSearch(text)) {
    if (m_text.isEmpty())
        return;
    // The character looked for in the bytes is the one with the fewest
    // spellings, passing over those with a single-byte spelling when it can:
    // a single byte is found everywhere, often as the second byte of another
    // character. A kanji usually has one spelling only.
    auto cost = [](const QList<QByteArray> &spellings) {
        const bool single = std::any_of(spellings.begin(), spellings.end(),
                                        [](const QByteArray &s) { return s.size() == 1; });
        return std::pair(single, spellings.size());
    };
    const FoldTables &tables = FoldTables::get();
    const QList<QByteArray> *best = nullptr;
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        const QList<QByteArray> *spellings = tables.spellings(m_text[i].unicode());
        if (!spellings)
            return; // no Shift-JIS text holds it
        if (!best || cost(*spellings) < cost(*best)) {
            best = spellings;
            m_anchor = i;
        }
    }
    for (const QByteArray &spelling : *best) {
        auto same = std::find_if(m_byLastByte.begin(), m_byLastByte.end(),
                                 [&](const Ending &e) { return e.last == spelling.back(); });
        if (same == m_byLastByte.end())
            same = m_byLastByte.insert(m_byLastByte.end(), Ending{spelling.back(), {}});
        same->spellings.append(spelling);
    }
}

FoldedQuery::Scan::Scan(const FoldedQuery &query, QByteArrayView bytes)
    : m_query(query)
    , m_bytes(bytes)
    , m_nextLast(query.m_byLastByte.size(), -1) {}

qsizetype FoldedQuery::Scan::next(qsizetype from) {
    const char *const p = m_bytes.data();
    const qsizetype n = m_bytes.size();
    // The last bytes of the spellings are found with memchr, each one's next
    // place kept, so that a byte seldom seen is not looked for again at each
    // call; a spelling is then compared backwards from its last byte.
    for (qsizetype end = from;;) {
        qsizetype nearest = n;
        qsizetype which = 0;
        for (qsizetype k = 0; k < m_nextLast.size(); ++k) {
            qsizetype &at = m_nextLast[k];
            if (at < end) {
                const void *hit =
                    end < n ? std::memchr(p + end, m_query.m_byLastByte[k].last, size_t(n - end))
                            : nullptr;
                at = hit ? static_cast<const char *>(hit) - p : n;
            }
            if (at < nearest) {
                nearest = at;
                which = k;
            }
        }
        if (nearest == n)
            return -1;
        for (const QByteArray &s : m_query.m_byLastByte[which].spellings) {
            // A byte or two: a loop, not a call of memcmp.
            const qsizetype start = nearest + 1 - s.size();
            qsizetype k = 0;
            if (start >= from) {
                while (k < s.size() - 1 && s[k] == p[start + k])
                    ++k;
            }
            if (start >= from && k == s.size() - 1)
                return start;
        }
        end = nearest + 1;
    }
}

bool FoldedQuery::mayMatchAt(QByteArrayView bytes, qsizetype at) const {
    // The text from its chosen character on, against the foldings of the
    // characters from `at` on, up to the line's end.
    const FoldTables &tables = FoldTables::get();
    const QStringView rest = QStringView(m_text).sliced(m_anchor);
    const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    auto atLineEnd = [&](qsizetype i) { return i >= n || p[i] == '\r' || p[i] == '\n'; };
    qsizetype i = at;
    const QStringView first = tables.foldOne(p, i, n);
    if (first.size() == 1) {
        // The usual case, compared as it is folded: most places differ within
        // a character or two.
        if (first[0] != rest[0])
            return false;
        for (qsizetype matched = 1; matched < rest.size();) {
            if (atLineEnd(i))
                return false;
            const QStringView next = tables.foldOne(p, i, n);
            if (next.size() == 1) {
                if (next[0] != rest[matched])
                    return false;
                ++matched;
                continue;
            }
            const qsizetype size = std::min(next.size(), rest.size() - matched);
            if (next.first(size) != rest.sliced(matched, size))
                return false;
            matched += size;
        }
        return true;
    }
    // The chosen character may stand anywhere in a longer folding (㌫ holds
    // ぱ and ー).
    QVarLengthArray<char16_t, 64> units;
    units.append(reinterpret_cast<const char16_t *>(first.utf16()), first.size());
    while (units.size() < first.size() - 1 + rest.size() && !atLineEnd(i)) {
        const QStringView next = tables.foldOne(p, i, n);
        units.append(reinterpret_cast<const char16_t *>(next.utf16()), next.size());
    }
    const QStringView folded(units.data(), units.size());
    for (qsizetype o = 0; o < first.size(); ++o) {
        if (folded.sliced(o).startsWith(rest))
            return true;
    }
    return false;
}

bool FoldedQuery::matches(QByteArrayView name, QString &scratch) const {
    if (m_text.isEmpty())
        return false;
    // Where each character of the name starts; a voicing mark belongs to the
    // character before it, with which it may compose.
    QVarLengthArray<qsizetype, 64> starts;
    const uchar *p = reinterpret_cast<const uchar *>(name.data());
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n;) {
        starts.append(i);
        i += i + 1 < n && sjis::isLeadByte(p[i]) && sjis::isTrailByte(p[i + 1]) ? 2 : 1;
        while (i < n && (p[i] == voicedMark || p[i] == semiVoicedMark))
            ++i;
    }
    starts.append(n);
    const qsizetype chars = starts.size() - 1;
    // A match holds the chosen character m_anchor units from its start, so
    // it lies within m_anchor characters before a spelling's character and
    // as many after as the rest of the text has units: only that much is
    // folded and compared, for each spelling found.
    Scan scan(*this, name);
    qsizetype c = 0; // the character a spelling starts in
    for (qsizetype hit = scan.next(0); hit >= 0; hit = scan.next(hit + 1)) {
        while (starts[c + 1] <= hit)
            ++c;
        const qsizetype first = std::max<qsizetype>(0, c - m_anchor);
        const qsizetype last = std::min(chars, c + m_text.size() - m_anchor);
        foldShiftJis(name.sliced(starts[first], starts[last] - starts[first]), scratch);
        if (QStringView(scratch).contains(m_text))
            return true;
    }
    return false;
}

} // namespace zk
