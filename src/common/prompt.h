#pragma once

#include <QString>

namespace zk {

// Every message box of the program goes through this interface: the windows
// use the QMessageBox implementation, tests a scripted one. Esc and the close
// box answer Cancel.
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

    // The prompt the program's windows use; set once at start (tests set their own).
    static Prompt &instance();
    static void setInstance(Prompt *prompt);
};

} // namespace zk
