#include "app/ui/intakecontroller.h"

#include "caldata/ui/sortindicator.h"
#include "common/platform.h"
#include "common/ui/backupguard.h"
#include "common/ui/guard.h"
#include "records/intakediary.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTreeView>

namespace zk {
namespace {

QColor barColour(TotalBar::Colour colour) {
    switch (colour) {
    case TotalBar::Colour::Silver:
        return QColor(192, 192, 192);
    case TotalBar::Colour::Navy:
        return QColor(0, 0, 128);
    case TotalBar::Colour::Maroon:
        return QColor(128, 0, 0);
    case TotalBar::Colour::Red:
        return QColor(255, 0, 0);
    }
    return {};
}

} // namespace

IntakeController::IntakeController(const Controls &controls, SortKey &sortKey, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_viewport(controls.lsvCal->viewport())
    , m_prompt(controls.lsvCal)
    , m_list(sortKey, m_prompt)
    , m_diary(m_list, m_prompt) {
    QTreeView *lsvCal = m_c.lsvCal;
    lsvCal->setModel(m_list.model());
    lsvCal->setSelectionModel(m_list.selection());
    lsvCal->header()->setSectionsClickable(true);
    lsvCal->header()->resizeSection(0, 150);
    lsvCal->header()->resizeSection(1, 100);
    lsvCal->header()->resizeSection(2, 70);
    lsvCal->installEventFilter(this);
    m_viewport->installEventFilter(this);

    connect(lsvCal->header(), &QHeaderView::sectionClicked, &m_list, &IntakeList::sortByColumn);
    followSortKey(lsvCal->header(), sortKey);
    connect(lsvCal, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        // popMyCalPopup
        const bool any = !m_list.selectedRows().isEmpty();
        m_c.mnuMyDelete->setEnabled(any);
        m_c.mnuMyDelete->setText(m_list.deleteCaption(m_c.mnuMyDelete->text()));
        m_c.mnuMyCopyToday->setVisible(m_diary.isOn() && !m_diary.isToday());
        m_c.mnuMyCopyToday->setEnabled(any);
        m_c.popMyCal->popup(m_c.lsvCal->viewport()->mapToGlobal(pos));
    });

    connect(m_c.mnuAddList, &QAction::triggered, this, &IntakeController::mnuAddListClick);
    connect(m_c.mnuDeleteList, &QAction::triggered, this,
            [this] { guarded(m_c.lsvCal, [this] { m_list.deleteSelected(); }); });
    connect(m_c.mnuDeleteAll, &QAction::triggered, this, [this] {
        // A day of the diary emptied loses its file: kept in a backup first.
        if (m_diary.isOn() && m_list.model()->rowCount() > 0)
            BackupGuard::before(
                QStringLiteral("%1のリストの全削除の前")
                    .arg(m_diary.date().toString(Regional::current().shortDatePattern())));
        guarded(m_c.lsvCal, [this] { m_list.deleteAll(); });
    });
    for (QAction *a :
         {m_c.mnuAddList, m_c.mnuDeleteList, m_c.mnuDeleteAll, m_c.mnuMyDelete, m_c.mnuMyKill})
        a->setEnabled(true);
    // Del and Ctrl+Del act on the intake list wherever the focus is; the
    // context menu shows Del beside its delete item as well.
    m_c.mnuMyDelete->setShortcut(QKeySequence(Qt::Key_Delete));
    m_c.mnuMyDelete->setShortcutContext(Qt::WidgetShortcut);

    // The limit text follows the selected item; only a user's choice recomputes.
    m_list.setLimitText(m_c.cmbLimit->currentText());
    connect(m_c.cmbLimit, &QComboBox::currentTextChanged, &m_list, &IntakeList::setLimitText);
    connect(m_c.cmbLimit, &QComboBox::activated, &m_list, &IntakeList::calc);
    connect(&m_list, &IntakeList::totalChanged, this, &IntakeController::showTotal);

    bindIntakeDiaryOption(
        m_diaryIsp, [this] { return m_c.mnuIntakeDiary->isChecked(); },
        [this](bool on) { m_c.mnuIntakeDiary->setChecked(on); });
    connect(m_c.mnuIntakeDiary, &QAction::triggered, this, &IntakeController::mnuIntakeDiaryClick);
    connect(m_c.mnuMyCopyToday, &QAction::triggered, this, &IntakeController::mnuMyCopyTodayClick);
    connect(&m_diary, &DailyIntake::dateChanged, this, &IntakeController::showDay);
    connect(&m_diary, &DailyIntake::todayFollowed, this, [this](QDate day) {
        m_followedMessage = QStringLiteral("日付が変わりました。%1のリストを表示しています。")
                                .arg(day.toString(Regional::current().shortDatePattern()));
        m_c.stb->showMessage(m_followedMessage);
    });
    // Back from a suspend or another window, the date is looked at at once.
    connect(qApp, &QGuiApplication::applicationStateChanged, &m_diary,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    m_diary.followToday();
            });
    connect(m_c.dtpDay, &QDateEdit::dateChanged, this, &IntakeController::dtpDayChange);
    connect(m_c.btnPrevDay, &QAbstractButton::clicked, this, [this] { stepDay(-1); });
    connect(m_c.btnNextDay, &QAbstractButton::clicked, this, [this] { stepDay(1); });
    connect(m_c.btnToday, &QAbstractButton::clicked, this,
            [this] { m_c.dtpDay->setDate(Regional::current().today()); });
}

