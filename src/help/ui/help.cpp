#include "help/ui/help.h"

#include "common/platform.h"
#include "common/ui/windowprompt.h"
#include "help/helpfiles.h"
#include "help/ui/helpwindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>

namespace zk {

namespace {

QPointer<HelpWindow> &openWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

bool present(const QString &file) {
    if (QFileInfo::exists(ProgramFolder::sharedFile(file)))
        return true;
    WindowPrompt::of(nullptr).message(HelpFiles::missingMessage(file));
    return false;
}

} // namespace

void Help::Helper(int context) {
    if (present(HelpFiles::topicFile()))
        show(HelpFiles::topicUrl(context));
}

void Help::contents() {
    if (present(HelpFiles::contentsFile()))
        show(HelpFiles::contentsUrl());
}

HelpWindow *Help::window() {
    return openWindow();
}

void Help::show(const QUrl &page) {
    // A window outside the modal dialog that asked would be blocked by it, so
    // the help window belongs to that dialog while it is open.
    QWidget *owner = QApplication::activeModalWidget();
    QPointer<HelpWindow> &window = openWindow();
    if (!window) {
        window = new HelpWindow(owner);
        const QWidget *caller = owner ? owner : QApplication::activeWindow();
        const QPoint centre = caller ? caller->frameGeometry().center()
                                     : window->screen()->availableGeometry().center();
        window->move(centre - window->rect().center());
    } else if (window->parentWidget() != owner)
        window->setParent(owner, Qt::Window);
    window->showPage(page);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace zk
