#include "common/ui/windowprompt.h"

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

QWidget *WindowPrompt::askingWindow() const {
    return m_asker ? m_asker->window() : nullptr;
}

} // namespace zk
