#include "caldata/ui/editortextedit.h"

#include "caldata/ui/editorhighlighter.h"
#include "common/ui/fonts.h"
#include "common/ui/guard.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

namespace zk {
namespace {

// The bytes a line was read from, kept with its block.
struct LineOrigin : QTextBlockUserData {
    explicit LineOrigin(QByteArray bytes)
        : raw(std::move(bytes)) {}
    QByteArray raw;
};

const QColor background(255, 255, 217);

QStringList splitLf(const QString &text) {
    return text.split(u'\n');
}

} // namespace

class EditorGutter : public QWidget {
public:
    explicit EditorGutter(CalTextEdit *editor)
        : QWidget(editor)
        , m_editor(editor) {}

protected:
    void paintEvent(QPaintEvent *e) override { m_editor->paintGutter(e); }
    // Clicking in the margin selects whole lines; dragging extends the selection.
    void mousePressEvent(QMouseEvent *e) override {
        if (e->button() == Qt::LeftButton)
            m_editor->selectLinesTo(int(e->position().y()), e->modifiers() & Qt::ShiftModifier);
    }
    void mouseMoveEvent(QMouseEvent *e) override {
        if (e->buttons() & Qt::LeftButton)
            m_editor->selectLinesTo(int(e->position().y()), true);
    }

private:
    CalTextEdit *m_editor;
};

class EditorRuler : public QWidget {
public:
    explicit EditorRuler(CalTextEdit *editor)
        : QWidget(editor)
        , m_editor(editor) {}

protected:
    void paintEvent(QPaintEvent *e) override { m_editor->paintRuler(e); }

private:
    CalTextEdit *m_editor;
};

CalTextEdit::CalTextEdit(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_gutter(new EditorGutter(this))
    , m_ruler(new EditorRuler(this)) {
    new EditorHighlighter(document()); // owned by the document
    m_gutter->setObjectName(QStringLiteral("gutter"));
    m_ruler->setObjectName(QStringLiteral("ruler"));
    setFont(designFont(QStringLiteral("ＭＳ 明朝"), 12));
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, background);
        pal.setColor(group, QPalette::Highlight, QColor(0, 0, 128));
        pal.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    setPalette(pal);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(false);

    connect(this, &QPlainTextEdit::blockCountChanged, this, &CalTextEdit::updateMargins);
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect &rect, int dy) {
        if (dy)
            m_gutter->scroll(0, dy);
        else
            m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_ruler,
            qOverload<>(&QWidget::update));
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        // The caret line's underline and the ruler's caret mark move with it.
        viewport()->update();
        m_ruler->update();
        m_gutter->update();
    });
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (m_loading)
            return;
        m_modified = true;
        Q_EMIT edited();
    });
    updateMargins();
}

void CalTextEdit::setLines(const QList<CalTextLine> &lines) {
    QStringList texts;
    texts.reserve(lines.size());
    for (const CalTextLine &line : lines)
        texts << line.text;
    m_loading = true;
    setPlainText(texts.join(u'\n')); // also empties the undo history
    QTextBlock block = document()->firstBlock();
    for (const CalTextLine &line : lines) {
        if (line.raw)
            block.setUserData(new LineOrigin(*line.raw));
        block = block.next();
    }
    m_loading = false;
    m_modified = false;
}

QList<CalTextLine> CalTextEdit::lines() const {
    QList<CalTextLine> out;
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next()) {
        CalTextLine line{b.text(), std::nullopt};
        if (const auto *origin = static_cast<const LineOrigin *>(b.userData()))
            line.raw = origin->raw;
        out.append(line);
    }
    return out;
}

EditorText CalTextEdit::editorText() const {
    QStringList texts;
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next())
        texts << b.text();
    const QString lf = texts.join(u'\n');
    const QTextCursor c = textCursor();
    EditorText t;
    t.text = texts.join(QStringLiteral("\r\n"));
    t.selStart = crlfOffset(lf, c.selectionStart());
    t.selLength = crlfOffset(lf, c.selectionEnd()) - t.selStart;
    return t;
}

