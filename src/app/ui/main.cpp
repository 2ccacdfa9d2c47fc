#include "app/ui/tmainform.h"
#include "common/error.h"
#include "common/platform.h"
#include "common/programlayout.h"
#include "common/ui/application.h"
#include "common/ui/apptitle.h"
#include "common/ui/backupguard.h"
#include "common/ui/dialogprompt.h"
#include "common/ui/fonts.h"
#include "common/ui/helptopics.h"
#include "help/ui/help.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLibraryInfo>
#include <QPixmap>
#include <QResource>
#include <QTimer>
#include <QTranslator>

namespace {

// The icon of the desktop entry, rendered from its SVG at build time at the
// sizes a window's icon is given in, as bare pixels (":/icons/zenkarta-<size>.argb",
// ARGB32 premultiplied): rendered at start, or read through an image reader,
// it would hold the first window back.
QIcon windowIcon() {
    QIcon icon;
    for (const int size : {ZENKARTA_WINDOW_ICON_SIZES}) {
        const QResource pixels(QStringLiteral(":/icons/zenkarta-%1.argb").arg(size));
        if (pixels.compressionAlgorithm() != QResource::NoCompression ||
            pixels.size() != qint64(size) * size * 4)
            continue;
        // The pixels stay in the program's resources for as long as it runs.
        icon.addPixmap(QPixmap::fromImage(
            QImage(pixels.data(), size, size, QImage::Format_ARGB32_Premultiplied)));
    }
    return icon;
}

} // namespace

int main(int argc, char *argv[]) {
    zk::Application app(argc, argv);
    QApplication::setApplicationName(zk::applicationTitle());
    // Every window carries the icon of the desktop entry, and the desktop
    // matches the windows to that entry.
    QApplication::setWindowIcon(windowIcon());
    // Qt's own dialogs (print, colour, font) speak Japanese like the rest.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    zk::DialogPrompt prompt;
    zk::WindowPrompt::setInstance(&prompt);
    zk::HelpService help;
    zk::HelpTopics::setInstance(&help);
    zk::installFontSubstitutions();
    const zk::ProgramLayout layout =
        zk::ProgramLayout::of(QApplication::applicationDirPath(), qEnvironmentVariable("HOME"),
                              qEnvironmentVariable("XDG_DATA_HOME"));
    QString tablesProblem;
    try {
        tablesProblem = zk::PrepareProgramLayout(layout);
    } catch (const zk::Error &e) {
        prompt.error(e.text());
        return 1;
    }
    zk::ProgramFolder::set(layout.userFolder, layout.sharedFolder);
    // The desktop entry of the package is named after its id; that of a
    // portable folder after the program.
    QGuiApplication::setDesktopFileName(layout.installed ? QStringLiteral(ZENKARTA_APP_ID)
                                                         : QStringLiteral("zenkarta"));
    if (!tablesProblem.isEmpty())
        prompt.error(tablesProblem);

    zk::TMainForm mainForm;
    mainForm.show();
    // The day's first backup once the window is up, so that it never holds
    // the start back.
    QTimer::singleShot(0, &mainForm, [] { zk::BackupGuard::daily(); });
    return QApplication::exec();
}
