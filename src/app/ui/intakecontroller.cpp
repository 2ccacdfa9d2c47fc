#include "app/ui/intakecontroller.h"

#include "app/mymenus.h"
#include "app/ui/amountdelegate.h"
#include "caldata/ui/sortindicator.h"
#include "common/platform.h"
#include "common/storedfiles.h"
#include "common/textutil.h"
#include "common/ui/backupguard.h"
#include "common/ui/guard.h"
#include "records/intakediary.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
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

// How a share of the PFC ratio reads against its target: coloured, and with
// an arrow for those who do not see the colour.
QString shareHtml(const PfcBalance &balance, int share) {
    static const char *const colours[3] = {"#0050c0", "#007000", "#c00000"}; // below, within, above
    return QStringLiteral("<span style='color:%1'>%2%3</span>")
        .arg(QLatin1String(colours[int(balance.shares[share])]),
             balance.ratioText(share).toHtmlEscaped(), balance.shareArrow(share));
}

QString shareSentence(const PfcBalance &balance, int share) {
    static const char16_t *const words[3] = {u"目標より少ない", u"目標の範囲内", u"目標より多い"};
    return balance.ratioText(share) + u' ' + QString::fromUtf16(words[int(balance.shares[share])]);
}

// The extra columns of the intake list are as wide as their widest content.
int amountColumnWidth(const QFontMetrics &metrics) {
    return metrics.horizontalAdvance(QStringLiteral("0.25人前")) + 10;
}
int nutrientColumnWidth(const QFontMetrics &metrics) {
    return metrics.horizontalAdvance(QStringLiteral("000.0")) + 10;
}
// Beside them the three columns of every food list keep room for a name and
// "999 kcal": a narrower list scrolls sideways rather than cut them to dots.
int foodColumnsMinimum(const QFontMetrics &metrics) {
    return 9 * ((metrics.horizontalAdvance(QStringLiteral("999 kcal")) + 10) / 2) + 20;
}

} // namespace

