#pragma once

#include "common/error.h"
#include "common/ui/windowprompt.h"

#include <QString>

#include <exception>
#include <utility>

namespace zk {

// Runs one command of a window. An error it raises stops the command, is
// shown with its text over the asking window and the program goes on; no
// exception crosses the event loop. Returns false when the command failed.
template <class Command> bool guarded(const QWidget *asker, Command &&command) {
    try {
        std::forward<Command>(command)();
        return true;
    } catch (const Error &e) {
        WindowPrompt::of(asker).error(e.text());
    } catch (const std::exception &e) {
        WindowPrompt::of(asker).error(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace zk
