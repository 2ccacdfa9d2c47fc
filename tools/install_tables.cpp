// Adds to a program folder the bundled calorie tables it has never had, for
// the build and the install of a portable folder.
//   zenkarta_install_tables <bundled data folder> <program folder>
#include "common/bundledtables.h"
#include "common/error.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr,
                     "usage: zenkarta_install_tables <bundled data folder> <program folder>\n");
        return 2;
    }
    try {
        for (const QString &note : zk::AddBundledTables(args[1], args[2]).notes)
            std::fprintf(stderr, "install_tables: %s\n", qPrintable(note));
    } catch (const zk::Error &e) {
        std::fprintf(stderr, "install_tables: %s\n", e.what());
        return 1;
    }
    return 0;
}
