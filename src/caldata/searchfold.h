#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

namespace zk {

// The form in which names are compared when kana and width are not told
// apart: compatibility forms as one (NFKC: full-width Ａ as A, half-width ｶﾞ
// as ガ), katakana as hiragana, and ASCII letters in lower case.
QString foldForSearch(QStringView text);

// foldForSearch(sjis::decode(bytes)) into `out`, character by character from
// a table made once: no decoding, no normalising, no allocation once `out`
// has grown to the longest name.
void foldShiftJis(QByteArrayView bytes, QString &out);

// A text to look for in Shift-JIS tables under that folding. Folding every
// line of a table would cost far more than reading it, so the bytes are first
// scanned for the spellings of one of the text's folded characters; only the
// lines holding one are folded and compared.
class FoldedQuery {
public:
    FoldedQuery() = default;
    explicit FoldedQuery(QStringView text);

    // The text folded; empty when it folds to nothing.
    const QString &text() const { return m_text; }
    // Finds the spellings in some bytes, front to back.
    class Scan {
    public:
        Scan(const FoldedQuery &query, QByteArrayView bytes);
        // Where the next spelling starts at or after `from` (possibly inside
        // another character: the folded compare decides); -1 when none does.
        // `from` never goes back between calls.
        qsizetype next(qsizetype from);

    private:
        const FoldedQuery &m_query;
        QByteArrayView m_bytes;
        QVarLengthArray<qsizetype, 8> m_nextLast; // the next place of each last byte
    };

    // False when no match can hold the chosen character at `at`: a quick
    // look at the few characters there before the whole line is read.
    bool mayMatchAt(QByteArrayView bytes, qsizetype at) const;
    // Whether the folded name holds the text; `scratch` is reused.
    bool matches(QByteArrayView name, QString &scratch) const;

private:
    QString m_text;
    // Every Shift-JIS spelling that folds to something holding the chosen
    // character (ｶ, カ and か for か; ｶﾞ as well for が), by its last byte.
    // Empty when no Shift-JIS text can hold the character: nothing matches.
    struct Ending {
        char last;
        QList<QByteArray> spellings;
    };
    QList<Ending> m_byLastByte;
    qsizetype m_anchor = 0; // where the chosen character stands in the text
};

} // namespace zk