IntakeController::IntakeController(const Controls &controls, SortKey &sortKey, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_viewport(controls.lsvCal->viewport())
    , m_prompt(controls.lsvCal)
    , m_list(sortKey, m_prompt, &m_lastAmounts)
    , m_diary(m_list, m_prompt) {
    QTreeView *lsvCal = m_c.lsvCal;
    lsvCal->setModel(m_list.model());
    lsvCal->setSelectionModel(m_list.selection());
    lsvCal->setItemDelegate(new AmountDelegate(lsvCal));
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
        m_c.mnuMyAmount->setEnabled(any);
        m_c.mnuMyCopyDay->setVisible(m_diary.isOn());
        m_c.mnuMyCopyDay->setEnabled(any);
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
    connect(&m_list, &IntakeList::balanceChanged, this, &IntakeController::showBalance);
    connect(&m_list, &IntakeList::amountsNotKept, this, [this](const QString &error) {
        m_c.stb->showMessage(QStringLiteral("量を次回のために記録できません: ") + error, 10000);
    });
    connect(m_c.mnuMyAmount, &QAction::triggered, this, &IntakeController::mnuMyAmountClick);
    m_clickEdit.setSingleShot(true);
    m_clickEdit.setInterval(QApplication::doubleClickInterval());
    connect(&m_clickEdit, &QTimer::timeout, this, [this] {
        if (m_clicked.isValid())
            editAmount(m_clicked.row());
    });
    m_viewIsp.FileName = ProgramFolder::file(storedfiles::intakeViewIni);
    m_viewIsp.bindBoolean(
        "mnuShowNutrients", "Checked", [this] { return m_c.mnuShowNutrients->isChecked(); },
        [this](bool on) { m_c.mnuShowNutrients->setChecked(on); });
    connect(m_c.mnuShowNutrients, &QAction::triggered, this,
            &IntakeController::mnuShowNutrientsClick);
    m_c.lblBalance->setToolTip(PfcBalance::targetsText());

    bindIntakeDiaryOption(
        m_diaryIsp, [this] { return m_c.mnuIntakeDiary->isChecked(); },
        [this](bool on) { m_c.mnuIntakeDiary->setChecked(on); });
    connect(m_c.mnuIntakeDiary, &QAction::triggered, this, &IntakeController::mnuIntakeDiaryClick);
    connect(m_c.mnuMyCopyToday, &QAction::triggered, this, &IntakeController::mnuMyCopyTodayClick);
    connect(m_c.mnuMyCopyDay, &QAction::triggered, this, &IntakeController::mnuMyCopyDayClick);
    connect(m_c.mnuMyMenu, &QAction::triggered, this, &IntakeController::mnuMyMenuClick);
    // The edit menu's item follows the selection; the context menu's is the same.
    m_c.mnuMyMenu->setEnabled(false);
    connect(m_list.selection(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_c.mnuMyMenu->setEnabled(!m_list.selectedRows().isEmpty()); });
    connect(m_list.model(), &QAbstractItemModel::modelReset, this,
            [this] { m_c.mnuMyMenu->setEnabled(!m_list.selectedRows().isEmpty()); });
    connect(&m_list, &IntakeList::rowsChanged, this, [this] {
        if (m_diary.isOn())
            Q_EMIT diaryChanged();
    });
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
    guarded(m_c.lsvCal, [this] { m_viewIsp.Load(); });
    showNutrients(m_c.mnuShowNutrients->isChecked());
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

void IntakeController::filesRestored() {
    m_lastAmounts.reload();
    guarded(m_c.lsvCal, [this] { m_viewIsp.Load(); });
    showNutrients(m_c.mnuShowNutrients->isChecked());
    m_diary.showDate(m_diary.date());
    Q_EMIT diaryChanged();
}

void IntakeController::mnuIntakeDiaryClick(bool on) {
    guarded(m_c.lsvCal, [&] {
        m_diary.setOn(on);
        m_c.mnuIntakeDiary->setChecked(m_diary.isOn());
        showDay();
        if (m_diary.isOn() == on) // what the user chose is what is remembered
            m_diaryIsp.Save();
    });
    Q_EMIT diaryChanged();
}

void IntakeController::mnuMyCopyTodayClick() {
    guarded(m_c.lsvCal, [this] {
        const int copied = m_diary.copyToToday(policy());
        m_c.stb->showMessage(QStringLiteral("今日のリストに%1件コピーしました。").arg(copied),
                             5000);
    });
    Q_EMIT diaryChanged();
}

void IntakeController::mnuMyCopyDayClick() {
    const int rows = int(m_list.selectedRows().size());
    if (rows == 0 || !m_diary.isOn())
        return;
    // Today first; when today is shown, the day before it.
    const QDate today = Regional::current().today();
    const std::optional<QDate> day =
        WindowPrompt::of(m_c.lsvCal)
            .date(QStringLiteral("別の日にｺﾋﾟｰ"),
                  QStringLiteral("%1件の食品をコピーする日:").arg(rows),
                  m_diary.date() == today ? today.addDays(-1) : today);
    if (!day)
        return;
    guarded(m_c.lsvCal, [&] {
        const int copied = m_diary.copyTo(*day, policy());
        m_c.stb->showMessage(QStringLiteral("%1のリストに%2件コピーしました。")
                                 .arg(day->toString(Regional::current().shortDatePattern()))
                                 .arg(copied),
                             5000);
    });
    Q_EMIT diaryChanged();
}

void IntakeController::mnuMyMenuClick() {
    QList<IntakeRow> rows;
    for (const int r : m_list.selectedRows())
        rows.append(m_list.model()->row(r));
    if (rows.isEmpty())
        return;
    WindowPrompt &prompt = WindowPrompt::of(m_c.lsvCal);
    const QString caption = QStringLiteral("Myﾒﾆｭｰとして登録");
    const std::optional<QString> name =
        prompt.text(caption, QStringLiteral("ﾒﾆｭｰの名前:"), rows.first().list.foodsText);
    if (!name)
        return;
    if (const QString refusal = MyMenus::refusal(*name); !refusal.isEmpty()) {
        prompt.error(refusal);
        return;
    }
    const std::optional<int> servings =
        prompt.number(caption, QStringLiteral("何人分ですか（1～%1）:").arg(MyMenus::mostServings),
                      1, 1, MyMenus::mostServings);
    if (!servings)
        return;
    const MyMenus::Menu menu = MyMenus::of(*name, rows, *servings);
    const QString shown = name->trimmed();
    try {
        MyMenus menus;
        if (menus.contains(menu.name)) {
            if (!prompt.question(
                    QStringLiteral("「%1」は既にMyﾒﾆｭｰにあります。置き換えますか？").arg(shown)))
                return;
            BackupGuard::before(QStringLiteral("Myﾒﾆｭｰの「%1」を置き換える前").arg(shown));
        }
        menus.save(menu, Regional::current().today());
    } catch (const Error &e) {
        prompt.error(QStringLiteral("「%1」をMyﾒﾆｭｰに登録できません。\n").arg(shown) + e.text());
        return;
    }
    m_c.stb->showMessage(QStringLiteral("「%1」をMyﾒﾆｭｰに登録しました（1人前 %2 kcal）。")
                             .arg(shown, splitdigit(menu.calory)),
                         5000);
    Q_EMIT myMenuSaved();
}

void IntakeController::mnuMyAmountClick() {
    const QList<int> rows = m_list.selectedRows();
    if (rows.isEmpty())
        return;
    const std::optional<QString> typed =
        WindowPrompt::of(m_c.lsvCal)
            .text(QStringLiteral("量を変更"), m_list.typedAmountLabel(rows),
                  m_list.commonQuantity(rows));
    if (typed)
        guarded(m_c.lsvCal, [&] { m_list.setTypedAmount(rows, *typed); });
}

void IntakeController::mnuShowNutrientsClick(bool on) {
    showNutrients(on);
    guarded(m_c.lsvCal, [this] { m_viewIsp.Save(); });
}

void IntakeController::showNutrients(bool on) {
    for (int c = IntakeListModel::FirstNutrient; c < IntakeListModel::ColumnCount; ++c)
        m_c.lsvCal->setColumnHidden(c, !on);
    m_c.pnlBalance->setVisible(on);
    lsvCalResize();
}

void IntakeController::editAmount(int row) {
    const QModelIndex cell = m_list.model()->index(row, IntakeListModel::AmountColumn);
    if (!cell.isValid())
        return;
    m_c.lsvCal->setCurrentIndex(cell);
    m_c.lsvCal->edit(cell);
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
        m_list.add(food->name, food->category.isEmpty() ? m_c.pnlTitle->text() : food->category,
                   food->food, policy());
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

void IntakeController::showBalance(const PfcBalance &balance) {
    QStringList html;
    QStringList plain;
    if (const QString sums = balance.sumsText(); !sums.isEmpty()) {
        html.append(sums.toHtmlEscaped());
        plain.append(sums);
    }
    if (balance.hasRatio) {
        QStringList shares;
        QStringList sentences;
        for (int share = 0; share < 3; ++share) {
            shares.append(shareHtml(balance, share));
            sentences.append(shareSentence(balance, share));
        }
        html.append(QStringLiteral("PFC ") + shares.join(u' '));
        plain.append(QStringLiteral("PFCバランス ") + sentences.join(QStringLiteral("、")));
    }
    if (const QString lacking = balance.lackingText(); !lacking.isEmpty()) {
        html.append(lacking.toHtmlEscaped());
        plain.append(lacking);
    }
    m_c.lblBalance->setText(html.join(QStringLiteral("&nbsp;&nbsp;&nbsp;")));
    m_c.lblBalance->setAccessibleDescription(plain.join(QStringLiteral("。")));
}

void IntakeController::lsvCalResize() {
    // The amount and nutrient columns are as wide as the list's font needs;
    // the three of every food list share the rest.
    QHeaderView *header = m_c.lsvCal->header();
    const QFontMetrics metrics = m_c.lsvCal->fontMetrics();
    int fixed = 0;
    for (int c = IntakeListModel::AmountColumn; c < IntakeListModel::ColumnCount; ++c) {
        header->resizeSection(c, c == IntakeListModel::AmountColumn ? amountColumnWidth(metrics)
                                                                    : nutrientColumnWidth(metrics));
        if (!header->isSectionHidden(c))
            fixed += header->sectionSize(c);
    }
    const std::array<int, 3> widths =
        foodListColumnWidths(std::max(m_c.lsvCal->width() - fixed, foodColumnsMinimum(metrics)));
    for (int c = 0; c < 3; ++c)
        header->resizeSection(c, widths[c]);
}

bool IntakeController::eventFilter(QObject *watched, QEvent *event) {
    // Compare with pointers kept from the start: events still arrive while the
    // window is being taken down.
    if (watched == m_c.lsvCal &&
        (event->type() == QEvent::Resize || event->type() == QEvent::FontChange))
        lsvCalResize();
    if (watched == m_c.lsvCal && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)) {
            guarded(m_c.lsvCal, [&] {
                m_list.stepAmounts(m_list.selectedRows(), key->key() == Qt::Key_Plus ? 1 : -1);
            });
            return true;
        }
        if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
            editAmount(m_c.lsvCal->currentIndex().row());
            return true;
        }
    }
    if (watched == m_viewport && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex at = m_c.lsvCal->indexAt(mouse->position().toPoint());
        const bool secondOfDouble = std::exchange(m_doubleClicked, false);
        if (!secondOfDouble && mouse->button() == Qt::LeftButton &&
            mouse->modifiers() == Qt::NoModifier && at.column() == IntakeListModel::AmountColumn) {
            m_clicked = at;
            m_clickEdit.start();
        }
    }
    // A double-click anywhere in the list, on a row or not (lsvCalDblClick).
    if (watched == m_viewport && event->type() == QEvent::MouseButtonDblClick) {
        m_clickEdit.stop();
        m_doubleClicked = true; // its release starts no edit
        m_list.deleteOnDoubleClick();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zk
