#include "caldata/ui/tfinder.h"

#include "caldata/ui/sortindicator.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/storedfiles.h"
#include "common/ui/guard.h"
#include "common/ui/placement.h"
#include "common/ui/viewitemdelegate.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zk {
namespace {

constexpr int panelWidth = 209;
constexpr int resultWidth = 339;

QLabel *newLabel(const char *name, const QString &caption, QWidget *parent,
                 QWidget *buddy = nullptr) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QSpinBox *newCalorySpin(const char *name, int value, QWidget *parent) {
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    // Thousands separators "," whatever the user's locale groups with.
    spin->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    spin->setGroupSeparatorShown(true);
    spin->setRange(0, 32767);
    spin->setSingleStep(50);
    spin->setValue(value);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

} // namespace

TFinder::TFinder(CalCatalogue &catalogue, SortKey &sortKey, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_catalogue(catalogue)
    , m_search(sortKey) {
    setObjectName(QStringLiteral("Finder"));
    setWindowTitle(QStringLiteral("ﾃﾞｰﾀ検索"));

    auto *Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(panelWidth);
    txtString = new QLineEdit(Panel1);
    txtString->setObjectName(QStringLiteral("txtString"));
    chkFold = new QCheckBox(QStringLiteral("かな・全角/半角を区別しない"), Panel1);
    chkFold->setObjectName(QStringLiteral("chkFold"));
    chkFold->setChecked(true);
    chkCalory = new QCheckBox(QStringLiteral("次のｶﾛﾘｰ条件のものを検索"), Panel1);
    chkCalory->setObjectName(QStringLiteral("chkCalory"));
    txtMinCal = newCalorySpin("txtMinCal", 0, Panel1);
    txtMaxCal = newCalorySpin("txtMaxCal", 1000, Panel1);
    // Enter in a condition searches, as the search button does. A spin box
    // and its edit both see the key, depending on which holds the focus.
    txtString->installEventFilter(this);
    for (QSpinBox *spin : {txtMinCal, txtMaxCal}) {
        spin->installEventFilter(this);
        spin->findChild<QLineEdit *>()->installEventFilter(this);
    }
    lstFiles = new QListWidget(Panel1);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setAccessibleName(QStringLiteral("検索する対象ファイル"));
    lstFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    spdFind = new QToolButton(Panel1);
    spdFind->setObjectName(QStringLiteral("spdFind"));
    spdFind->setText(QStringLiteral("検索(&F)"));
    spdFind->setIcon(QIcon(QStringLiteral(":/icons/find.svg")));
    spdFind->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    spdFind->setAutoRaise(true);
    spdFind->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(spdFind, &QToolButton::clicked, this, &TFinder::spdFindClick);

    auto *minRow = new QHBoxLayout;
    minRow->addWidget(txtMinCal, 1);
    minRow->addWidget(newLabel("Label5", QStringLiteral("kcal以上(&O)"), Panel1, txtMinCal));
    auto *maxRow = new QHBoxLayout;
    maxRow->addWidget(txtMaxCal, 1);
    maxRow->addWidget(newLabel("Label6", QStringLiteral("kcal以下(&U)"), Panel1, txtMaxCal));
    auto *left = new QVBoxLayout(Panel1);
    left->setContentsMargins(6, 6, 6, 6);
    left->addWidget(newLabel("Label1", QStringLiteral("検索条件"), Panel1));
    left->addWidget(
        newLabel("Label2", QStringLiteral("以下の文字列を含む(&S)"), Panel1, txtString));
    left->addWidget(txtString);
    left->addWidget(chkFold);
    left->addWidget(chkCalory);
    left->addLayout(minRow);
    left->addLayout(maxRow);
    // Only a heading: Alt+F belongs to the search button, so the label takes
    // no mnemonic of its own and merely underlines its F.
    QLabel *Label7 = newLabel("Label7", QStringLiteral("検索する対象ﾌｧｲﾙ(<u>F</u>)"), Panel1);
    Label7->setTextFormat(Qt::RichText);
    left->addWidget(Label7);
    left->addWidget(lstFiles, 1);
    left->addWidget(spdFind);

    auto *Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    lsvResult = new QTreeView(Panel2);
    lsvResult->setObjectName(QStringLiteral("lsvResult"));
    lsvResult->setAccessibleName(QStringLiteral("検索結果"));
    lsvResult->setModel(m_search.results());
    lsvResult->setItemDelegate(new ViewItemDelegate(lsvResult));
    lsvResult->setRootIsDecorated(false);
    lsvResult->setUniformRowHeights(true);
    lsvResult->setAllColumnsShowFocus(true);
    lsvResult->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lsvResult->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lsvResult->setSelectionBehavior(QAbstractItemView::SelectRows);
    lsvResult->setFrameShape(QFrame::NoFrame);
    lsvResult->setMinimumWidth(resultWidth);
    lsvResult->header()->setSectionsMovable(false);
    lsvResult->header()->setStretchLastSection(false);
    lsvResult->header()->setSectionsClickable(true);
    lsvResult->installEventFilter(this);
    lsvResult->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *mnuResultAdd = new QAction(QStringLiteral("ﾘｽﾄに追加"), lsvResult);
    mnuResultAdd->setObjectName(QStringLiteral("mnuResultAdd"));
    lsvResult->addAction(mnuResultAdd);
    connect(mnuResultAdd, &QAction::triggered, this, &TFinder::addSelectedToIntake);
    connect(lsvResult, &QTreeView::doubleClicked, this, &TFinder::addSelectedToIntake);
    connect(lsvResult->header(), &QHeaderView::sectionClicked, &m_search, &CalSearch::sortByColumn);
    followSortKey(lsvResult->header(), sortKey);
    auto *right = new QVBoxLayout(Panel2);
    right->setContentsMargins(0, 6, 0, 0);
    right->addWidget(newLabel("Label4", QStringLiteral("検索結果"), Panel2));
    right->addWidget(lsvResult, 1);

    stb = new QStatusBar(this);
    stb->setObjectName(QStringLiteral("stb"));
    auto *panels = new QHBoxLayout;
    panels->setContentsMargins(0, 0, 0, 0);
    panels->setSpacing(0);
    panels->addWidget(Panel1);
    panels->addWidget(Panel2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(panels, 1);
    layout->addWidget(stb);

    // Esc closes the window, which only hides it.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    refillTargets();
    // A scan changes what the targets stand for: a running search stops.
    connect(&m_catalogue, &CalCatalogue::changed, this, [this] {
        m_search.stop();
        refillTargets();
    });
    connect(&m_search, &CalSearch::searching, this, [this](const QString &path) {
        stb->showMessage(QStringLiteral("「") + path + QStringLiteral("」を検索しています..."));
    });
    connect(&m_search, &CalSearch::finished, this, &TFinder::searchFinished);

    m_foldIsp.FileName = ProgramFolder::file(storedfiles::finderIni);
    m_foldIsp.bindBoolean(
        "chkFold", "Checked", [this] { return chkFold->isChecked(); },
        [this](bool on) { chkFold->setChecked(on); });
    guarded(this, [this] { m_foldIsp.Load(); });
    connect(chkFold, &QCheckBox::toggled, this, [this] {
        if (!m_foldIsp.loading())
            guarded(this, [this] { m_foldIsp.Save(); });
    });
}

void TFinder::refillTargets() {
    lstFiles->clear();
    lstFiles->addItem(QStringLiteral("(すべて)"));
    for (const CalCatalogue::Entry &entry : m_catalogue.entries())
        lstFiles->addItem(entry.name);
}

void TFinder::showFinder(bool topMost) {
    setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    centreOnFirstShow(this, parentWidget());
    show();
    raise();
    activateWindow();
}

void TFinder::spdFindClick() {
    if (m_search.isRunning())
        return;
    guarded(this, [this] {
        QList<int> selected;
        for (const QListWidgetItem *item : lstFiles->selectedItems())
            selected.append(lstFiles->row(item));
        if (selected.isEmpty())
            lstFiles->setCurrentRow(0, QItemSelectionModel::NoUpdate);
        SearchCondition condition;
        condition.caloryOn = chkCalory->isChecked();
        condition.text = txtString->text();
        condition.maximum = txtMaxCal->value();
        condition.minimum = txtMinCal->value();
        condition.foldKana = chkFold->isChecked();

        // The targets are taken now, so that what a search reads is fixed.
        QList<CalCatalogue::Entry> tables;
        const QList<CalCatalogue::Entry> &entries = m_catalogue.entries();
        for (int i : searchTargets(int(entries.size()), lstFiles->currentRow(), selected))
            tables.append(entries[i]);
        m_search.start(tables, condition);
    });
}

void TFinder::searchFinished() {
    const int found = m_search.results()->rowCount();
    switch (m_search.outcome()) {
    case CalSearch::Outcome::Failed:
        WindowPrompt::of(this).error(m_search.error());
        break;
    case CalSearch::Outcome::Stopped:
        stb->showMessage(QStringLiteral("検索を中止しました。"));
        break;
    case CalSearch::Outcome::Done:
        stb->showMessage(found == 0 ? QStringLiteral("該当するデータはありませんでした。")
                                    : QStringLiteral("%1件見つかりました。").arg(found));
        break;
    }
}

void TFinder::addSelectedToIntake() {
    QList<int> rows;
    for (const QModelIndex &index : lsvResult->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QList<CalorieRow> picked;
    for (int row : std::as_const(rows))
        picked.append(m_search.results()->row(row));
    if (!picked.isEmpty())
        Q_EMIT addToIntake(picked);
}

void TFinder::closeEvent(QCloseEvent *event) {
    m_search.stop();
    QWidget::closeEvent(event);
}

bool TFinder::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress && watched != lsvResult) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A number typed but not yet taken counts, as it does for the button.
            for (QSpinBox *spin : {txtMinCal, txtMaxCal})
                spin->interpretText();
            spdFindClick();
            return true;
        }
    }
    if (watched == lsvResult && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addSelectedToIntake();
            return true;
        }
    }
    if (watched == lsvResult && event->type() == QEvent::Resize) {
        const std::array<int, 3> widths = foodListColumnWidths(lsvResult->width());
        for (int c = 0; c < 3; ++c)
            lsvResult->header()->resizeSection(c, widths[c]);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zk
