#include "app/ui/tmainform.h"

#include "app/mymenus.h"
#include "app/ui/intakecontroller.h"
#include "app/ui/settingpages.h"
#include "app/ui/treport.h"
#include "app/ui/trestore.h"
#include "caldata/calcatalogue.h"
#include "caldata/ui/caltablecontroller.h"
#include "caldata/ui/tcaleditor.h"
#include "caldata/ui/tfiles.h"
#include "caldata/ui/tfinder.h"
#include "common/platform.h"
#include "common/ui/actions.h"
#include "common/ui/backupguard.h"
#include "common/ui/datepicker.h"
#include "common/ui/elidinglabel.h"
#include "common/ui/fonts.h"
#include "common/ui/guard.h"
#include "common/ui/viewitemdelegate.h"
#include "help/ui/help.h"
#include "help/ui/taboutbox.h"
#include "records/intakediary.h"
#include "records/ui/intakecsvdialog.h"
#include "records/ui/recordwindows.h"
#include "records/ui/tgraph.h"
#include "settings/settingsdata.h"
#include "settings/ui/mainsettings.h"
#include "settings/ui/tsetting.h"
#include "web/ui/webmenus.h"
#include "web/ui/websiteopener.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zk {
namespace {

QAction *newCheckable(QObject *owner, const char *name, const QString &caption, bool checked,
                      QActionGroup *group = nullptr) {
    QAction *action = newAction(owner, name, caption);
    action->setCheckable(true);
    action->setChecked(checked);
    if (group)
        group->addAction(action);
    return action;
}

// A tool-bar button that runs a menu command and follows its enabled state.
QAction *newButton(QObject *owner, const char *name, const QString &caption, const QString &icon,
                   QAction *command) {
    QAction *button = newAction(owner, name, caption);
    button->setIcon(QIcon(icon));
    button->setEnabled(command->isEnabled());
    QObject::connect(button, &QAction::triggered, command, &QAction::trigger);
    QObject::connect(command, &QAction::enabledChanged, button, &QAction::setEnabled);
    return button;
}

// The daily standard as setting.ini has it now, which the graph and the
// report aim at.
int storedDailyStandard() {
    SettingsData data;
    data.load();
    return data.dailyStandard();
}

} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Zenkarta"));
    setFont(designFont(QStringLiteral("ＭＳ Ｐ明朝"), 13));
    setGeometry(157, 132, 785, 505);
    setDockNestingEnabled(false);

    createActions();
    createMenus();
    createToolBar();
    setCentralWidget(createCentralArea());
    statusBar()->setObjectName(QStringLiteral("stb"));
    statusBar()->setSizeGripEnabled(true);
    BackupGuard::setStatusBar(statusBar()); // where a backup that failed is told
    m_intake = new IntakeController(
        {lsvCal,         popMyCal,       mnuAddList,  mnuDeleteList, mnuDeleteAll,     mnuMyDelete,
         mnuMyKill,      mnuArrowDup,    mnuBanDup,   pnlTitle,      lblTotalCal,      ggCal,
         cmbLimit,       pnlDay,         dtpDay,      btnPrevDay,    btnNextDay,       btnToday,
         mnuIntakeDiary, mnuMyCopyToday, statusBar(), mnuMyAmount,   mnuShowNutrients, pnlBalance,
         lblBalance,     mnuMyMenu,      mnuMyCopyDay},
        m_sortKey, this);

    // The user's web sites in both Internet menus, help and the about box.
    auto *webMenus = new WebMenus(mnuWeb, btnWebMenu, this);
    webMenus->setSiteIcon(QIcon(QStringLiteral(":/icons/web.svg")));
    webMenus->SetMenuWWW();
    connect(mnuRegistWeb, &QAction::triggered, webMenus, &WebMenus::mnuRegistWebClick);
    connect(mnuHelp, &QAction::triggered, this, [] { Help::contents(); });
    connect(mnuAbout, &QAction::triggered, this, [this] {
        TAboutBox box(this);
        connect(&box, &TAboutBox::addressClicked, &box, [&box](const QString &address) {
            guarded(&box, [&] { openWebAddress(address); });
        });
        box.exec();
    });

    m_settings = new MainSettings(this, {mnuFindTopMost, mnuArrowDup, mnuBanDup, mnuConfirmDup},
                                  {cmbLimit, nullptr, trvCal, lsvCal, pnlTitle, pnlTotal});
    m_settings->setPages([](TSetting &dialog) {
        addRecordItemsPage(dialog);
        offerLatestWeight(dialog);
    });
    m_settings->loadOptions();
    m_settings->fillLimitList();
    m_intake->startDiary();
    connect(mnuSetting, &QAction::triggered, m_settings, &MainSettings::openSettings);

    auto *finder = new TFinder(CalFileList(), m_sortKey, this);
    setSearchWindow(finder);
    connect(mnuFind, &QAction::triggered, finder,
            [this, finder] { finder->showFinder(mnuFindTopMost->isChecked()); });
    connect(finder, &TFinder::addToIntake, m_intake, &IntakeController::addFoods);
    Files = new TFiles(CalFileList(), this);
    Files->dockInto(*this);
    m_settings->setFileTree(Files->fileTree());
    m_settings->applyStoredFonts();
    m_calTables = new CalTableController(
        {Files, trvCal, pnlTitle, txtFilter, mnuCalFiles, mnuStandard, mnuDictionary, statusBar()},
        this);
    m_intake->setFoodSource([this]() -> std::optional<FoodPick> {
        const FoodNode *food = m_calTables->selectedFood();
        if (!food)
            return std::nullopt;
        const FoodTree &tree = m_calTables->viewer().model()->tree();
        // A food eaten often is added as from its table.
        if (const FoodServing *serving = tree.serving(*food)) {
            const FrequentFood *frequent = m_frequent.find(food->text, serving->table);
            if (!frequent)
                return std::nullopt;
            return FoodPick{frequent->name, frequent->food, frequent->table};
        }
        return FoodPick::of(food->text, food->calory, tree.nutrients(*food));
    });
    m_calTables->setFrequentSource([this] {
        const bool on = m_intake->diary().isOn();
        m_frequent =
            on ? CollectFrequentFoods(Regional::current().today(), &m_intake->lastAmounts())
               : FrequentFoodList{};
        return CalTableController::FrequentView{FrequentFoodTree(m_frequent),
                                                FrequentFoodsStatus(m_frequent, on)};
    });
    connect(m_intake, &IntakeController::diaryChanged, m_calTables,
            &CalTableController::diaryChanged);
    connect(mnuReport, &QAction::triggered, this, [this] {
        if (!m_report)
            m_report = new TReport(storedDailyStandard, this);
        m_report->showReport();
    });
    connect(m_intake, &IntakeController::myMenuSaved, this, [this] {
        // The new dish shows at once: in the file tree, the search and the
        // food tree when its table is the one shown.
        Files->rescan();
        const CalTableViewer &viewer = m_calTables->viewer();
        if (!viewer.showsMadeList() && QFileInfo(viewer.path()) == QFileInfo(MyMenus::tablePath()))
            m_calTables->showAgain();
    });
    connect(trvCal, &QTreeView::doubleClicked, mnuAddList, &QAction::trigger);
    // Return adds as a double-click does (not through `activated`, which some
    // styles send on a single click).
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *shortcut = new QShortcut(QKeySequence(key), trvCal);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, mnuAddList, &QAction::trigger);
    }

    m_records = new RecordWindows(this, mnuDayRec, mnuGraph);
    // The daily totals of the food diary aim at the daily standard.
    m_records->setIntakeTarget(storedDailyStandard);
    // OK of the settings may have changed the limits and the record items.
    connect(m_settings, &MainSettings::settingsSaved, this, [this] {
        m_intake->list().limitListRebuilt();
        m_records->itemListSaved();
    });
}

