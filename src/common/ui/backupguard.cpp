#include "common/ui/backupguard.h"

#include "common/backups.h"
#include "common/error.h"
#include "common/platform.h"

#include <QPointer>
#include <QStatusBar>

namespace zk::BackupGuard {
namespace {

QPointer<QStatusBar> &statusBar() {
    static QPointer<QStatusBar> bar;
    return bar;
}

QDateTime now() {
    return QDateTime(Regional::current().today(), QTime::currentTime());
}

void make(const QString &cause) {
    static bool told = false;
    try {
        Backups(ProgramFolder::path()).make(cause, now());
    } catch (const Error &e) {
        if (!told && statusBar())
            statusBar()->showMessage(e.text());
        told = true;
    }
}

} // namespace

void setStatusBar(QStatusBar *bar) {
    statusBar() = bar;
}

void daily() {
    if (!Backups(ProgramFolder::path()).madeOn(Regional::current().today()))
        make(QStringLiteral("その日の最初の起動"));
}

void before(const QString &cause) {
    make(cause);
}

} // namespace zk::BackupGuard
