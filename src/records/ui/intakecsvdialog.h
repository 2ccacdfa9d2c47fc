#pragma once

#include <QDate>
#include <QDialog>

class QDateEdit;
class QPushButton;

namespace zk {

// "摂取記録をCSVで保存": the days of the food diary to write, from and to,
// both included.
class IntakeCsvDialog : public QDialog {
    Q_OBJECT
public:
    IntakeCsvDialog(QDate from, QDate to, QWidget *parent = nullptr);

    QDate from() const;
    QDate to() const;

private:
    QDateEdit *dtpFrom;
    QDateEdit *dtpTo;
    QPushButton *btnOK;
    QPushButton *btnCancel;
};

// The command of the main window: asks for the range (preset to the first and
// last day that has a file) and for the file, then writes the CSV atomically;
// a failure is shown over `parent`.
void saveIntakeCsv(QWidget *parent);

} // namespace zk
