#include "support/scriptedprompt.h"

namespace zk::test {

Prompt::Answer ScriptedPrompt::next() {
    return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
}

void ScriptedPrompt::message(const QString &text) {
    asked.append({QStringLiteral("message"), text});
}

void ScriptedPrompt::error(const QString &text) {
    asked.append({QStringLiteral("error"), text});
}

bool ScriptedPrompt::question(const QString &text) {
    asked.append({QStringLiteral("question"), text});
    return next() == Answer::Yes;
}

bool ScriptedPrompt::warning(const QString &text) {
    asked.append({QStringLiteral("warning"), text});
    return next() == Answer::Yes;
}

Prompt::Answer ScriptedPrompt::warningYesNoCancel(const QString &text) {
    asked.append({QStringLiteral("warning3"), text});
    return next();
}

QStringList ScriptedPrompt::texts() const {
    QStringList out;
    for (const Box &b : asked)
        out.append(b.text);
    return out;
}

} // namespace zk::test