void TMainForm::mnuRestoreClick() {
    TRestore dialog(this);
    connect(&dialog, &TRestore::restored, this, [this] {
        // What was put back shows at once: the settings, the graph, the
        // tables, the one shown, the day.
        m_settings->loadOptions();
        m_settings->fillLimitList();
        m_settings->applyStoredFonts();
        m_intake->list().limitListRebuilt();
        m_records->filesRestored();
        Files->rescan();
        m_calTables->showAgain();
        m_intake->filesRestored();
    });
    WindowPrompt::of(this).exec(dialog);
}

void TMainForm::createActions() {
    mnuCaloryEditor = newAction(this, "mnuCaloryEditor", QStringLiteral("ｶﾛﾘｰﾃﾞｰﾀｴﾃﾞｨﾀを起動(&C)"),
                                QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(mnuCaloryEditor, &QAction::triggered, this, &TMainForm::mnuCaloryEditorClick);
    mnuDayRec = newAction(this, "mnuDayRec", QStringLiteral("日々の記録を付ける(&R)"),
                          QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuDayRec->setIcon(QIcon(QStringLiteral(":/icons/diary.svg")));
    mnuGraph = newAction(this, "mnuGraph", QStringLiteral("ｸﾞﾗﾌ解析(&G)"),
                         QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuGraph->setIcon(QIcon(QStringLiteral(":/icons/graph.svg")));
    mnuReport = newAction(this, "mnuReport", QStringLiteral("ﾚﾎﾟｰﾄ(&T)"));
    mnuReport->setIcon(QIcon(QStringLiteral(":/icons/report.svg")));
    mnuIntakeCsv = newAction(this, "mnuIntakeCsv", QStringLiteral("摂取記録をCSVで保存..."));
    connect(mnuIntakeCsv, &QAction::triggered, this, [this] { saveIntakeCsv(this); });
    mnuRestore = newAction(this, "mnuRestore", QStringLiteral("ﾊﾞｯｸｱｯﾌﾟから復元..."));
    connect(mnuRestore, &QAction::triggered, this, &TMainForm::mnuRestoreClick);
    mnuExit = newAction(this, "mnuExit", QStringLiteral("終了(&E)"));
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);

    mnuAddList = newAction(this, "mnuAddList", QStringLiteral("ﾘｽﾄにﾃﾞｰﾀを追加(&A)"),
                           QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuDeleteList = newAction(this, "mnuDeleteList", QStringLiteral("ﾘｽﾄからﾃﾞｰﾀを削除(&D)"),
                              QKeySequence(Qt::Key_Delete));
    mnuDeleteAll = newAction(this, "mnuDeleteAll", QStringLiteral("ﾘｽﾄからﾃﾞｰﾀを全削除(&K)"),
                             QKeySequence(Qt::CTRL | Qt::Key_Delete));
    auto *duplicates = new QActionGroup(this);
    mnuArrowDup = newCheckable(this, "mnuArrowDup", QStringLiteral("ﾘｽﾄの重複を許可する(&X)"),
                               false, duplicates);
    mnuBanDup = newCheckable(this, "mnuBanDup", QStringLiteral("ﾘｽﾄの重複を許可しない(&Y)"), false,
                             duplicates);
    mnuConfirmDup =
        newCheckable(this, "mnuConfirmDup", QStringLiteral("ﾘｽﾄの重複時にはﾀﾞｲｱﾛｸﾞで確認(&Z)"),
                     true, duplicates);
    mnuIntakeDiary =
        newCheckable(this, "mnuIntakeDiary", QStringLiteral("ﾘｽﾄを日付ごとに記録する(&M)"), true);
    mnuSetting = newAction(this, "mnuSetting", QStringLiteral("詳細設定(&S)"),
                           QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSetting->setIcon(QIcon(QStringLiteral(":/icons/setting.svg")));

    mnuCalFiles = newCheckable(this, "mnuCalFiles", QStringLiteral("ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ(&F)"), true);
    mnuShowNutrients = newCheckable(this, "mnuShowNutrients", QStringLiteral("栄養素を表示"), true);
    auto *views = new QActionGroup(this);
    mnuStandard = newCheckable(this, "mnuStandard", QStringLiteral("標準"), true, views);
    mnuDictionary = newCheckable(this, "mnuDictionary", QStringLiteral("一覧"), false, views);

    mnuFind = newAction(this, "mnuFind", QStringLiteral("ﾃﾞｰﾀ検索(&F)"),
                        QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuFind->setIcon(QIcon(QStringLiteral(":/icons/find.svg")));
    mnuFindTopMost = newCheckable(this, "mnuFindTopMost",
                                  QStringLiteral("ﾃﾞｰﾀ検索ｳｨﾝﾄﾞｳは常に前面表示(&P)"), true);
    mnuFindTopMost->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F));
    connect(mnuFindTopMost, &QAction::triggered, this, &TMainForm::mnuFindTopMostClick);

    mnuRegistWeb = newAction(this, "mnuRegistWeb", QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集(&E)"));
    mnuHelp =
        newAction(this, "mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"), QKeySequence(Qt::CTRL | Qt::Key_H));
    mnuHelp->setIcon(QIcon(QStringLiteral(":/icons/help.svg")));
    mnuAbout = newAction(this, "mnuAbout", QStringLiteral("このｿﾌﾄについて(&A)"));

    mnuMyCopyToday = newAction(this, "mnuMyCopyToday", QStringLiteral("今日のﾘｽﾄにｺﾋﾟｰ"));
    mnuMyCopyDay = newAction(this, "mnuMyCopyDay", QStringLiteral("別の日にｺﾋﾟｰ..."));
    mnuMyMenu = newAction(this, "mnuMyMenu", QStringLiteral("Myﾒﾆｭｰとして登録..."));
    mnuMyAmount = newAction(this, "mnuMyAmount", QStringLiteral("量を変更..."));
    mnuMyDelete = newAction(this, "mnuMyDelete", QStringLiteral("削除"));
    mnuMyKill = newAction(this, "mnuMyKill", QStringLiteral("ﾘｽﾄをすべて削除"));
    connect(mnuMyDelete, &QAction::triggered, mnuDeleteList, &QAction::trigger);
    connect(mnuMyKill, &QAction::triggered, mnuDeleteAll, &QAction::trigger);
}

void TMainForm::createMenus() {
    QMenu *file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    file->addActions({mnuCaloryEditor});
    file->addSeparator();
    file->addActions({mnuDayRec, mnuGraph, mnuReport, mnuIntakeCsv});
    file->addSeparator();
    file->addAction(mnuRestore);
    file->addSeparator();
    // Days are written as the list changes, so the item is checked each time.
    mnuIntakeCsv->setVisible(AnyIntakeDay());
    connect(file, &QMenu::aboutToShow, this, [this] { mnuIntakeCsv->setVisible(AnyIntakeDay()); });
    file->addAction(mnuExit);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->addActions({mnuAddList, mnuDeleteList, mnuDeleteAll});
    edit->addSeparator();
    edit->addAction(mnuMyMenu);
    edit->addSeparator();
    edit->addActions({mnuArrowDup, mnuBanDup, mnuConfirmDup});
    edit->addSeparator();
    edit->addAction(mnuIntakeDiary);
    edit->addSeparator();
    edit->addAction(mnuSetting);

    QMenu *view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->addAction(mnuCalFiles);
    view->addSeparator();
    QMenu *calList = view->addMenu(QStringLiteral("ｶﾛﾘｰﾘｽﾄ(&L)"));
    calList->addActions({mnuStandard, mnuDictionary});
    view->addSeparator();
    view->addAction(mnuShowNutrients);

    QMenu *find = menuBar()->addMenu(QStringLiteral("検索(&F)"));
    find->addActions({mnuFind, mnuFindTopMost});

    mnuWeb = menuBar()->addMenu(QStringLiteral("ｲﾝﾀｰﾈｯﾄ(&I)"));
    mnuWeb->setObjectName(QStringLiteral("mnuWeb"));
    mnuWeb->addAction(mnuRegistWeb);
    mnuWeb->addSeparator();

    QMenu *help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    help->addAction(mnuHelp);
    help->addSeparator();
    help->addAction(mnuAbout);

    popMyCal = new QMenu(this);
    popMyCal->setObjectName(QStringLiteral("popMyCal"));
    // The copy items show only while the diary is on (copying into today only
    // on another day); the menu hides the separator after them with them.
    popMyCal->addActions({mnuMyCopyToday, mnuMyCopyDay});
    popMyCal->addSeparator();
    popMyCal->addAction(mnuMyMenu);
    popMyCal->addSeparator();
    popMyCal->addAction(mnuMyAmount);
    popMyCal->addSeparator();
    popMyCal->addAction(mnuMyDelete);
    popMyCal->addSeparator();
    popMyCal->addAction(mnuMyKill);
}

void TMainForm::createToolBar() {
    tbtMain = addToolBar(QStringLiteral("tbtMain"));
    tbtMain->setObjectName(QStringLiteral("tbtMain"));
    tbtMain->setMovable(false);
    tbtMain->setFloatable(false);
    tbtMain->toggleViewAction()->setVisible(false);
    tbtMain->setContextMenuPolicy(Qt::PreventContextMenu);
    tbtMain->setIconSize(QSize(32, 32));
    tbtMain->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tbtMain->setFont(designFont(QStringLiteral("ＭＳ Ｐゴシック"), 13));

    btnData = newButton(this, "btnData", QStringLiteral("日々の記録"),
                        QStringLiteral(":/icons/diary.svg"), mnuDayRec);
    btnGraph = newButton(this, "btnGraph", QStringLiteral("ｸﾞﾗﾌ"),
                         QStringLiteral(":/icons/graph.svg"), mnuGraph);
    btnReport = newButton(this, "btnReport", QStringLiteral("ﾚﾎﾟｰﾄ"),
                          QStringLiteral(":/icons/report.svg"), mnuReport);
    btnFind = newButton(this, "btnFind", QStringLiteral("ﾃﾞｰﾀ検索"),
                        QStringLiteral(":/icons/find.svg"), mnuFind);
    btnSetting = newButton(this, "btnSetting", QStringLiteral("詳細設定"),
                           QStringLiteral(":/icons/setting.svg"), mnuSetting);
    btnHelp = newButton(this, "btnHelp", QStringLiteral("ﾍﾙﾌﾟ"), QStringLiteral(":/icons/help.svg"),
                        mnuHelp);

    btnRegistWeb = newAction(this, "btnRegistWeb", QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集"));
    btnRegistWeb->setEnabled(mnuRegistWeb->isEnabled());
    connect(btnRegistWeb, &QAction::triggered, mnuRegistWeb, &QAction::trigger);
    connect(mnuRegistWeb, &QAction::enabledChanged, btnRegistWeb, &QAction::setEnabled);
    btnWebMenu = new QMenu(this);
    btnWebMenu->setObjectName(QStringLiteral("btnWebMenu"));
    btnWebMenu->addAction(btnRegistWeb);
    btnWebMenu->addSeparator();
    btnWeb = new QToolButton(this);
    btnWeb->setObjectName(QStringLiteral("btnWeb"));
    btnWeb->setText(QStringLiteral("ｲﾝﾀｰﾈｯﾄ"));
    btnWeb->setIcon(QIcon(QStringLiteral(":/icons/web.svg")));
    btnWeb->setMenu(btnWebMenu);
    btnWeb->setPopupMode(QToolButton::InstantPopup);
    btnWeb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    btnWeb->setIconSize(QSize(32, 32));
    btnWeb->setFocusPolicy(Qt::NoFocus);

    tbtMain->addAction(btnData);
    tbtMain->addAction(btnGraph);
    tbtMain->addAction(btnReport);
    tbtMain->addSeparator();
    tbtMain->addAction(btnFind);
    tbtMain->addSeparator();
    tbtMain->addAction(btnSetting);
    tbtMain->addSeparator();
    tbtMain->addWidget(btnWeb);
    tbtMain->addSeparator();
    tbtMain->addAction(btnHelp);
}

QWidget *TMainForm::createCentralArea() {
    auto *pnlMain = new QWidget(this);
    pnlMain->setObjectName(QStringLiteral("pnlMain"));

    pnlTitle = new QLabel(pnlMain);
    pnlTitle->setObjectName(QStringLiteral("pnlTitle"));
    pnlTitle->setTextFormat(Qt::PlainText); // a table's name, as its file names it
    pnlTitle->setFixedHeight(24);
    pnlTitle->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlTitle->setIndent(4);
    pnlTitle->setAutoFillBackground(true);
    pnlTitle->setFont(designFont(QStringLiteral("ＭＳ Ｐ明朝"), 13, true));
    QPalette title = pnlTitle->palette();
    title.setColor(QPalette::Window, QColor(0, 0, 128));
    title.setColor(QPalette::WindowText, Qt::white);
    pnlTitle->setPalette(title);

    // The filter box sits right above the food tree and shares its pane.
    auto *pnlFoods = new QWidget(pnlMain);
    pnlFoods->setObjectName(QStringLiteral("pnlFoods"));
    txtFilter = new QLineEdit(pnlFoods);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(QStringLiteral("絞り込み"));
    txtFilter->setAccessibleName(QStringLiteral("食品の絞り込み"));
    // The clear button shows only over a text, so it is made with the first
    // one: its icon is looked up in the icon theme, which the start then
    // does not wait for.
    connect(
        txtFilter, &QLineEdit::textChanged, txtFilter,
        [this] { txtFilter->setClearButtonEnabled(true); }, Qt::SingleShotConnection);
    const QKeySequence filterKey(Qt::CTRL | Qt::Key_L);
    txtFilter->setToolTip(QStringLiteral("食品の絞り込み (") +
                          filterKey.toString(QKeySequence::NativeText) + u')');
    connect(new QShortcut(filterKey, this), &QShortcut::activated, txtFilter, [this] {
        txtFilter->setFocus(Qt::ShortcutFocusReason);
        txtFilter->selectAll();
    });

    trvCal = new QTreeView(pnlFoods);
    trvCal->setObjectName(QStringLiteral("trvCal"));
    trvCal->setAccessibleName(QStringLiteral("食品ツリー"));
    trvCal->setHeaderHidden(true);
    trvCal->setIndentation(19);
    trvCal->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvCal->setItemDelegate(new ViewItemDelegate(trvCal));
    trvCal->setFont(designFont(QStringLiteral("ＭＳ Ｐ明朝"), 13));

    auto *foods = new QVBoxLayout(pnlFoods);
    foods->setContentsMargins(0, 0, 0, 0);
    foods->setSpacing(1);
    foods->addWidget(txtFilter);
    foods->addWidget(trvCal, 1);

    lsvCal = new QTreeView(pnlMain);
    lsvCal->setObjectName(QStringLiteral("lsvCal"));
    lsvCal->setAccessibleName(QStringLiteral("摂取リスト"));
    lsvCal->setRootIsDecorated(false);
    lsvCal->setUniformRowHeights(true);
    lsvCal->setAllColumnsShowFocus(true);
    lsvCal->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lsvCal->setItemDelegate(new ViewItemDelegate(lsvCal));
    lsvCal->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lsvCal->setSelectionBehavior(QAbstractItemView::SelectRows);
    lsvCal->setContextMenuPolicy(Qt::CustomContextMenu);
    lsvCal->setFont(designFont(QStringLiteral("Tahoma"), 11));
    lsvCal->header()->setSectionsMovable(false);
    lsvCal->header()->setStretchLastSection(false);

    m_splitter = new QSplitter(Qt::Horizontal, pnlMain);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setHandleWidth(2);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(pnlFoods);
    m_splitter->addWidget(lsvCal);
    m_splitter->setStretchFactor(1, 1);
    // Wider than the 180 pixels of the first design, so that food names show
    // whole, and room for the intake list's amount and nutrient columns.
    m_splitter->setSizes({220, 380});

    auto *pnlCal = new QVBoxLayout;
    pnlCal->setContentsMargins(0, 0, 0, 0);
    pnlCal->setSpacing(1); // `Bevel1` under the title
    pnlCal->addWidget(pnlTitle);
    pnlCal->addWidget(m_splitter, 1);

    auto *layout = new QVBoxLayout(pnlMain);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(pnlCal, 1);
    layout->addWidget(createTotalBar());
    return pnlMain;
}

QWidget *TMainForm::createTotalBar() {
    pnlTotal = new QFrame(this);
    pnlTotal->setObjectName(QStringLiteral("pnlTotal"));
    static_cast<QFrame *>(pnlTotal)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlTotal->setFont(designFont(QStringLiteral("Tahoma"), 11));
    pnlTotal->setAutoFillBackground(true);
    auto *pnlTotalLine = new QWidget(pnlTotal);
    pnlTotalLine->setFixedHeight(22);

    // On a narrow window the total gives way at its end, not the tables'
    // window or the limit list beside it.
    lblTotalCal = new ElidingLabel(pnlTotalLine);
    lblTotalCal->setObjectName(QStringLiteral("lblTotalCal"));

    ggCal = new QProgressBar(pnlTotalLine);
    ggCal->setObjectName(QStringLiteral("ggCal"));
    ggCal->setAccessibleName(QStringLiteral("カロリーゲージ"));
    ggCal->setFixedSize(113, 16);
    ggCal->setRange(0, 100);
    ggCal->setValue(0);
    ggCal->setFormat(QStringLiteral("%p%"));
    ggCal->setAlignment(Qt::AlignCenter);
    ggCal->setFont(designFont(QStringLiteral("Tahoma"), 11));

    cmbLimit = new QComboBox(pnlTotalLine);
    cmbLimit->setObjectName(QStringLiteral("cmbLimit"));
    cmbLimit->setAccessibleName(QStringLiteral("1日の基準カロリー"));
    // Wide enough for the whole item text in the mapped fonts.
    cmbLimit->setMinimumWidth(130);
    cmbLimit->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbLimit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    cmbLimit->setEditable(false);
    cmbLimit->addItem(QStringLiteral("1日の基準 : 2500 kcal"));
    cmbLimit->setCurrentIndex(0);

    auto *layout = new QHBoxLayout(pnlTotalLine);
    layout->setContentsMargins(8, 0, 4, 0);
    layout->setSpacing(3);
    layout->addWidget(createDayBar(pnlTotalLine));
    layout->addWidget(lblTotalCal, 1);
    layout->addWidget(ggCal);
    layout->addWidget(cmbLimit);

    // The day's nutrients and PFC balance, under the total.
    pnlBalance = new QWidget(pnlTotal);
    pnlBalance->setObjectName(QStringLiteral("pnlBalance"));
    pnlBalance->setFixedHeight(20);
    lblBalance = new QLabel(pnlBalance);
    lblBalance->setObjectName(QStringLiteral("lblBalance"));
    lblBalance->setAccessibleName(QStringLiteral("栄養素とPFCバランス"));
    lblBalance->setTextFormat(Qt::RichText); // numbers of its own, coloured
    auto *balance = new QHBoxLayout(pnlBalance);
    balance->setContentsMargins(8, 0, 4, 0);
    balance->addWidget(lblBalance, 1);

    auto *lines = new QVBoxLayout(pnlTotal);
    lines->setContentsMargins(0, 1, 0, 1);
    lines->setSpacing(0);
    lines->addWidget(pnlTotalLine);
    lines->addWidget(pnlBalance);
    pnlTotal->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return pnlTotal;
}

QWidget *TMainForm::createDayBar(QWidget *parent) {
    pnlDay = new QWidget(parent);
    pnlDay->setObjectName(QStringLiteral("pnlDay"));
    const auto dayButton = [this](const char *name, Qt::ArrowType arrow, const QString &accessible,
                                  const QKeySequence &key) {
        auto *button = new QToolButton(pnlDay);
        button->setObjectName(QString::fromLatin1(name));
        button->setArrowType(arrow);
        button->setAutoRaise(true);
        button->setFixedSize(16, 20);
        button->setAccessibleName(accessible);
        button->setToolTip(accessible + QStringLiteral(" (") +
                           key.toString(QKeySequence::NativeText) + u')');
        // The keys work wherever the focus is in the main window.
        auto *shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, button, &QToolButton::click);
        return button;
    };
    btnPrevDay = dayButton("btnPrevDay", Qt::LeftArrow, QStringLiteral("前の日"),
                           QKeySequence(Qt::ALT | Qt::Key_Left));
    dtpDay = newDatePicker(QStringLiteral("dtpDay"), Regional::current().today(), pnlDay);
    dtpDay->setAccessibleName(QStringLiteral("摂取リストの日付"));
    dtpDay->setFixedHeight(20);
    btnNextDay = dayButton("btnNextDay", Qt::RightArrow, QStringLiteral("次の日"),
                           QKeySequence(Qt::ALT | Qt::Key_Right));
    btnToday = new QToolButton(pnlDay);
    btnToday->setObjectName(QStringLiteral("btnToday"));
    btnToday->setText(QStringLiteral("今日"));
    btnToday->setFixedHeight(20);

    auto *layout = new QHBoxLayout(pnlDay);
    layout->setContentsMargins(0, 0, 6, 0);
    layout->setSpacing(1);
    layout->addWidget(btnPrevDay);
    layout->addWidget(dtpDay);
    layout->addWidget(btnNextDay);
    layout->addSpacing(2);
    layout->addWidget(btnToday);
    return pnlDay;
}

// A fresh editor for each opening, so that it reads the files anew.
void TMainForm::mnuCaloryEditorClick() {
    Tcaleditor editor(this);
    connect(&editor, &Tcaleditor::helpRequested, this, &Help::Helper);
    editor.exec();
}

void TMainForm::mnuFindTopMostClick() {
    // The command re-applies the topmost state; its check mark stays as it was.
    mnuFindTopMost->setChecked(!mnuFindTopMost->isChecked());
    if (m_finder && mnuFindTopMost->isChecked() && m_finder->isVisible()) {
        m_finder->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        m_finder->show();
    }
}

void TMainForm::closeEvent(QCloseEvent *event) {
    // Failures are reported; the window closes all the same.
    m_intake->finish();
    m_settings->saveOptions();
    event->accept();
}

} // namespace zk
