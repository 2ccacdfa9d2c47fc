#pragma once

#include <QList>
#include <QObject>

namespace zk::test {

// The one child of a window with this type and object name. A name that is
// missing, or that two children share, ends the run with a message naming it,
// rather than a crash on a null pointer or a test of the wrong widget.
template <class T> T *child(const QObject *window, const char *name) {
    const QList<T *> found = window->findChildren<T *>(QLatin1String(name));
    if (found.size() != 1)
        qFatal("%s has %d children named %s", window->metaObject()->className(), int(found.size()),
               name);
    return found.first();
}

} // namespace zk::test
