#pragma once

#include "app/frequentfoods.h"
#include "caldata/calorielist.h"

#include <QMainWindow>

class QAction;
class QActionGroup;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QSplitter;
class QToolBar;
class QToolButton;
class QTreeView;

namespace zk {

class CalTableController;
class IntakeController;
class MainSettings;
class RecordWindows;
class TFiles;
class TReport;

// The main window "Zenkarta": menu bar, tool bar, the dock area of the
// calorie-file window, the food tree, the intake list and the total bar.
// It builds the layout and owns the commands; each command is carried out by
// the model or window it belongs to. The controls keep the names of the
// window's design as their object names.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget *parent = nullptr);

    // The column sort shared by the intake list and the search results.
    SortKey &sortKey() { return m_sortKey; }
    IntakeController &intake() { return *m_intake; }
    MainSettings &settings() { return *m_settings; }

    // The search window, once it exists; the topmost option applies to it.
    void setSearchWindow(QWidget *finder) { m_finder = finder; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    QWidget *createCentralArea();
    QWidget *createTotalBar();
    QWidget *createDayBar(QWidget *parent);
    void mnuFindTopMostClick();
    void mnuCaloryEditorClick();
    void mnuRestoreClick();

    // "ﾌｧｲﾙ(&F)"
    QAction *mnuCaloryEditor, *mnuDayRec, *mnuGraph, *mnuExit;
    QAction *mnuReport;    // "ﾚﾎﾟｰﾄ(&T)": weeks and months of the food diary
    QAction *mnuIntakeCsv; // shown while the food diary has a day
    QAction *mnuRestore;   // "ﾊﾞｯｸｱｯﾌﾟから復元..."
    // "編集(&E)"
    QAction *mnuAddList, *mnuDeleteList, *mnuDeleteAll;
    QAction *mnuArrowDup, *mnuBanDup, *mnuConfirmDup; // one radio group
    QAction *mnuIntakeDiary;
    QAction *mnuMyMenu; // "Myﾒﾆｭｰとして登録..."
    QAction *mnuSetting;
    // "表示(&V)"
    QAction *mnuCalFiles;
    QAction *mnuShowNutrients;            // "栄養素を表示"
    QAction *mnuStandard, *mnuDictionary; // "ｶﾛﾘｰﾘｽﾄ(&L)", a radio group of its own
    // "検索(&F)"
    QAction *mnuFind, *mnuFindTopMost;
    // "ｲﾝﾀｰﾈｯﾄ(&I)": the edit command, a separator, then the user's sites
    QMenu *mnuWeb;
    QAction *mnuRegistWeb;
    // "ﾍﾙﾌﾟ(&H)"
    QAction *mnuHelp, *mnuAbout;

    // Tool bar `tbtMain`; each button runs its menu command.
    QToolBar *tbtMain;
    QAction *btnData, *btnGraph, *btnReport, *btnFind, *btnSetting, *btnHelp;
    QToolButton *btnWeb; // drop-down: `btnRegistWeb`, a separator, the user's sites
    QMenu *btnWebMenu;
    QAction *btnRegistWeb;

    QLabel *pnlTitle;     // name of the loaded calorie table
    QLineEdit *txtFilter; // narrows the food tree
    QTreeView *trvCal;    // the food tree
    QTreeView *lsvCal;    // the intake list
    QMenu *popMyCal;      // context menu of the intake list
    QAction *mnuMyCopyToday, *mnuMyCopyDay, *mnuMyAmount, *mnuMyDelete, *mnuMyKill;
    QWidget *pnlTotal; // the total bar
    QLabel *lblTotalCal;
    QProgressBar *ggCal;
    QComboBox *cmbLimit;
    QWidget *pnlBalance; // the day's nutrients, the total bar's second line
    QLabel *lblBalance;
    QWidget *pnlDay; // the date of the list shown, in the total bar
    QDateEdit *dtpDay;
    QToolButton *btnPrevDay, *btnNextDay;
    QToolButton *btnToday;

    TFiles *Files; // the calorie-file window, docked on the left

    QSplitter *m_splitter = nullptr;
    SortKey m_sortKey;
    IntakeController *m_intake = nullptr;
    MainSettings *m_settings = nullptr;
    CalTableController *m_calTables = nullptr;
    FrequentFoodList m_frequent;        // the foods eaten most, as last shown
    RecordWindows *m_records = nullptr; // the diary and graph windows' commands
    QWidget *m_finder = nullptr;
    TReport *m_report = nullptr; // made when first opened
};

} // namespace zk
