#include "common/ui/windowprompt.h"

#include "common/savename.h"

#include <QFileInfo>

namespace zk {
namespace {
WindowPrompt *g_prompt = nullptr;
}

WindowPrompt &WindowPrompt::of(const QWidget *asker) {
    Q_ASSERT_X(g_prompt, "WindowPrompt::of", "no prompt installed");
    g_prompt->m_asker = asker;
    return *g_prompt;
}

void WindowPrompt::setInstance(WindowPrompt *prompt) {
    g_prompt = prompt;
}

std::optional<WindowPrompt::SaveTarget> WindowPrompt::saveFile(const QString &caption,
                                                               const QString &suggested,
                                                               const QStringList &filters) {
    SaveTarget typed{suggested, 0};
    for (;;) {
        const std::optional<SaveTarget> chosen =
            chooseSaveFile(caption, typed.path, filters, typed.filter);
        if (!chosen)
            return std::nullopt;
        typed = *chosen;
        const NameUnderFilter name = NameForFilter(typed.path, filters.value(typed.filter));
        const QString shown = QFileInfo(name.path).fileName();
        if (!name.otherExtension.isEmpty() &&
            !question(QStringLiteral("「%1」の拡張子は「.%2」です。「%3」として保存しますか？")
                          .arg(QFileInfo(typed.path).fileName(), name.otherExtension, shown)))
            continue;
        if (QFileInfo::exists(name.path) &&
            !question(QStringLiteral("「%1」は既にあります。置き換えますか？").arg(shown)))
            continue;
        return SaveTarget{name.path, typed.filter};
    }
}

std::optional<QString> WindowPrompt::saveFileName(const QString &caption, const QString &suggested,
                                                  const QStringList &filters) {
    const std::optional<SaveTarget> target = saveFile(caption, suggested, filters);
    return target ? std::optional(target->path) : std::nullopt;
}

QWidget *WindowPrompt::askingWindow() const {
    return m_asker ? m_asker->window() : nullptr;
}

} // namespace zk
