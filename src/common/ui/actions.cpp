#include "common/ui/actions.h"

#include <QAction>

namespace zk {

QAction *newAction(QObject *owner, const char *name, const QString &caption,
                   const QKeySequence &shortcut) {
    auto *action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace zk
