#pragma once

#include "common/listtable.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace zk {

// The user's web sites: rows of (name, address) in "setting/www.dat", kept in
// the user's order, duplicates allowed.
namespace WebSites {

enum Column { Name = 0, Address = 1 };

QStringList headers(); // "ｻｲﾄ名", "URL"
QString listPath();    // program folder + "setting/www.dat"

// What the one-site dialog refuses: an empty name, an empty address or the
// bare "http://" in any case. Empty when the site is acceptable.
QString problem(const QString &name, const QString &address);

// Appends the site (row < 0) or replaces the name and address of a row.
// Cells whose text did not change keep their bytes. Throws zk::Error when a
// text cannot be stored in Shift-JIS; the table is then unchanged.
void store(ListTableModel &table, int row, const QString &name, const QString &address);

} // namespace WebSites

// One site item of the Internet menus.
struct WebMenuEntry {
    QString name;
    QString address;
    bool operator==(const WebMenuEntry &) const = default;
};

// The menu entries of a site list: per line, the text before the first 0xFF
// is the name and the rest the address; a line without 0xFF is an address
// without a name.
QList<WebMenuEntry> parseWebMenu(QByteArrayView bytes);
// The entries of the file, or nothing when it does not exist (the menus then
// keep what they have). Throws zk::Error when it exists but cannot be read.
std::optional<QList<WebMenuEntry>> loadWebMenu(const QString &path);

// The address as it may be handed to the desktop: without a scheme it is a
// web address (http); http, https and mailto pass; local files, local paths
// and every other scheme are refused with zk::Error, since the list file can
// be edited by hand and the desktop would run or open anything.
QUrl safeWebUrl(const QString &address);

} // namespace zk
