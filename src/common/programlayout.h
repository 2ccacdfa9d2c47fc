#pragma once

#include <QString>

namespace zk {

// Where the program's files are. A portable folder, whose executable's folder
// holds setting/ or data/ (a build's program/, an install of install.sh, a
// copied folder), keeps everything beside the executable. A copy installed
// into the system (<prefix>/lib/zenkarta/zenkarta, the Debian package) keeps
// the user's data/, record/ and setting/ in ${XDG_DATA_HOME:-~/.local/share}/
// zenkarta/ and reads its help pages and bundled tables from
// <prefix>/share/zenkarta/.
struct ProgramLayout {
    bool installed = false;
    QString userFolder;   // the folder of the stored files, ending in "/"; empty when unknown
    QString sharedFolder; // help/ and, when installed, the bundled data/; ending in "/"

    // From the executable's folder and the environment's HOME and
    // XDG_DATA_HOME (a relative one is not valid and is passed over).
    static ProgramLayout of(const QString &executableFolder, const QString &home,
                            const QString &xdgDataHome);
};

// Readies an installed layout's user folder: makes it with data/, record/ and
// setting/, and adds the bundled tables it never had (see AddBundledTables).
// Throws zk::Error with the text to show when the folder cannot be used, and
// then writes nothing; returns what went wrong with the tables (empty when all
// went well), which does not keep the program from starting. A portable
// layout is left as it is.
QString PrepareProgramLayout(const ProgramLayout &layout);

} // namespace zk
