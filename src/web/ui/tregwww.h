#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zk {

class ListTableModel;

// "ｲﾝﾀｰﾈｯﾄｻｲﾄの編集": one site of the list, added (row < 0) or changed.
class TRegWWW : public QDialog {
    Q_OBJECT
public:
    TRegWWW(ListTableModel &sites, int row, QWidget *parent = nullptr);

private:
    void btnOKClick();

    ListTableModel &m_sites;
    int m_row;
    QLineEdit *txtSite;
    QLineEdit *txtURL;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QPushButton *btnHelp;
};

} // namespace zk
