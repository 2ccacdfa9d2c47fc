#include "support/ui/scriptedwindowprompt.h"

#include <QDialog>

namespace zk::test {

std::optional<QString> ScriptedWindowPrompt::text(const QString &, const QString &label,
                                                  const QString &initial) {
    textOffered = initial;
    return answerText ? answerText(label) : std::nullopt;
}

std::optional<int> ScriptedWindowPrompt::number(const QString &, const QString &, int initial, int,
                                                int) {
    return answerNumber ? answerNumber(initial) : std::nullopt;
}

std::optional<QDate> ScriptedWindowPrompt::date(const QString &, const QString &, QDate initial) {
    return answerDate ? answerDate(initial) : std::nullopt;
}

std::optional<QFont> ScriptedWindowPrompt::font(const QFont &initial, const QString &) {
    return answerFont ? answerFont(initial) : std::nullopt;
}

std::optional<QColor> ScriptedWindowPrompt::color(const QColor &initial) {
    return answerColor ? answerColor(initial) : std::nullopt;
}

std::optional<WindowPrompt::SaveTarget>
ScriptedWindowPrompt::chooseSaveFile(const QString &, const QString &start,
                                     const QStringList &filters, int) {
    fileFilters = filters;
    const std::optional<QString> name = answerSaveFile ? answerSaveFile(start) : std::nullopt;
    if (!name || (!filesChosen.isEmpty() && filesChosen.last() == start && *name == start))
        return std::nullopt;
    filesChosen.append(*name);
    return SaveTarget{*name, fileFilter};
}

bool ScriptedWindowPrompt::printer(QPrinter &printer) {
    return answerPrinter && answerPrinter(printer);
}

int ScriptedWindowPrompt::exec(QDialog &dialog) {
    return answerDialog ? answerDialog(dialog) : int(QDialog::Rejected);
}

} // namespace zk::test
