#include "common/ui/dialogbuttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace zk {

DialogButtons okCancelHelpButtons(QDialog *dialog, std::function<void()> ok,
                                  std::function<void()> help, const DialogButtonOptions &options) {
    // A column is a button box, which spaces it as the desktop does; a row
    // keeps its order on every desktop, pushed to the right.
    QDialogButtonBox *column =
        options.orientation == Qt::Vertical ? new QDialogButtonBox(Qt::Vertical, dialog) : nullptr;
    DialogButtons buttons;
    if (column) {
        buttons.layout = new QVBoxLayout;
        buttons.layout->addWidget(column);
    } else {
        buttons.layout = new QHBoxLayout;
        buttons.layout->addStretch();
    }
    auto button = [&](const QString &caption, const QString &name, DialogButton which,
                      QDialogButtonBox::ButtonRole role) {
        auto *b = new QPushButton(caption, column ? static_cast<QWidget *>(column) : dialog);
        if (options.named)
            b->setObjectName(name);
        if (!options.autoDefault.testFlag(which))
            b->setAutoDefault(false);
        if (column)
            column->addButton(b, role);
        else
            buttons.layout->addWidget(b);
        return b;
    };
    buttons.ok = button(QStringLiteral("&OK"), QStringLiteral("btnOK"), DialogButton::Ok,
                        QDialogButtonBox::AcceptRole);
    buttons.ok->setDefault(true);
    buttons.cancel = button(QStringLiteral("&Cancel"), QStringLiteral("btnCancel"),
                            DialogButton::Cancel, QDialogButtonBox::RejectRole);
    if (help) {
        buttons.help = button(QStringLiteral("&Help"), options.helpName, DialogButton::Help,
                              QDialogButtonBox::HelpRole);
    }

    if (ok)
        QObject::connect(buttons.ok, &QPushButton::clicked, dialog, std::move(ok));
    else
        QObject::connect(buttons.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    if (buttons.help)
        QObject::connect(buttons.help, &QPushButton::clicked, dialog, std::move(help));
    return buttons;
}

} // namespace zk
