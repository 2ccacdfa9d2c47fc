#include "common/ui/dialogbuttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace zk {

QDialogButtonBox *okCancelHelpButtons(QDialog *dialog, std::function<void()> help) {
    auto *buttons = new QDialogButtonBox(Qt::Vertical, dialog);
    auto *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    auto *helpButton = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(helpButton, &QPushButton::clicked, dialog, std::move(help));
    return buttons;
}

} // namespace zk
