#include "caldata/editorsyntax.h"

#include <QRegularExpression>

namespace zk {
namespace {

using Kind = SyntaxSpan::Kind;

const QRegularExpression &linkPattern() {
    static const QRegularExpression re(
        QStringLiteral(R"((?:(?:https?|ftp)://|www\.)[A-Za-z0-9\-._~:/?#\[\]@!$&'()*+,;=%]+)"
                       R"(|[A-Za-z0-9._%+\-]+@[A-Za-z0-9\-]+(?:\.[A-Za-z0-9\-]+)+)"));
    return re;
}

const QRegularExpression &wordPattern() {
    static const QRegularExpression re(
        QStringLiteral(R"((?<![A-Za-z0-9_])(?:author|comment|mail|url)(?![A-Za-z0-9_])|:)"
                       R"(|(?<![A-Za-z_0-9.])[0-9]+(?:\.[0-9]+)?)"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

} // namespace

QList<SyntaxSpan> syntaxSpans(QStringView line) {
    // One kind per character; later rules only fill what earlier ones left.
    QList<int> kinds(line.size(), -1);
    auto mark = [&](qsizetype start, qsizetype length, Kind kind) {
        for (qsizetype i = start; i < start + length; ++i)
            if (kinds[i] < 0)
                kinds[i] = int(kind);
    };
    for (auto it = linkPattern().globalMatch(line); it.hasNext();) {
        const auto m = it.next();
        mark(m.capturedStart(), m.capturedLength(), Kind::Link);
    }
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'@' && kinds[i] < 0) {
            mark(i, line.size() - i, Kind::Comment);
            break;
        }
    }
    for (auto it = wordPattern().globalMatch(line); it.hasNext();) {
        const auto m = it.next();
        mark(m.capturedStart(), m.capturedLength(),
             m.capturedView().front().isDigit() ? Kind::Number : Kind::Reserved);
    }
    QList<SyntaxSpan> spans;
    for (qsizetype i = 0; i < line.size();) {
        qsizetype j = i + 1;
        while (j < line.size() && kinds[j] == kinds[i])
            ++j;
        if (kinds[i] >= 0)
            spans.append({Kind(kinds[i]), i, j - i});
        i = j;
    }
    return spans;
}

} // namespace zk
