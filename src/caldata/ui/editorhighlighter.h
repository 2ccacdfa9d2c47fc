#pragma once

#include <QSyntaxHighlighter>

namespace zk {

// Colours a calorie table as the editor shows it: reserved words dark red,
// comments ("@" to the end of the line) red, numbers green, all bold; web and
// mail addresses blue and underlined.
class EditorHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit EditorHighlighter(QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;
};

} // namespace zk
