#pragma once

#include <QString>

class QStatusBar;

namespace zk {

// The backups of the program folder around the user's steps. A backup that
// cannot be written never stops the program or the step: it is told once in
// the main window's status bar, and the next start tries again.
namespace BackupGuard {

void setStatusBar(QStatusBar *bar);
// At start: the first start of a day backs up.
void daily();
// Before a step that deletes or overwrites what the user made.
void before(const QString &cause);

} // namespace BackupGuard
} // namespace zk
