#include "caldata/searchfold.h"

#include "common/sjis.h"

#include <QHash>

#include <algorithm>
#include <utility>

namespace zk {
namespace {

bool isKana(QStringView text) {
    if (text.size() != 1)
        return false;
    const char16_t c = text[0].unicode();
    return (c >= 0x3041 && c <= 0x30FF) || (c >= 0xFF66 && c <= 0xFF9D);
}

using SpellingIndex = QHash<char16_t, QList<QByteArray>>;

// For every character a folded Shift-JIS text can hold, the Shift-JIS
// spellings whose folding holds it. Made once, on the first folded search.
const SpellingIndex &spellingIndex() {
    static const SpellingIndex index = [] {
        SpellingIndex index;
        auto add = [&index](const QByteArray &bytes, QStringView folded) {
            for (QChar c : folded) {
                QList<QByteArray> &spellings = index[c.unicode()];
                if (!spellings.contains(bytes))
                    spellings.append(bytes);
            }
        };
        const QString voicedMarks[] = {foldForSearch(sjis::decode("\xDE")),
                                       foldForSearch(sjis::decode("\xDF"))};
        auto visit = [&](const QByteArray &bytes) {
            const QString text = sjis::decode(bytes);
            if (text.contains(QChar::ReplacementCharacter))
                return;
            const QString folded = foldForSearch(text);
            add(bytes, folded);
            if (!isKana(text))
                return;
            // A half-width voicing mark after a kana composes with it (ｶﾞ, カﾞ
            // as ガ): the pair is a spelling of its own.
            for (int m = 0; m < 2; ++m) {
                const QByteArray pair = bytes + (m == 0 ? "\xDE" : "\xDF");
                const QString composed = foldForSearch(sjis::decode(pair));
                if (composed != folded + voicedMarks[m])
                    add(pair, composed);
            }
        };
        for (int b = 0x20; b <= 0xDF; ++b) {
            if (b < 0x7F || b >= 0xA1)
                visit(QByteArray(1, char(b)));
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!sjis::isLeadByte(uchar(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const char bytes[2] = {char(lead), char(trail)};
                if (sjis::isTrailByte(uchar(trail)))
                    visit(QByteArray(bytes, 2));
            }
        }
        return index;
    }();
    return index;
}

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

FoldedQuery foldedQuery(QByteArrayView sjisText) {
    FoldedQuery query;
    query.text = foldForSearch(sjis::decode(sjisText));
    if (query.text.isEmpty())
        return query;
    // The character looked for in the bytes is the one with the fewest
    // spellings, passing over those with a single-byte spelling when it can:
    // a single byte is found everywhere, often as the second byte of another
    // character. A kanji usually has one spelling only.
    const SpellingIndex &index = spellingIndex();
    auto cost = [](const QList<QByteArray> &spellings) {
        const bool single = std::any_of(spellings.begin(), spellings.end(),
                                        [](const QByteArray &s) { return s.size() == 1; });
        return std::pair(single, spellings.size());
    };
    const QList<QByteArray> *best = nullptr;
    for (QChar c : std::as_const(query.text)) {
        const auto found = index.constFind(c.unicode());
        if (found == index.constEnd())
            return query; // no Shift-JIS text holds it
        if (!best || cost(*found) < cost(*best))
            best = &*found;
    }
    query.spellings = *best;
    return query;
}

} // namespace zk
