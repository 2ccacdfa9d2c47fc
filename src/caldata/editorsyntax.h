#pragma once

#include <QList>
#include <QStringView>

namespace zk {

// What the editor colours in a line of a calorie table.
struct SyntaxSpan {
    enum class Kind { Reserved, Comment, Number, Link };
    Kind kind;
    qsizetype start;
    qsizetype length;

    friend bool operator==(const SyntaxSpan &, const SyntaxSpan &) = default;
};

// The coloured spans of one line, in order and not overlapping: web and mail
// addresses first, then a comment from the first "@" outside an address to
// the end of the line, then the reserved words (":", author, comment, mail,
// url) and numbers in the rest.
QList<SyntaxSpan> syntaxSpans(QStringView line);

} // namespace zk
