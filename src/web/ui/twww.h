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
    // False when setting/www.dat exists but could not be read (that was
    // reported): the dialog is then not to be shown, lest OK empty the file.
    bool loaded() const { return m_loaded; }

Q_SIGNALS:
    // OK wrote the list file; the menus are to be rebuilt from it.
    void saved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_loaded = false;
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
