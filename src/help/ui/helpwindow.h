#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace zk {

// A small viewer of the help pages: back, forward and the contents page.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    void showPage(const QUrl &page);

private:
    QTextBrowser *txtHelp;
    QToolButton *btnBack;
    QToolButton *btnForward;
    QToolButton *btnContents;
};

} // namespace zk
