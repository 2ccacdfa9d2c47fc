#pragma once

#include "common/error.h"
#include "common/prompt.h"

#include <QString>

#include <exception>
#include <utility>

namespace zk {

// Runs one command. An error it raises stops the command, is shown with its
// text and the program goes on; no exception crosses the event loop.
// Returns false when the command failed.
template <class Command> bool guarded(Command &&command) {
    try {
        std::forward<Command>(command)();
        return true;
    } catch (const Error &e) {
        Prompt::instance().error(e.text());
    } catch (const std::exception &e) {
        Prompt::instance().error(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace zk
