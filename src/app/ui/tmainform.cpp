#include "app/ui/tmainform.h"

#include "common/ui/fonts.h"

namespace zk {

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Zenkarta"));
    setFont(designFont(QStringLiteral("ＭＳ Ｐ明朝"), 13));
    setGeometry(157, 132, 785, 505);
}

} // namespace zk
