#pragma once

#include "web/websitelist.h"

#include <QIcon>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace zk {

// The user's web sites in the main window's two Internet menus: the menu
// bar's "ｲﾝﾀｰﾈｯﾄ(&I)" and the tool-bar button's drop-down. Each menu starts
// with its edit command and a separator; the items from position 2 on are the
// sites, rebuilt from "setting/www.dat" as a whole.
class WebMenus : public QObject {
    Q_OBJECT
public:
    WebMenus(QMenu *mnuWeb, QMenu *btnWeb, QWidget *owner);

    static constexpr int FirstSite = 2;

    // The web-site picture of the items (taken by the next rebuild); they
    // have none before.
    void setSiteIcon(const QIcon &icon) { m_icon = icon; }

    // Rebuilds the site items from the list file; a missing file leaves both
    // menus as they are. A file that cannot be read is reported.
    void SetMenuWWW();
    // Asks, then hands the item's address to the desktop.
    void MenuJumpWWW(QAction *item);
    // The edit command: the site list dialog, modal; on OK the menus follow.
    void mnuRegistWebClick();

private:
    void rebuild(QMenu *menu, const QList<WebMenuEntry> &entries);

    QMenu *m_mnuWeb;
    QMenu *m_btnWeb;
    QWidget *m_owner;
    QIcon m_icon;
};

} // namespace zk
