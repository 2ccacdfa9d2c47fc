#include "common/prompt.h"

#include <QtGlobal>

namespace zk {
namespace {
Prompt *g_prompt = nullptr;
}

Prompt &Prompt::instance() {
    Q_ASSERT_X(g_prompt, "Prompt::instance", "no prompt installed");
    return *g_prompt;
}

void Prompt::setInstance(Prompt *prompt) {
    g_prompt = prompt;
}

} // namespace zk
