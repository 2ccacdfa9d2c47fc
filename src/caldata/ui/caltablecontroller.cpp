#include "caldata/ui/caltablecontroller.h"

#include "caldata/ui/tfiles.h"
#include "common/ui/plaintext.h"

#include <QAction>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTreeView>

namespace zk {

CalTableController::CalTableController(const Controls &controls, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_prompt(controls.trvCal)
    , m_viewer(m_prompt) {
    QTreeView *tree = m_c.trvCal;
    tree->setModel(m_viewer.shown());
    tree->setUniformRowHeights(true); // keeps tables of many thousand lines quick
    // The kilocalories sit in a narrow right-hand column; the names get the
    // rest (fitting the column looks at a bounded number of rows only).
    QHeaderView *header = tree->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(FoodTreeModel::Text, QHeaderView::Stretch);
    header->setSectionResizeMode(FoodTreeModel::Calory, QHeaderView::ResizeToContents);
    connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CalTableController::showNutrients);

    connect(m_c.files, &TFiles::selectionChanged, this,
            [this] { showEntry(m_c.files->selectedNode()); });
    connect(&m_viewer, &CalTableViewer::titleChanged, this,
            [this](const QString &caption, const QString &path) {
                m_c.pnlTitle->setText(caption);
                setPlainToolTip(m_c.pnlTitle, path);
            });
    connect(&m_viewer, &CalTableViewer::loaded, this, &CalTableController::showLoaded);

    connect(m_c.mnuStandard, &QAction::triggered, this,
            [this] { m_viewer.showStandard(m_c.files->selectedNode()); });
    connect(m_c.mnuDictionary, &QAction::triggered, this, [this] { m_viewer.showDictionary(); });
    connect(&m_viewer, &CalTableViewer::viewChanged, this, [this](bool dictionary) {
        m_c.mnuDictionary->setChecked(dictionary);
        m_c.mnuStandard->setChecked(!dictionary);
        m_c.trvCal->setRootIsDecorated(!dictionary); // a flat list needs no branch space
    });
    m_c.mnuStandard->setChecked(!m_viewer.isDictionary());
    m_c.mnuDictionary->setChecked(m_viewer.isDictionary());

    // The menu check mark follows the window, whether it is hidden by the
    // menu or by its own close box.
    m_c.mnuCalFiles->setChecked(!m_c.files->isHidden());
    connect(m_c.mnuCalFiles, &QAction::triggered, m_c.files, &QWidget::setVisible);
    connect(m_c.files->toggleViewAction(), &QAction::toggled, m_c.mnuCalFiles,
            &QAction::setChecked);

    // Typing filters at once; Esc shows the whole table again and Down goes
    // on to the matches.
    connect(m_c.txtFilter, &QLineEdit::textChanged, this, &CalTableController::filterChanged);
    const auto boxKey = [this](Qt::Key key, auto slot) {
        auto *shortcut = new QShortcut(QKeySequence(key), m_c.txtFilter);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    boxKey(Qt::Key_Escape, [this] { m_c.txtFilter->clear(); });
    boxKey(Qt::Key_Down, [this] { enterTree(); });

    for (QAction *a : {m_c.mnuCalFiles, m_c.mnuStandard, m_c.mnuDictionary})
        a->setEnabled(true);
}

const FoodNode *CalTableController::selectedFood() const {
    const FoodNode *n =
        m_viewer.model()->node(m_viewer.shown()->mapToSource(m_c.trvCal->currentIndex()));
    return n && n->isFood() ? n : nullptr;
}

void CalTableController::showEntry(const CalFileNode *node) {
    if (node && node->kind == CalFileNode::Kind::Frequent)
        showFrequent(false);
    else
        m_viewer.showNode(node);
}

void CalTableController::showFrequent(bool again) {
    if (!m_frequentSource)
        return;
    // The food the user is on, by its name and its table.
    const QModelIndex current = m_viewer.shown()->mapToSource(m_c.trvCal->currentIndex());
    const FoodNode *was = m_viewer.model()->node(current);
    const FoodServing *wasServing = was ? m_viewer.model()->tree().serving(*was) : nullptr;
    const std::optional<std::pair<QByteArray, QString>> on =
        again && wasServing ? std::optional(std::pair(was->text, wasServing->table)) : std::nullopt;

    FrequentView view = m_frequentSource();
    m_viewer.showFoods(CalFileTree::frequentName(), std::move(view.foods));
    if (!again || view.status != m_frequentStatus)
        m_c.stb->showMessage(view.status, 10000);
    m_frequentStatus = view.status;
    if (!on)
        return;
    const FoodTree &tree = m_viewer.model()->tree();
    for (int i = 0; i < tree.size(); ++i) {
        const FoodServing *serving = tree.serving(tree.node(i));
        if (tree.node(i).text != on->first || !serving || serving->table != on->second)
            continue;
        const QModelIndex shown =
            m_viewer.shown()->mapFromSource(m_viewer.model()->index(tree.node(i).row, 0));
        if (shown.isValid()) {
            // Made again behind the user's back: the status bar keeps its news.
            const QScopedValueRollback quiet(m_quiet, true);
            m_c.trvCal->setCurrentIndex(shown);
            m_c.trvCal->scrollTo(shown);
        }
        return;
    }
}

void CalTableController::diaryChanged() {
    if (m_viewer.showsMadeList())
        showFrequent(true);
}

void CalTableController::showAgain() {
    if (m_viewer.showsMadeList())
        showFrequent(true);
    else if (!m_viewer.path().isEmpty())
        m_viewer.showTable(m_viewer.caption(), m_viewer.path());
}

void CalTableController::showLoaded() {
    // A flat list needs no branch space.
    m_c.trvCal->setRootIsDecorated(!m_viewer.isDictionary() && !m_viewer.showsMadeList());
    m_c.trvCal->expandAll();
    m_c.trvCal->scrollToTop();
    showNutrients(m_c.trvCal->currentIndex()); // a new table leaves no food chosen
}

void CalTableController::filterChanged(const QString &text) {
    // The filter lays the rows out anew: the food the user was on stays
    // current when it is still shown, and every match is expanded.
    QTreeView *tree = m_c.trvCal;
    FoodFilterModel *shown = m_viewer.shown();
    const QPersistentModelIndex current = shown->mapToSource(tree->currentIndex());
    shown->setFilterText(text);
    tree->expandAll();
    if (const QModelIndex again = shown->mapFromSource(current); again.isValid()) {
        tree->setCurrentIndex(again);
        tree->scrollTo(again);
    } else {
        tree->scrollToTop();
    }
    showNutrients(tree->currentIndex());
}

void CalTableController::showNutrients(const QModelIndex &current) {
    if (m_quiet)
        return;
    const QString summary = current.data(FoodTreeModel::NutrientSummaryRole).toString();
    if (!summary.isEmpty()) {
        m_nutrientMessage = summary;
        m_c.stb->showMessage(summary);
    } else if (!m_nutrientMessage.isEmpty() && m_c.stb->currentMessage() == m_nutrientMessage) {
        m_c.stb->clearMessage(); // another message since then stays
    }
}

void CalTableController::enterTree() {
    // The first match, ready for Return to add it.
    QTreeView *tree = m_c.trvCal;
    if (const QModelIndex first = m_viewer.shown()->firstFood(); first.isValid())
        tree->setCurrentIndex(first);
    tree->setFocus(Qt::TabFocusReason);
}

} // namespace zk
