#pragma once

#include "app/dailyintake.h"
#include "app/intakelist.h"
#include "app/lastamounts.h"
#include "common/tinisaveprops.h"
#include "common/ui/windowprompt.h"

#include <QByteArray>
#include <QObject>
#include <QPersistentModelIndex>
#include <QTimer>

#include <functional>
#include <optional>

class QAbstractButton;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTreeView;

namespace zk {

// A food the food tree offers for adding: a node without children.
struct FoodPick {
    QByteArray name;
    IntakeFood food;
    QString category = {}; // the table it comes from; empty: the table shown

    // A food of the table shown.
    static FoodPick of(const QByteArray &name, qint32 calory,
                       const Nutrients *nutrients = nullptr) {
        return {name, IntakeFood::of(calory, nutrients)};
    }
};

// Connects the main window's intake list, its commands, the total bar and the
// limit list to the IntakeList, and the total bar's date to the food diary.
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
        // The date of the list shown, hidden while the diary is off.
        QWidget *pnlDay;
        QDateEdit *dtpDay;
        QAbstractButton *btnPrevDay, *btnNextDay, *btnToday;
        QAction *mnuIntakeDiary;   // the diary option
        QAction *mnuMyCopyToday;   // context menu: the selected rows into today's list
        QStatusBar *stb;           // tells how many rows were copied
        QAction *mnuMyAmount;      // context menu: a typed amount for the selected rows
        QAction *mnuShowNutrients; // the nutrient columns and the balance shown
        QWidget *pnlBalance;       // the balance's line of the total bar
        QLabel *lblBalance;
        QAction *mnuMyMenu;    // the selected rows saved as a dish of Myﾒﾆｭｰ
        QAction *mnuMyCopyDay; // context menu: the selected rows into a chosen day's list
    };

    IntakeController(const Controls &controls, SortKey &sortKey, QObject *parent = nullptr);

    IntakeList &list() { return m_list; }
    DailyIntake &diary() { return m_diary; }
    LastAmounts &lastAmounts() { return m_lastAmounts; }
    // Reads the diary option from its file and shows today's list; called once
    // the limit list is filled, so that the total shows against it.
    void startDiary();
    // The program ends: writes what could not be written yet; false, after
    // saying so, when a day still cannot be.
    bool finish();
    // Where the add command takes the selected food from (the food tree);
    // nothing is added while it gives no food.
    void setFoodSource(std::function<std::optional<FoodPick>()> source) {
        m_foodSource = std::move(source);
    }

    void mnuAddListClick();
    // Adds found rows (of the search), each under the duplicates policy.
    void addFoods(const QList<CalorieRow> &rows);
    // Goes to the day before (-1) or after (+1) the one shown.
    void stepDay(int days);
    // Files were put back from a backup: the last amounts and the nutrient
    // option are read again, and the day shown.
    void filesRestored();

Q_SIGNALS:
    // A day file of the food diary was written, or the diary turned on or off.
    void diaryChanged();
    // A dish was saved into the table of Myﾒﾆｭｰ.
    void myMenuSaved();

private:
    void mnuIntakeDiaryClick(bool on);
    void mnuMyCopyTodayClick();
    void mnuMyCopyDayClick();
    void mnuMyMenuClick();
    void mnuMyAmountClick();
    void mnuShowNutrientsClick(bool on);
    void showNutrients(bool on);
    void showBalance(const PfcBalance &balance);
    // Edits the amount of a row in place.
    void editAmount(int row);
    void dtpDayChange(QDate date);
    void showDay();
    DuplicatesPolicy policy() const;
    void showTotal(const TotalBar &total);
    void lsvCalResize();
    bool eventFilter(QObject *watched, QEvent *event) override;

    Controls m_c;
    QObject *m_viewport;
    PromptFor m_prompt; // the intake list asks over the main window
    LastAmounts m_lastAmounts;
    IntakeList m_list;
    DailyIntake m_diary;
    TIniSaveProps m_diaryIsp; // setting/intake.ini
    TIniSaveProps m_viewIsp;  // setting/intakeview.ini
    // A click on a 量 cell edits it once it is clear that no double-click
    // (which deletes) follows.
    QTimer m_clickEdit;
    QPersistentModelIndex m_clicked;
    bool m_doubleClicked = false;
    std::function<std::optional<FoodPick>()> m_foodSource;
    QString m_followedMessage; // the status bar's news that the day changed
};

} // namespace zk
