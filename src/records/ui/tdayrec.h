#pragma once

#include "common/listtable.h"
#include "common/tinisaveprops.h"
#include "records/recorditem.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;
class QTreeView;

namespace zk {

// The diary "日々の記録": the values of one measurement item by date, with
// add, change and delete. Every change is written to the record file at
// once; the range setting is kept only when the window is left with OK.
class TDayRec : public QDialog {
    Q_OBJECT
public:
    explicit TDayRec(QWidget *parent = nullptr);

    static constexpr int HelpTopic = 6;

Q_SIGNALS:
    void helpRequested(int topic);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void FormCreate();
    void lstItemsClick();
    void SetData();
    void lsvDataChange();
    void spdAddClick();
    void spdChangeClick();
    void spdDeleteClick();
    void btnCsvClick();
    void btnOKClick();
    int selectedRow() const;
    void openEntry(class TfrmDayRec &dialog);

    QToolButton *spdOnePoint;
    QListWidget *lstItems;
    QTreeView *lsvData;
    ListTableModel *data;
    QCheckBox *chkDataRange;
    QDateEdit *dtp1;
    QDateEdit *dtp2;
    QPushButton *spdAdd;
    QPushButton *spdChange;
    QPushButton *spdDelete;
    QPushButton *btnCsv;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QPushButton *btnHelp;

    QList<RecordItem> m_items;
    QByteArray m_itemName;        // empty while no item is chosen
    bool m_pressedChosen = false; // the mouse went down on the chosen item
    TIniSaveProps isp;
};

} // namespace zk
