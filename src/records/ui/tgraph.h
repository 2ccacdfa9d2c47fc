#pragma once

#include "common/tinisaveprops.h"
#include "records/recorditem.h"

#include <QWidget>

class QCheckBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace zk {

class GraphChart;

// The graph window "ｸﾞﾗﾌ": one measurement item's values as a printable line
// graph. Created once at start-up; closing it hides it and keeps the graph.
class TGraph : public QWidget {
    Q_OBJECT
public:
    explicit TGraph(QWidget *parent = nullptr);

    // Reads setting/graph.dat again (after the settings wrote it, or before
    // the window shows), keeping the chosen item chosen while it still exists.
    void reloadItems();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void FormCreate();
    bool fillItems(); // false without an item list
    void chkDataRangeClick();
    void lstItemsClick();
    void btnPrintClick();

    QListWidget *lstItems;
    QCheckBox *chkDataRange;
    QDateEdit *dtpStart;
    QLabel *lblStart;
    QDateEdit *dtpEnd;
    QLabel *lblEnd;
    QPushButton *btnPrint;
    GraphChart *cht;
    QStatusBar *stb;
    QLabel *stbText;

    // The items in list order; with a food diary the first is its daily totals.
    QList<RecordItem> m_items;
    bool m_intakeEntry = false;
    bool m_pressedChosen = false; // the mouse went down on the chosen item
    TIniSaveProps isp;
};

} // namespace zk
