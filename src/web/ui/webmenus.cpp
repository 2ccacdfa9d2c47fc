#include "web/ui/webmenus.h"

#include "common/ui/guard.h"
#include "common/ui/plaintext.h"
#include "common/ui/windowprompt.h"
#include "web/ui/twww.h"
#include "web/ui/websiteopener.h"
#include "web/websitelist.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

namespace zk {

namespace {

const char *const addressProperty = "zkWebAddress";

} // namespace

WebMenus::WebMenus(QMenu *mnuWeb, QMenu *btnWeb, QWidget *owner)
    : QObject(owner)
    , m_mnuWeb(mnuWeb)
    , m_btnWeb(btnWeb)
    , m_owner(owner) {
    // The address is the item's hint.
    m_mnuWeb->setToolTipsVisible(true);
    m_btnWeb->setToolTipsVisible(true);
}

void WebMenus::SetMenuWWW() {
    guarded(m_owner, [&] {
        const std::optional<QList<WebMenuEntry>> entries = loadWebMenu(WebSites::listPath());
        if (!entries)
            return;
        rebuild(m_btnWeb, *entries);
        rebuild(m_mnuWeb, *entries);
    });
}

void WebMenus::rebuild(QMenu *menu, const QList<WebMenuEntry> &entries) {
    const QList<QAction *> items = menu->actions();
    for (qsizetype i = items.size() - 1; i >= FirstSite; --i) {
        menu->removeAction(items.at(i));
        if (items.at(i)->parent() == menu)
            delete items.at(i);
    }
    for (const WebMenuEntry &entry : entries) {
        // The name is the caption as it stands: an "&" marks the access key.
        auto *item = new QAction(m_icon, entry.name, menu);
        item->setToolTip(plainToolTip(entry.address));
        item->setStatusTip(entry.address);
        item->setProperty(addressProperty, entry.address);
        connect(item, &QAction::triggered, this, [this, item] { MenuJumpWWW(item); });
        menu->addAction(item);
    }
}

void WebMenus::MenuJumpWWW(QAction *item) {
    if (!item || item->isSeparator() || item->menu() || !item->property(addressProperty).isValid())
        return;
    const QString address = item->property(addressProperty).toString();
    // A refused address is reported before the question: there is nowhere to jump.
    if (!guarded(m_owner, [&] { safeWebUrl(address); }))
        return;
    if (!WindowPrompt::of(m_owner).question(QStringLiteral("「") + item->text() +
                                            QStringLiteral("」へジャンプしますか？")))
        return;
    guarded(m_owner, [&] { openWebAddress(address); });
}

void WebMenus::mnuRegistWebClick() {
    TWWW dialog(m_owner);
    connect(&dialog, &TWWW::saved, this, &WebMenus::SetMenuWWW);
    if (dialog.loaded())
        dialog.exec();
}

} // namespace zk
