#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QObject;

namespace zk {

// An action with its caption and shortcut, named so that tests find it.
QAction *newAction(QObject *owner, const char *name, const QString &caption,
                   const QKeySequence &shortcut = {});

} // namespace zk
