#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace zk {

class RecordItemTable;

// Adds a record item to, or changes one row of, the settings dialog's item
// list. The dialog writes into that list itself; nothing goes to disk here.
class TfrmGraph : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Add = 0, Change = 1 };
    // In change mode the fields start from the row's name, unit and target.
    TfrmGraph(RecordItemTable &items, Mode mode, int row, QWidget *parent = nullptr);

    // Where the added or changed item stands in the list after OK.
    int resultRow() const { return m_row; }

private:
    void btnOKClick();

    QLineEdit *txtItem;
    QComboBox *cmbUnit;
    QLineEdit *txtTarget;
    RecordItemTable &m_items;
    Mode m_mode;
    int m_row;
};

} // namespace zk
