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

    // The limit the dialog shows: at first, or as it was confirmed.
    QString title() const;
    int calory() const;
    void setLimit(const QString &title, int calory);

    // OK with an empty title (or one Shift-JIS cannot hold) says so and keeps
    // the dialog open with what was typed.
    void accept() override;

Q_SIGNALS:
    void helpRequested(int context);

private:
    QLineEdit *txtTitle;
    QSpinBox *updStandardCalory; // its edit field is txtStandardCalory
};

} // namespace zk
