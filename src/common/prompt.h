#pragma once

#include <QString>

namespace zk {

// The questions and messages of the program. The core never shows anything:
// an operation that must ask takes the Prompt& to ask through. The windows
// ask through its extension zk::WindowPrompt (common/ui/windowprompt.h);
// tests answer from a script. Esc and the close box answer Cancel.
class Prompt {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompt() = default;

    // Plain message: caption "Vorkasta", button OK, no icon.
    virtual void message(const QString &text) = 0;
    // An error that stopped a command: caption "Vorkasta", button OK.
    virtual void error(const QString &text) = 0;
    // Question: caption "確認", buttons "はい(&Y)" and "キャンセル"; true for はい.
    virtual bool question(const QString &text) = 0;
    // Warning: caption "警告", buttons "はい(&Y)" and "キャンセル"; true for はい.
    virtual bool warning(const QString &text) = 0;
    // Warning with "はい(&Y)", "いいえ(&N)" and "キャンセル".
    virtual Answer warningYesNoCancel(const QString &text) = 0;
};

} // namespace zk
