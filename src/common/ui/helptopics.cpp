#include "common/ui/helptopics.h"

namespace zk {
namespace {
HelpTopics *g_topics = nullptr;
}

void HelpTopics::showTopic(int context) {
    if (g_topics)
        g_topics->topic(context);
}

void HelpTopics::showContents() {
    if (g_topics)
        g_topics->contents();
}

void HelpTopics::setInstance(HelpTopics *topics) {
    g_topics = topics;
}

} // namespace zk
