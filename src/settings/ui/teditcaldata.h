#pragma once

#include <QDialog>

class QLineEdit;
class QSpinBox;

namespace zk {

// Edits one named calorie limit: a title and a number of kilocalories.
class TEditCalData : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add, Change };
    explicit TEditCalData(Mode mode, QWidget *parent = nullptr);

    QLineEdit *txtTitle;
    QSpinBox *updStandardCalory; // its edit field is txtStandardCalory

    // OK with an empty title (or one Shift-JIS cannot hold) says so and keeps
    // the dialog open with what was typed.
    void accept() override;

Q_SIGNALS:
    void helpRequested(int context);
};

} // namespace zk
