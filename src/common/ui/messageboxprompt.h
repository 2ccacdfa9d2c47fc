#pragma once

#include "common/prompt.h"

class QWidget;

namespace zk {

// The prompt interface on QMessageBox, with the program's captions and buttons.
class MessageBoxPrompt : public Prompt {
public:
    void message(const QString &text) override;
    void error(const QString &text) override;
    bool question(const QString &text) override;
    bool warning(const QString &text) override;
    Answer warningYesNoCancel(const QString &text) override;
};

} // namespace zk
