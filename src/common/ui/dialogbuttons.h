#pragma once

#include <functional>

class QDialog;
class QDialogButtonBox;

namespace zk {

// The "&OK" (default), "&Cancel" and "&Help" column of a small dialog: OK
// accepts, Cancel rejects, Help runs `help`.
QDialogButtonBox *okCancelHelpButtons(QDialog *dialog, std::function<void()> help);

} // namespace zk
