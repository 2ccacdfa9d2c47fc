#include "common/ui/messageboxprompt.h"

#include "common/ui/apptitle.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace zk {
namespace {

QWidget *owner() {
    return QApplication::activeWindow();
}

Prompt::Answer ask(QMessageBox::Icon icon, const QString &caption, const QString &text,
                   bool withNo) {
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, owner());
    box.setTextFormat(Qt::PlainText); // texts carry names from files and the user
    QPushButton *yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton *no =
        withNo ? box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole) : nullptr;
    QPushButton *cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Prompt::Answer::Yes;
    if (no && box.clickedButton() == no)
        return Prompt::Answer::No;
    return Prompt::Answer::Cancel;
}

void tell(QMessageBox::Icon icon, const QString &text) {
    QMessageBox box(icon, applicationTitle(), text, QMessageBox::Ok, owner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void MessageBoxPrompt::message(const QString &text) {
    tell(QMessageBox::NoIcon, text);
}

void MessageBoxPrompt::error(const QString &text) {
    tell(QMessageBox::Critical, text);
}

bool MessageBoxPrompt::question(const QString &text) {
    return ask(QMessageBox::Question, QStringLiteral("確認"), text, false) == Answer::Yes;
}

bool MessageBoxPrompt::warning(const QString &text) {
    return ask(QMessageBox::Warning, QStringLiteral("警告"), text, false) == Answer::Yes;
}

Prompt::Answer MessageBoxPrompt::warningYesNoCancel(const QString &text) {
    return ask(QMessageBox::Warning, QStringLiteral("警告"), text, true);
}

} // namespace zk
