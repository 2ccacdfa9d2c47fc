#include "web/ui/websiteopener.h"

#include "web/websitelist.h"

#include <QDesktopServices>

namespace zk {

namespace {

WebOpener &opener() {
    static WebOpener current;
    return current;
}

} // namespace

void openWebAddress(const QString &address) {
    const QUrl url = safeWebUrl(address);
    // Like the shell's open, whatever the desktop makes of it is not reported.
    if (opener())
        opener()(url);
    else
        QDesktopServices::openUrl(url);
}

void setWebOpener(WebOpener opener_) {
    opener() = std::move(opener_);
}

} // namespace zk
