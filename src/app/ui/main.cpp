#include "app/ui/tmainform.h"
#include "common/platform.h"
#include "common/ui/application.h"
#include "common/ui/apptitle.h"
#include "common/ui/backupguard.h"
#include "common/ui/dialogprompt.h"
#include "common/ui/fonts.h"
#include "common/ui/helptopics.h"
#include "help/ui/help.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

int main(int argc, char *argv[]) {
    zk::Application app(argc, argv);
    QApplication::setApplicationName(zk::applicationTitle());
    // Every window carries the icon of the desktop entry, and the desktop
    // matches the windows to that entry.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zenkarta.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("zenkarta"));
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
    zk::ProgramFolder::set(QApplication::applicationDirPath());

    zk::TMainForm mainForm;
    mainForm.show();
    // The day's first backup once the window is up, so that it never holds
    // the start back.
    QTimer::singleShot(0, &mainForm, [] { zk::BackupGuard::daily(); });
    return QApplication::exec();
}
