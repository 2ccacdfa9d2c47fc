#pragma once

#include <QFlags>
#include <QString>

#include <functional>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace zk {

enum class DialogButton { Ok = 0x1, Cancel = 0x2, Help = 0x4 };
Q_DECLARE_FLAGS(DialogButtonSet, DialogButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(DialogButtonSet)

struct DialogButtonOptions {
    // Vertical: a column beside the fields, spaced as the desktop spaces a
    // button box. Horizontal: a row under them, the buttons at its right end.
    Qt::Orientation orientation = Qt::Vertical;
    // Object names "btnOK", "btnCancel" and helpName; none when false.
    bool named = false;
    QString helpName = QStringLiteral("btnHelp");
    // The buttons that take the default while they have the focus, so that
    // Enter presses them; Enter on any other button presses OK.
    DialogButtonSet autoDefault = DialogButton::Ok | DialogButton::Cancel | DialogButton::Help;
};

struct DialogButtons {
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    QPushButton *help = nullptr;  // nullptr for a dialog without help
    QBoxLayout *layout = nullptr; // to add to the dialog's layout
};

// The "&OK" (default), "&Cancel" and "&Help" buttons of a dialog, in this
// order: OK runs `ok` (accept() when empty), Cancel rejects, Help runs
// `help` and is left out when `help` is empty. Esc rejects, as in every
// QDialog.
DialogButtons okCancelHelpButtons(QDialog *dialog, std::function<void()> ok,
                                  std::function<void()> help,
                                  const DialogButtonOptions &options = {});

} // namespace zk
