#pragma once

#include <QMainWindow>

namespace zk {

// The main window "Zenkarta".
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);
};

} // namespace zk
