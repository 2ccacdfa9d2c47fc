#pragma once

#include "common/tinisaveprops.h"
#include "records/intakediary.h"
#include "records/recorditem.h"

#include <QWidget>

#include <functional>

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
    // Draws the item drawn again from its files (a restore put them back).
    void redraw();
    // The target of the food diary's daily totals: the daily standard.
    void setIntakeTarget(std::function<int()> target) { m_intakeTarget = std::move(target); }

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
    void btnCsvClick();
    void btnImageClick();
    // The item whose graph is shown, which the exports save; nothing before
    // the first graph.
    const RecordItem *drawnItem() const;

    QListWidget *lstItems;
    QCheckBox *chkDataRange;
    QDateEdit *dtpStart;
    QLabel *lblStart;
    QDateEdit *dtpEnd;
    QLabel *lblEnd;
    QCheckBox *chkTarget, *chkTrend, *chkDateScale; // the lines beside the item's own
    QPushButton *btnPrint, *btnCsv, *btnImage;
    GraphChart *cht;
    QStatusBar *stb;
    QLabel *stbText;

    // The items in list order; with a food diary the first is its daily totals.
    QList<RecordItem> m_items;
    // The food diary's entries at the top of the list: the daily kilocalories,
    // then the nutrients once any day has them.
    QList<IntakeMeasure> m_intakeMeasures;
    std::optional<IntakeMeasure> intakeMeasure(qsizetype row) const {
        if (row < 0 || row >= m_intakeMeasures.size())
            return std::nullopt;
        return std::optional<IntakeMeasure>(std::in_place, m_intakeMeasures[row]);
    }
    int m_drawnRow = -1;          // the row of the item drawn in m_items
    bool m_pressedChosen = false; // the mouse went down on the chosen item
    TIniSaveProps isp;            // setting/day.ini
    TIniSaveProps m_lineIsp;      // setting/graph.ini: the three line options
    std::function<int()> m_intakeTarget;
};

} // namespace zk
