#pragma once

#include "common/prompt.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <optional>

class QColor;
class QDialog;
class QFont;
class QPrinter;

namespace zk {

// Every question a window asks: the message boxes of zk::Prompt and the
// choosers that only windows need. The program installs the implementation
// on Qt's dialogs at start, tests a scripted one. What it shows is parented to
// the window that asks.
class WindowPrompt : public Prompt {
public:
    // A line of text (a new table's name); nothing when the user cancels.
    virtual std::optional<QString> text(const QString &caption, const QString &label) = 0;
    // A scalable font, starting from `initial`; nothing on Cancel.
    virtual std::optional<QFont> font(const QFont &initial, const QString &caption) = 0;
    // A colour, starting from `initial`; nothing on Cancel.
    virtual std::optional<QColor> color(const QColor &initial) = 0;
    // The name of a file to write, starting from `suggested` (a file name, or
    // a path); `filters` as Qt's file dialogs take them ("CSV (*.csv)"), the
    // first chosen. Nothing on Cancel.
    virtual std::optional<QString> saveFileName(const QString &caption, const QString &suggested,
                                                const QStringList &filters) = 0;
    // Lets the user set up `printer`; false on Cancel.
    virtual bool printer(QPrinter &printer) = 0;
    // Runs one of the program's own dialogs modally; returns its result.
    virtual int exec(QDialog &dialog) = 0;

    // The installed prompt, asking on behalf of `asker` (a widget of the
    // asking window, or nullptr for the active window).
    static WindowPrompt &of(const QWidget *asker);
    static void setInstance(WindowPrompt *prompt);

protected:
    // The window the current question belongs to; nullptr when none asked.
    QWidget *askingWindow() const;

private:
    QPointer<const QWidget> m_asker;
};

// The Prompt& that a core object keeps for its lifetime, asking on behalf of
// one window whatever other windows asked in between.
class PromptFor final : public Prompt {
public:
    explicit PromptFor(const QWidget *asker)
        : m_asker(asker) {}

    void message(const QString &text) override { WindowPrompt::of(m_asker).message(text); }
    void error(const QString &text) override { WindowPrompt::of(m_asker).error(text); }
    bool question(const QString &text) override { return WindowPrompt::of(m_asker).question(text); }
    bool warning(const QString &text) override { return WindowPrompt::of(m_asker).warning(text); }
    Answer warningYesNoCancel(const QString &text) override {
        return WindowPrompt::of(m_asker).warningYesNoCancel(text);
    }

private:
    const QWidget *m_asker;
};

} // namespace zk
