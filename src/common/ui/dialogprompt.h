#pragma once

#include "common/ui/windowprompt.h"

namespace zk {

// The prompt on Qt's dialogs: message boxes with the program's captions and
// buttons, the input, font, colour and print dialogs.
class DialogPrompt : public WindowPrompt {
public:
    void message(const QString &text) override;
    void error(const QString &text) override;
    bool question(const QString &text) override;
    bool warning(const QString &text) override;
    Answer warningYesNoCancel(const QString &text) override;
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

private:
    // The asking window, or the active one when none asked.
    QWidget *owner() const;
};

} // namespace zk
