#include "app/ui/tmainform.h"
#include "common/platform.h"
#include "common/ui/apptitle.h"
#include "common/ui/fonts.h"
#include "common/ui/messageboxprompt.h"
#include "records/ui/recordwindows.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(zk::applicationTitle());
    zk::MessageBoxPrompt prompt;
    zk::Prompt::setInstance(&prompt);
    zk::installFontSubstitutions();
    zk::ProgramFolder::set(QApplication::applicationDirPath());

    zk::TMainForm mainForm;
    new zk::RecordWindows(&mainForm, mainForm.mnuDayRec, mainForm.mnuGraph);
    mainForm.show();
    return QApplication::exec();
}
