#pragma once

#include "common/prompt.h"

#include <QDate>
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
    // A line of text (a new table's name), starting as `initial`; nothing
    // when the user cancels.
    virtual std::optional<QString> text(const QString &caption, const QString &label,
                                        const QString &initial = {}) = 0;
    // A whole number from `minimum` to `maximum` (a menu's servings),
    // starting as `initial`; nothing when the user cancels.
    virtual std::optional<int> number(const QString &caption, const QString &label, int initial,
                                      int minimum, int maximum) = 0;
    // A date from a date picker, starting as `initial`; nothing on Cancel.
    virtual std::optional<QDate> date(const QString &caption, const QString &label,
                                      QDate initial) = 0;
    // A scalable font, starting from `initial`; nothing on Cancel.
    virtual std::optional<QFont> font(const QFont &initial, const QString &caption) = 0;
    // A colour, starting from `initial`; nothing on Cancel.
    virtual std::optional<QColor> color(const QColor &initial) = 0;
    // A file to write and the filter it was chosen under.
    struct SaveTarget {
        QString path;
        int filter = 0; // index into the filters offered
    };
    // The name of a file to write, starting from `suggested` (a file name, or
    // a path); `filters` as Qt's file dialogs take them ("CSV (*.csv)"), the
    // first chosen. The name gets the chosen filter's extension when it lacks
    // it (asking first when it has another), and a file of that name is
    // replaced only after the user agrees; otherwise the chooser opens again.
    // Nothing on Cancel.
    std::optional<SaveTarget> saveFile(const QString &caption, const QString &suggested,
                                       const QStringList &filters);
    std::optional<QString> saveFileName(const QString &caption, const QString &suggested,
                                        const QStringList &filters);
    // The file chooser alone, starting at `start` under the filter of index
    // `filter`: the name as the user typed it and the filter chosen. It asks
    // nothing itself. Nothing on Cancel.
    virtual std::optional<SaveTarget> chooseSaveFile(const QString &caption, const QString &start,
                                                     const QStringList &filters, int filter) = 0;
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
