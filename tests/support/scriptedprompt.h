#pragma once

#include "common/prompt.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zk::test {

// Answers the program's message boxes from a script and records what was
// asked. A box that the script does not expect answers Cancel and is recorded
// as such, so a test sees it in `asked`.
class ScriptedPrompt : public Prompt {
public:
    ScriptedPrompt() { Prompt::setInstance(this); }
    ~ScriptedPrompt() override { Prompt::setInstance(nullptr); }

    struct Box {
        QString kind; // "message", "error", "question", "warning", "warning3"
        QString text;
    };

    QList<Answer> answers; // consumed in order by the questions and warnings
    QList<Box> asked;

    void message(const QString &text) override;
    void error(const QString &text) override;
    bool question(const QString &text) override;
    bool warning(const QString &text) override;
    Answer warningYesNoCancel(const QString &text) override;

    QStringList texts() const;
    void clear() {
        answers.clear();
        asked.clear();
    }

private:
    Answer next();
};

} // namespace zk::test
