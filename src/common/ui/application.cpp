#include "common/ui/application.h"

#include "common/guard.h"

namespace zk {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event) {
    bool handled = false;
    guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace zk
