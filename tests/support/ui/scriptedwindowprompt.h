#pragma once

#include "common/ui/windowprompt.h"
#include "support/scriptedprompt.h"

#include <QColor>
#include <QFont>

#include <functional>
#include <optional>

class QDialog;
class QPrinter;

namespace zk::test {

// The scripted prompt of the window tests, installed for the windows while it
// lives. `asked` records the message boxes; the choosers are answered by the
// test's functions, and one left unset answers Cancel (a dialog: Rejected).
class ScriptedWindowPrompt final : public Scripted<WindowPrompt> {
public:
    ScriptedWindowPrompt() { WindowPrompt::setInstance(this); }
    ~ScriptedWindowPrompt() override { WindowPrompt::setInstance(nullptr); }

    std::function<std::optional<QString>(const QString &label)> answerText;
    QString textOffered; // the initial text of the last text question
    std::function<std::optional<int>(int offered)> answerNumber;
    std::function<std::optional<QDate>(QDate offered)> answerDate;
    std::function<std::optional<QFont>(const QFont &offered)> answerFont;
    std::function<std::optional<QColor>(const QColor &offered)> answerColor;
    // Given the name offered (the suggested one, or the last one typed); the
    // filters offered are kept in `fileFilters`, the one chosen is `fileFilter`.
    // A chooser opened again (after a question was refused) on the very name
    // it answered answers Cancel, so that a script repeating itself ends.
    std::function<std::optional<QString>(const QString &offered)> answerSaveFile;
    QStringList fileFilters;
    int fileFilter = 0;
    QStringList filesChosen; // every name the chooser answered
    std::function<bool(QPrinter &)> answerPrinter;
    std::function<int(QDialog &)> answerDialog;

    // The window of the last question.
    using WindowPrompt::askingWindow;

    std::optional<QString> text(const QString &caption, const QString &label,
                                const QString &initial) override;
    std::optional<int> number(const QString &caption, const QString &label, int initial,
                              int minimum, int maximum) override;
    std::optional<QDate> date(const QString &caption, const QString &label, QDate initial) override;
    std::optional<QFont> font(const QFont &initial, const QString &caption) override;
    std::optional<QColor> color(const QColor &initial) override;
    std::optional<SaveTarget> chooseSaveFile(const QString &caption, const QString &start,
                                             const QStringList &filters, int filter) override;
    bool printer(QPrinter &printer) override;
    int exec(QDialog &dialog) override;
};

} // namespace zk::test
