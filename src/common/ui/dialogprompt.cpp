#include "common/ui/dialogprompt.h"

#include "common/ui/apptitle.h"
#include "common/ui/datepicker.h"
#include "common/ui/dialogbuttons.h"

#include <QApplication>
#include <QBoxLayout>
#include <QColorDialog>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>

namespace zk {
namespace {

Prompt::Answer ask(QWidget *owner, QMessageBox::Icon icon, const QString &caption,
                   const QString &text, bool withNo) {
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, owner);
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

void tell(QWidget *owner, QMessageBox::Icon icon, const QString &text) {
    QMessageBox box(icon, applicationTitle(), text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

QWidget *DialogPrompt::owner() const {
    QWidget *window = askingWindow();
    return window ? window : QApplication::activeWindow();
}

void DialogPrompt::message(const QString &text) {
    tell(owner(), QMessageBox::NoIcon, text);
}

void DialogPrompt::error(const QString &text) {
    tell(owner(), QMessageBox::Critical, text);
}

bool DialogPrompt::question(const QString &text) {
    return ask(owner(), QMessageBox::Question, QStringLiteral("確認"), text, false) == Answer::Yes;
}

bool DialogPrompt::warning(const QString &text) {
    return ask(owner(), QMessageBox::Warning, QStringLiteral("警告"), text, false) == Answer::Yes;
}

Prompt::Answer DialogPrompt::warningYesNoCancel(const QString &text) {
    return ask(owner(), QMessageBox::Warning, QStringLiteral("警告"), text, true);
}

std::optional<QString> DialogPrompt::text(const QString &caption, const QString &label,
                                          const QString &initial) {
    QInputDialog dialog(owner());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(label);
    dialog.setTextValue(initial);
    // Wide enough for the text offered (a food's long name), within reason.
    const int wanted = dialog.fontMetrics().horizontalAdvance(initial) + 60;
    dialog.setMinimumWidth(std::clamp(wanted, 300, 640));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<int> DialogPrompt::number(const QString &caption, const QString &label, int initial,
                                        int minimum, int maximum) {
    bool ok = false;
    const int value =
        QInputDialog::getInt(owner(), caption, label, initial, minimum, maximum, 1, &ok);
    return ok ? std::optional(value) : std::nullopt;
}

std::optional<QDate> DialogPrompt::date(const QString &caption, const QString &label,
                                        QDate initial) {
    QDialog dialog(owner());
    dialog.setObjectName(QStringLiteral("dlgDate"));
    dialog.setWindowTitle(caption);
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QLabel(label, &dialog);
    text->setTextFormat(Qt::PlainText);
    QDateEdit *picker = newDatePicker(QStringLiteral("dtpDate"), initial, &dialog);
    text->setBuddy(picker);
    layout->addWidget(text);
    layout->addWidget(picker);
    layout->addLayout(okCancelHelpButtons(&dialog, {}, {}, {.orientation = Qt::Horizontal}).layout);
    picker->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return picker->date();
}

std::optional<QFont> DialogPrompt::font(const QFont &initial, const QString &caption) {
    bool ok = false;
    const QFont chosen =
        QFontDialog::getFont(&ok, initial, owner(), caption, QFontDialog::ScalableFonts);
    return ok ? std::optional(chosen) : std::nullopt;
}

std::optional<QColor> DialogPrompt::color(const QColor &initial) {
    const QColor chosen = QColorDialog::getColor(initial, owner());
    return chosen.isValid() ? std::optional(chosen) : std::nullopt;
}

std::optional<WindowPrompt::SaveTarget> DialogPrompt::chooseSaveFile(const QString &caption,
                                                                     const QString &start,
                                                                     const QStringList &filters,
                                                                     int filter) {
    // A bare name starts in the user's documents, not in the working folder
    // (often the program folder, which is no place for the user's exports).
    QString path = start;
    if (!start.isEmpty() && !start.contains(u'/')) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            folder = QDir::homePath();
        path = QDir(folder).filePath(start);
    }
    // Qt's own dialog, asking nothing: the replace question comes once the
    // name has its extension.
    QFileDialog dialog(owner(), caption);
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (filter >= 0 && filter < filters.size())
        dialog.selectNameFilter(filters.at(filter));
    dialog.selectFile(path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return SaveTarget{dialog.selectedFiles().first(),
                      int(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

bool DialogPrompt::printer(QPrinter &printer) {
    QPrintDialog dialog(&printer, owner());
    dialog.setObjectName(QStringLiteral("pd"));
    return dialog.exec() == QDialog::Accepted;
}

int DialogPrompt::exec(QDialog &dialog) {
    return dialog.exec();
}

} // namespace zk
