#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace zk {

// Hands an address to the desktop (the user's browser or mail program) after
// the safety rule of safeWebUrl: throws zk::Error, and opens nothing, when
// the address is refused.
void openWebAddress(const QString &address);

// What actually opens a checked address; QDesktopServices::openUrl unless
// replaced (tests replace it so that nothing opens). An empty function
// restores the desktop.
using WebOpener = std::function<bool(const QUrl &)>;
void setWebOpener(WebOpener opener);

} // namespace zk
