#include "app/ui/intakecontroller.h"

#include "app/ui/tmainform.h"
#include "caldata/ui/sortindicator.h"
#include "common/ui/guard.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
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

IntakeController::IntakeController(TMainForm &form, SortKey &sortKey, QObject *parent)
    : QObject(parent)
    , m_form(form)
    , m_lsvCal(form.lsvCal)
    , m_viewport(form.lsvCal->viewport())
    , m_prompt(&form)
    , m_list(sortKey, m_prompt) {
    QTreeView *lsvCal = m_lsvCal;
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
        m_form.mnuMyDelete->setEnabled(any);
        m_form.mnuMyDelete->setText(m_list.deleteCaption(m_form.mnuMyDelete->text()));
        m_form.popMyCal->popup(m_form.lsvCal->viewport()->mapToGlobal(pos));
    });

    connect(form.mnuAddList, &QAction::triggered, this, &IntakeController::mnuAddListClick);
    connect(form.mnuDeleteList, &QAction::triggered, this,
            [this] { guarded(&m_form, [this] { m_list.deleteSelected(); }); });
    connect(form.mnuDeleteAll, &QAction::triggered, this,
            [this] { guarded(&m_form, [this] { m_list.deleteAll(); }); });
    for (QAction *a :
         {form.mnuAddList, form.mnuDeleteList, form.mnuDeleteAll, form.mnuMyDelete, form.mnuMyKill})
        a->setEnabled(true);
    // Del and Ctrl+Del act on the intake list wherever the focus is; the
    // context menu shows Del beside its delete item as well.
    form.mnuMyDelete->setShortcut(QKeySequence(Qt::Key_Delete));
    form.mnuMyDelete->setShortcutContext(Qt::WidgetShortcut);

    // The limit text follows the selected item; only a user's choice recomputes.
    m_list.setLimitText(form.cmbLimit->currentText());
    connect(form.cmbLimit, &QComboBox::currentTextChanged, &m_list, &IntakeList::setLimitText);
    connect(form.cmbLimit, &QComboBox::activated, &m_list, &IntakeList::calc);
    connect(&m_list, &IntakeList::totalChanged, this, &IntakeController::showTotal);
}

void IntakeController::mnuAddListClick() {
    guarded(&m_form, [this] {
        const std::optional<FoodPick> food = m_foodSource ? m_foodSource() : std::nullopt;
        if (food)
            m_list.add(food->name, food->calory, m_form.pnlTitle->text(), policy());
    });
}

DuplicatesPolicy IntakeController::policy() const {
    // Read at the moment of adding; allow wins over forbid.
    if (m_form.mnuArrowDup->isChecked())
        return DuplicatesPolicy::Allow;
    if (m_form.mnuBanDup->isChecked())
        return DuplicatesPolicy::Forbid;
    return DuplicatesPolicy::Ask;
}

void IntakeController::showTotal(const TotalBar &total) {
    m_form.lblTotalCal->setText(total.text);
    QProgressBar *gauge = m_form.ggCal;
    // A range of 0 .. 0 would turn the bar into a busy indicator.
    gauge->setRange(0, std::max(total.maximum, 1));
    gauge->setValue(total.position);
    gauge->setFormat(total.percent);
    QPalette palette = gauge->palette();
    palette.setColor(QPalette::Highlight, barColour(total.colour));
    gauge->setPalette(palette);
}

void IntakeController::lsvCalResize() {
    const std::array<int, 3> widths = foodListColumnWidths(m_lsvCal->width());
    for (int c = 0; c < 3; ++c)
        m_lsvCal->header()->resizeSection(c, widths[c]);
}

bool IntakeController::eventFilter(QObject *watched, QEvent *event) {
    // Compare with pointers kept from the start: events still arrive while the
    // window is being taken down.
    if (watched == m_lsvCal && event->type() == QEvent::Resize)
        lsvCalResize();
    // A double-click anywhere in the list, on a row or not (lsvCalDblClick).
    if (watched == m_viewport && event->type() == QEvent::MouseButtonDblClick)
        m_list.deleteOnDoubleClick();
    return QObject::eventFilter(watched, event);
}

} // namespace zk
