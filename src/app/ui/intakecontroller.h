#pragma once

#include "app/intakelist.h"
#include "common/ui/windowprompt.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QTreeView;

namespace zk {

// A food the food tree offers for adding: a node without children.
struct FoodPick {
    QByteArray name;
    int calory = 0;
};

// Connects the main window's intake list, its commands, the total bar and the
// limit list to the IntakeList.
class IntakeController : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QTreeView *lsvCal;
        QMenu *popMyCal; // its context menu
        QAction *mnuAddList, *mnuDeleteList, *mnuDeleteAll, *mnuMyDelete, *mnuMyKill;
        QAction *mnuArrowDup, *mnuBanDup; // the duplicates options
        QLabel *pnlTitle;                 // the table that added foods come from
        QLabel *lblTotalCal;
        QProgressBar *ggCal;
        QComboBox *cmbLimit;
    };

    IntakeController(const Controls &controls, SortKey &sortKey, QObject *parent = nullptr);

    IntakeList &list() { return m_list; }
    // Where the add command takes the selected food from (the food tree);
    // nothing is added while it gives no food.
    void setFoodSource(std::function<std::optional<FoodPick>()> source) {
        m_foodSource = std::move(source);
    }

    void mnuAddListClick();

private:
    DuplicatesPolicy policy() const;
    void showTotal(const TotalBar &total);
    void lsvCalResize();
    bool eventFilter(QObject *watched, QEvent *event) override;

    Controls m_c;
    QObject *m_viewport;
    PromptFor m_prompt; // the intake list asks over the main window
    IntakeList m_list;
    std::function<std::optional<FoodPick>()> m_foodSource;
};

} // namespace zk
