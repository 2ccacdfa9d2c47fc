#pragma once

#include <QStringList>

class QComboBox;

namespace zk {

// Refills the limit list with the entries and selects the entry at the
// position selected before (none when that position is gone). This is not
// the user's choice: the combo's `activated` signal, on which the total is
// recomputed, is not emitted; its current-text signals follow the items.
void SetCaloryCombo(QComboBox *cmbLimit, const QStringList &entries);

} // namespace zk
