#pragma once

#include "common/tinisaveprops.h"
#include "settings/energyestimate.h"

#include <QDialog>

#include <optional>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zk {

// "目標ｶﾛﾘｰを計算": the daily standard proposed from the body (sex, age,
// height, weight, physical activity and the goal), shown step by step with
// the BMI. The inputs are those of the last time (setting/energy.ini); the
// weight offered is the latest of the record item 体重 when there is one.
class TEnergyCalc : public QDialog {
    Q_OBJECT
public:
    explicit TEnergyCalc(std::optional<double> latestWeight = std::nullopt,
                         QWidget *parent = nullptr);

    // The estimate of what is typed; nothing while an input is out of range.
    std::optional<int> target() const { return m_target; }

    // OK keeps the inputs for the next time; a file that cannot be written
    // is told and the dialog still closes with the estimate.
    void accept() override;

private:
    void recompute();

    EnergyInputs m_inputs;
    TIniSaveProps m_isp; // setting/energy.ini
    std::optional<int> m_target;
    QButtonGroup *grpSex, *grpActivity;
    QLineEdit *txtAge, *txtHeight, *txtWeight;
    QComboBox *cmbGoal;
    QLabel *lblResult;
    QPushButton *btnOK;
};

} // namespace zk
