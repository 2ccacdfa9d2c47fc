#pragma once

#include <array>

class QComboBox;
class QWidget;

namespace zk {

// The parts of the main windows that the settings dialog changes: the limit
// list, and the five parts styled by the font rows, in row order. A missing
// part is left alone.
struct SettingTargets {
    QComboBox *cmbLimit = nullptr;
    QWidget *trvFile = nullptr;
    QWidget *trvCal = nullptr;
    QWidget *lsvCal = nullptr;
    QWidget *pnlTitle = nullptr;
    QWidget *pnlTotal = nullptr;

    std::array<QWidget *, 5> parts() const { return {trvFile, trvCal, lsvCal, pnlTitle, pnlTotal}; }
};

} // namespace zk
