#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;
class QToolButton;

namespace zk {

class ListTableModel;

// "ｲﾝﾀｰﾈｯﾄｻｲﾄの登録": the user's web-site list, read from "setting/www.dat" at
// every opening and written back on OK.
class TWWW : public QDialog {
    Q_OBJECT
public:
    explicit TWWW(QWidget *parent = nullptr);

    ListTableModel &sites() { return *m_sites; }

Q_SIGNALS:
    // OK wrote the list file; the menus are to be rebuilt from it.
    void saved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int selectedRow() const;
    void updateButtons();
    void spdAddClick();
    void spdChangeClick();
    void lsWWWDblClick();
    void spdDeleteClick();
    void move(int offset);
    void btnOKClick();

    ListTableModel *m_sites;
    QTableView *lsWWW;
    QToolButton *spdUp;
    QToolButton *spdDown;
    QPushButton *spdAdd;
    QPushButton *spdChange;
    QPushButton *spdDelete;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QPushButton *btnHelp;
};

} // namespace zk
