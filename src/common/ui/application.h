#pragma once

#include <QApplication>

namespace zk {

// The program's application object. Every command runs inside the delivery of
// some event, so an error that a command lets escape ends here: it is shown
// like any other error and the program goes on with the next event.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace zk
