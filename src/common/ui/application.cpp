#include "common/ui/application.h"

#include "common/ui/guard.h"

namespace zk {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event) {
    bool handled = false;
    // The receiver may be gone when the error arrives: the active window shows it.
    guarded(nullptr, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace zk
