#include "settings/ui/calorycombo.h"

#include <QComboBox>

namespace zk {

void SetCaloryCombo(QComboBox *cmbLimit, const QStringList &entries) {
    if (!cmbLimit)
        return;
    const int index = cmbLimit->currentIndex();
    cmbLimit->setUpdatesEnabled(false);
    cmbLimit->clear();
    cmbLimit->addItems(entries);
    cmbLimit->setCurrentIndex(index < cmbLimit->count() ? index : -1);
    cmbLimit->setUpdatesEnabled(true);
}

} // namespace zk