void IntakeController::startDiary() {
    guarded(m_c.lsvCal, [this] { m_diaryIsp.Load(); });
    m_diary.start(m_c.mnuIntakeDiary->isChecked());
    // A today's file that cannot be read keeps the diary off for this run,
    // without changing the stored option.
    m_c.mnuIntakeDiary->setChecked(m_diary.isOn());
    showDay();
}

bool IntakeController::finish() {
    return m_diary.flushAtEnd();
}

void IntakeController::stepDay(int days) {
    if (m_diary.isOn())
        m_c.dtpDay->setDate(m_diary.date().addDays(days));
}

void IntakeController::mnuIntakeDiaryClick(bool on) {
    guarded(m_c.lsvCal, [&] {
        m_diary.setOn(on);
        m_c.mnuIntakeDiary->setChecked(m_diary.isOn());
        showDay();
        if (m_diary.isOn() == on) // what the user chose is what is remembered
            m_diaryIsp.Save();
    });
}

void IntakeController::mnuMyCopyTodayClick() {
    guarded(m_c.lsvCal, [this] {
        const int copied = m_diary.copyToToday(policy());
        m_c.stb->showMessage(QStringLiteral("今日のリストに%1件コピーしました。").arg(copied),
                             5000);
    });
}

void IntakeController::dtpDayChange(QDate date) {
    // A day whose file cannot be read is not shown: the picker goes back.
    if (date != m_diary.date() && !m_diary.showDate(date))
        showDay();
}

void IntakeController::showDay() {
    // The news of the new day goes once the list shows another day.
    if (!m_diary.isToday() && m_c.stb->currentMessage() == m_followedMessage)
        m_c.stb->clearMessage();
    const QSignalBlocker blocker(m_c.dtpDay);
    m_c.dtpDay->setDate(m_diary.date());
    m_c.pnlDay->setVisible(m_diary.isOn());
}

void IntakeController::mnuAddListClick() {
    guarded(m_c.lsvCal, [this] {
        const std::optional<FoodPick> food = m_foodSource ? m_foodSource() : std::nullopt;
        if (!food)
            return;
        m_diary.followToday(); // what is eaten after midnight goes into the new day
        m_list.add(food->name, food->calory, m_c.pnlTitle->text(), policy());
    });
}

void IntakeController::addFoods(const QList<CalorieRow> &rows) {
    guarded(m_c.lsvCal, [&] {
        m_diary.followToday();
        m_list.add(rows, policy());
    });
}

DuplicatesPolicy IntakeController::policy() const {
    // Read at the moment of adding; allow wins over forbid.
    if (m_c.mnuArrowDup->isChecked())
        return DuplicatesPolicy::Allow;
    if (m_c.mnuBanDup->isChecked())
        return DuplicatesPolicy::Forbid;
    return DuplicatesPolicy::Ask;
}

void IntakeController::showTotal(const TotalBar &total) {
    m_c.lblTotalCal->setText(total.text);
    QProgressBar *gauge = m_c.ggCal;
    // A range of 0 .. 0 would turn the bar into a busy indicator.
    gauge->setRange(0, std::max(total.maximum, 1));
    gauge->setValue(total.position);
    gauge->setFormat(total.percent);
    QPalette palette = gauge->palette();
    palette.setColor(QPalette::Highlight, barColour(total.colour));
    gauge->setPalette(palette);
}

void IntakeController::lsvCalResize() {
    const std::array<int, 3> widths = foodListColumnWidths(m_c.lsvCal->width());
    for (int c = 0; c < 3; ++c)
        m_c.lsvCal->header()->resizeSection(c, widths[c]);
}

bool IntakeController::eventFilter(QObject *watched, QEvent *event) {
    // Compare with pointers kept from the start: events still arrive while the
    // window is being taken down.
    if (watched == m_c.lsvCal && event->type() == QEvent::Resize)
        lsvCalResize();
    // A double-click anywhere in the list, on a row or not (lsvCalDblClick).
    if (watched == m_viewport && event->type() == QEvent::MouseButtonDblClick)
        m_list.deleteOnDoubleClick();
    return QObject::eventFilter(watched, event);
}

} // namespace zk
