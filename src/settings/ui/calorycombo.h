#pragma once

#include <QStringList>

class QComboBox;

namespace zk {

// Refills the limit list with the entries and selects the entry at the
// position selected before (none when that position is gone). Emits no
// signal: this is not the user's choice, and the total is not recomputed.
void SetCaloryCombo(QComboBox *cmbLimit, const QStringList &entries);

} // namespace zk
