#pragma once

#include "common/prompt.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zk::test {

// Answers the program's questions from a script and records what was asked.
// A question that the script does not expect answers Cancel and is recorded
// as such, so a test sees it in `asked`. `Base` is zk::Prompt for the core;
// the windows' prompt adds its choosers on top (support/ui/).
template <class Base> class Scripted : public Base {
public:
    using Answer = Prompt::Answer;

    struct Box {
        QString kind; // "message", "error", "question", "warning", "warning3"
        QString text;
    };

    QList<Answer> answers; // consumed in order by the questions and warnings
    QList<Box> asked;

    void message(const QString &text) override { record("message", text); }
    void error(const QString &text) override { record("error", text); }
    bool question(const QString &text) override {
        record("question", text);
        return next() == Answer::Yes;
    }
    bool warning(const QString &text) override {
        record("warning", text);
        return next() == Answer::Yes;
    }
    Answer warningYesNoCancel(const QString &text) override {
        record("warning3", text);
        return next();
    }

    QStringList texts() const {
        QStringList out;
        for (const Box &b : asked)
            out.append(b.text);
        return out;
    }
    void clear() {
        answers.clear();
        asked.clear();
    }

private:
    void record(const char *kind, const QString &text) {
        asked.append({QString::fromLatin1(kind), text});
    }
    Answer next() { return answers.isEmpty() ? Answer::Cancel : answers.takeFirst(); }
};

using ScriptedPrompt = Scripted<Prompt>;

} // namespace zk::test
