#pragma once

#include "common/ui/helptopics.h"

#include <QUrl>

namespace zk {

class HelpWindow;

// The help of every window: the contents set from the main window's help
// command, a numbered topic of the topic set from a dialog's help button.
// Both show in one small help window, which opens beside whatever modal
// dialog asked for it and stays usable while that dialog is open.
class Help {
public:
    // The topic of the number (1, 2, 5, 6, 7, 8, 9); a missing topic set is
    // reported and nothing opens.
    static void Helper(int context);
    // The contents page.
    static void contents();

    // The open help window, if any.
    static HelpWindow *window();

private:
    static void show(const QUrl &page);
};

// The help window as the help service of every window.
class HelpService final : public HelpTopics {
public:
    void topic(int context) override { Help::Helper(context); }
    void contents() override { Help::contents(); }
};

} // namespace zk
