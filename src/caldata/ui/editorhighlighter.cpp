#include "caldata/ui/editorhighlighter.h"

#include "caldata/editorsyntax.h"

namespace zk {
namespace {

QTextCharFormat formatOf(SyntaxSpan::Kind kind) {
    QTextCharFormat f;
    switch (kind) {
    case SyntaxSpan::Kind::Reserved:
        f.setForeground(Qt::darkRed);
        f.setFontWeight(QFont::Bold);
        break;
    case SyntaxSpan::Kind::Comment:
        f.setForeground(Qt::red);
        f.setFontWeight(QFont::Bold);
        break;
    case SyntaxSpan::Kind::Number:
        f.setForeground(Qt::darkGreen);
        f.setFontWeight(QFont::Bold);
        break;
    case SyntaxSpan::Kind::Link:
        f.setForeground(Qt::blue);
        f.setFontUnderline(true);
        break;
    }
    return f;
}

} // namespace

EditorHighlighter::EditorHighlighter(QTextDocument *document)
    : QSyntaxHighlighter(document) {}

void EditorHighlighter::highlightBlock(const QString &text) {
    for (const SyntaxSpan &span : syntaxSpans(text))
        setFormat(int(span.start), int(span.length), formatOf(span.kind));
}

} // namespace zk
