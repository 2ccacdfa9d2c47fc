#pragma once

#include <QByteArrayView>
#include <QSet>
#include <QString>
#include <QStringList>

namespace zk {

// Adds to a program folder the bundled calorie tables it has never had: at
// every build and install of a portable folder, and at every start of a copy
// installed into the system, from its shared folder into the user's.
//
// A table's nutrient file (the same name with .nutrients) comes with it: it
// is added only together with its table, never beside a table of the user's.
// The folder's .bundled-tables lists every bundled file ever put there, one
// path under data/ per line. A listed table belongs to the user from then on:
// edited, it keeps the user's text; deleted, it stays deleted. A table is never
// overwritten: a user's table that already has a new bundled table's name wins.
//
// A folder that already holds tables but whose list is missing or empty cannot
// tell a table the user deleted from a new one: the list is made anew naming
// every bundled table, and none is added. Only a folder without any table gets
// the whole bundle.
//
// .bundled-sums keeps the sha256 of each bundled file as it was put there (in
// sha256sum's format), so that the backups can leave out a bundled table the
// user never changed. A folder from before the sums gets those of its tables
// that still equal the bundled ones.
struct BundledTablesUpdate {
    QStringList added; // the files put there, paths under data/ in byte order
    QStringList notes; // what the user may want to know: a list made anew, one unreadable
};

// Throws zk::Error when a file cannot be read or written; each file is put in
// place whole or not at all, and the lists are written last.
BundledTablesUpdate AddBundledTables(const QString &bundledData, const QString &programFolder);

// The paths a .bundled-tables list names (one a line), or a .bundled-sums
// list (sha256sum's lines: the checksum, two spaces, the path).
QSet<QString> ListedBundledPaths(QByteArrayView bytes, bool sums);

} // namespace zk
