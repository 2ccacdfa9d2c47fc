#pragma once

#include <QString>

namespace zk {

// The application title: the task-bar name and the caption of plain messages.
inline QString applicationTitle() {
    return QStringLiteral("Vorkasta");
}

} // namespace zk
