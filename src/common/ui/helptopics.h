#pragma once

namespace zk {

// Asking for help from any window: a numbered topic, or the contents. The
// help window provides the service at start, as the prompt is provided, so
// that a window's Help button needs nothing of the part that shows help.
class HelpTopics {
public:
    virtual ~HelpTopics() = default;
    virtual void topic(int context) = 0;
    virtual void contents() = 0;

    // Ask the provided service; before one is provided nothing shows.
    static void showTopic(int context);
    static void showContents();
    static void setInstance(HelpTopics *topics);
};

} // namespace zk
