#pragma once

#include "caldata/caltext.h"
#include "caldata/editorindent.h"

#include <QPlainTextEdit>

namespace zk {

// The text editor of the calorie editor: line numbers on the left, a ruler
// at the top, coloured syntax, TABs with stops every 4 columns, a new line
// taking the indentation of the line above, Backspace going back one
// indentation step, the caret line underlined and an end-of-file mark. Each
// line remembers the bytes it was read from, so that lines left alone are
// saved unchanged.
class CalTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int tabColumns = 4;

    explicit CalTextEdit(QWidget *parent = nullptr);

    // Replaces the text; empties the undo history and clears the modified flag.
    void setLines(const QList<CalTextLine> &lines);
    QList<CalTextLine> lines() const;

    // Set by every edit, cleared by setLines and by the owner after saving.
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // The text joined with CR LF and the selection counted in it.
    EditorText editorText() const;
    // Makes the text and selection those given, as one undo step that touches
    // only the lines that differ.
    void applyEditorText(const EditorText &text);

    void indentSelection();   // SetIndent with a TAB
    void unindentSelection(); // SetUnIndent with a TAB
    // Selects everything, or removes a selection that already covers everything.
    void toggleSelectAll();

    int gutterWidth() const;
    int rulerHeight() const;

Q_SIGNALS:
    void edited();

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    friend class EditorGutter;
    friend class EditorRuler;

    void updateMargins();
    void paintGutter(QPaintEvent *e);
    void paintRuler(QPaintEvent *e);
    void selectLinesTo(int y, bool extend);

    QWidget *m_gutter;
    QWidget *m_ruler;
    bool m_modified = false;
    bool m_loading = false;
    int m_lineAnchor = 0;
};

} // namespace zk
