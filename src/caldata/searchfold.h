#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

namespace zk {

// The form in which names are compared when kana and width are not told
// apart: compatibility forms as one (NFKC: full-width Ａ as A, half-width ｶﾞ
// as ガ), katakana as hiragana, and ASCII letters in lower case.
QString foldForSearch(QStringView text);

// A text to look for in Shift-JIS tables under that folding. Decoding and
// folding every line of a table would cost far more than reading it, so the
// bytes are first searched for the spellings of one of the text's folded
// characters; only the lines holding one are folded and compared.
struct FoldedQuery {
    QString text; // the text folded; empty when it folds to nothing
    // Every Shift-JIS spelling that folds to something holding the chosen
    // character: ｶ, カ and か for か; ｶﾞ as well for が. Empty when no
    // Shift-JIS text can hold the character, so that nothing matches.
    QList<QByteArray> spellings;
};

FoldedQuery foldedQuery(QByteArrayView sjisText);

} // namespace zk