void CalTextEdit::applyEditorText(const EditorText &text) {
    QString newLf = text.text;
    newLf.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QStringList newLines = splitLf(newLf);
    QTextCursor c(document());
    c.beginEditBlock();
    if (newLines.size() == document()->blockCount()) {
        // Edit only inside the lines that changed, so the others keep their bytes.
        for (int i = 0; i < newLines.size(); ++i) {
            const QTextBlock block = document()->findBlockByNumber(i);
            const QString old = block.text();
            const QString &now = newLines[i];
            if (old == now)
                continue;
            qsizetype prefix = 0;
            while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix])
                ++prefix;
            qsizetype suffix = 0;
            while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
                   old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
                ++suffix;
            c.setPosition(block.position() + int(prefix));
            c.setPosition(block.position() + int(old.size() - suffix), QTextCursor::KeepAnchor);
            c.insertText(now.sliced(prefix, now.size() - prefix - suffix));
        }
    } else {
        c.select(QTextCursor::Document);
        c.insertText(newLf);
    }
    c.endEditBlock();
    QTextCursor sel(document());
    sel.setPosition(int(lfOffset(newLf, text.selStart)));
    sel.setPosition(int(lfOffset(newLf, text.selStart + text.selLength)), QTextCursor::KeepAnchor);
    setTextCursor(sel);
}

void CalTextEdit::indentSelection() {
    if (textCursor().hasSelection())
        applyEditorText(SetIndent(editorText(), u"\t"));
}

void CalTextEdit::unindentSelection() {
    if (textCursor().hasSelection())
        applyEditorText(SetUnIndent(editorText(), u"\t"));
}

void CalTextEdit::toggleSelectAll() {
    QTextCursor c = textCursor();
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    if (c.hasSelection() && c.selectionStart() == 0 && c.selectionEnd() == end.position()) {
        c.setPosition(c.selectionStart());
        setTextCursor(c);
    } else {
        selectAll();
    }
}

int CalTextEdit::gutterWidth() const {
    const int digits = std::max(4, int(QString::number(blockCount()).size()));
    return fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits + 8;
}

int CalTextEdit::rulerHeight() const {
    return fontMetrics().height() + 6;
}

void CalTextEdit::updateMargins() {
    setTabStopDistance(tabColumns * fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    setViewportMargins(gutterWidth(), rulerHeight(), 0, 0);
    const QRect cr = contentsRect();
    m_gutter->setGeometry(cr.left(), cr.top() + rulerHeight(), gutterWidth(), viewport()->height());
    m_ruler->setGeometry(cr.left(), cr.top(), gutterWidth() + viewport()->width(), rulerHeight());
    m_gutter->update();
    m_ruler->update();
}

bool CalTextEdit::event(QEvent *e) {
    // Select-all toggles here as through the window's action; the text
    // control would otherwise take the shortcut for its own select-all.
    if (e->type() == QEvent::ShortcutOverride) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if (ke->matches(QKeySequence::SelectAll)) {
            ke->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void CalTextEdit::keyPressEvent(QKeyEvent *e) {
    if (e->matches(QKeySequence::SelectAll)) {
        toggleSelectAll();
        return;
    }
    const auto mods = e->modifiers() & ~Qt::KeypadModifier;
    QTextCursor c = textCursor();
    switch (e->key()) {
    case Qt::Key_Tab:
        if (mods == Qt::NoModifier && c.hasSelection()) {
            indentSelection();
            return;
        }
        break;
    case Qt::Key_Backtab:
        unindentSelection();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Shift+Return would put a line separator inside the line; every
        // Return makes a new line here, indented like the one above.
        if (!(mods & Qt::ControlModifier)) {
            c.beginEditBlock();
            c.removeSelectedText();
            const QString indent = newLineIndent(c.block().text(), c.positionInBlock());
            c.insertText(u'\n' + indent);
            c.endEditBlock();
            setTextCursor(c);
            ensureCursorVisible();
            return;
        }
        break;
    case Qt::Key_Backspace:
        if (mods == Qt::NoModifier && !c.hasSelection()) {
            const QString before = c.block().text().first(c.positionInBlock());
            if (const qsizetype n = indentStepBack(before, tabColumns)) {
                c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, int(n));
                c.removeSelectedText();
                setTextCursor(c);
                return;
            }
        }
        break;
    default:
        break;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void CalTextEdit::paintEvent(QPaintEvent *e) {
    QPlainTextEdit::paintEvent(e);
    QPainter p(viewport());
    const QRect caret = cursorRect();
    p.setPen(Qt::red);
    p.drawLine(0, caret.bottom(), viewport()->width(), caret.bottom());
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    const QRect eof = cursorRect(end);
    p.setPen(Qt::gray);
    p.setFont(font());
    p.drawText(QRect(eof.right() + 2, eof.top(), fontMetrics().horizontalAdvance("[EOF]") + 4,
                     eof.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("[EOF]"));
}

void CalTextEdit::resizeEvent(QResizeEvent *e) {
    QPlainTextEdit::resizeEvent(e);
    updateMargins();
}

void CalTextEdit::changeEvent(QEvent *e) {
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        m_gutter->setFont(font());
        m_ruler->setFont(font());
        updateMargins();
    }
}

void CalTextEdit::insertFromMimeData(const QMimeData *source) {
    // Refused here rather than when saving, where the character could no
    // longer be found.
    guarded(this, [&] {
        QMimeData text;
        text.setText(pastedText(source->text()));
        QPlainTextEdit::insertFromMimeData(&text);
    });
}

void CalTextEdit::paintGutter(QPaintEvent *e) {
    QPainter p(m_gutter);
    p.fillRect(e->rect(), background);
    p.setPen(Qt::gray);
    p.drawLine(m_gutter->width() - 1, e->rect().top(), m_gutter->width() - 1, e->rect().bottom());
    const int current = textCursor().blockNumber();
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    while (block.isValid() && top <= e->rect().bottom()) {
        const qreal height = blockBoundingRect(block).height();
        if (block.isVisible() && top + height >= e->rect().top()) {
            p.setPen(block.blockNumber() == current ? Qt::black : Qt::darkGray);
            p.drawText(QRectF(0, top, m_gutter->width() - 5, fontMetrics().height()),
                       Qt::AlignRight, QString::number(block.blockNumber() + 1));
        }
        top += height;
        block = block.next();
    }
}

void CalTextEdit::paintRuler(QPaintEvent *e) {
    QPainter p(m_ruler);
    p.fillRect(e->rect(), background);
    const int h = m_ruler->height();
    p.setPen(Qt::gray);
    p.drawLine(0, h - 1, m_ruler->width(), h - 1);
    const qreal column = fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const qreal x0 = gutterWidth() + contentOffset().x() + document()->documentMargin();
    QFont small = font();
    small.setPixelSize(std::max(8, font().pixelSize() * 3 / 4));
    p.setFont(small);
    p.setClipRect(gutterWidth(), 0, m_ruler->width() - gutterWidth(), h);
    for (int col = 0;; ++col) {
        const qreal x = x0 + col * column;
        if (x > m_ruler->width())
            break;
        if (x < gutterWidth())
            continue;
        const int tick = col % 10 == 0 ? h / 2 : (col % 5 == 0 ? h / 3 : h / 6);
        p.drawLine(QPointF(x, h - 1 - tick), QPointF(x, h - 1));
        if (col % 10 == 0 && col > 0)
            p.drawText(QPointF(x + 2, h / 2.0), QString::number(col));
    }
    // The caret's column.
    const int caretX = gutterWidth() + cursorRect().left();
    p.setPen(Qt::red);
    p.drawLine(caretX, 1, caretX, h - 2);
}

void CalTextEdit::selectLinesTo(int y, bool extend) {
    const int line = cursorForPosition(QPoint(0, y)).blockNumber();
    if (!extend)
        m_lineAnchor = line;
    auto startOf = [this](int n) {
        const QTextBlock b = document()->findBlockByNumber(n);
        if (b.isValid())
            return b.position();
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        return end.position();
    };
    QTextCursor c(document());
    if (line >= m_lineAnchor) {
        c.setPosition(startOf(m_lineAnchor));
        c.setPosition(startOf(line + 1), QTextCursor::KeepAnchor);
    } else {
        c.setPosition(startOf(m_lineAnchor + 1));
        c.setPosition(startOf(line), QTextCursor::KeepAnchor);
    }
    setTextCursor(c);
}

} // namespace zk
