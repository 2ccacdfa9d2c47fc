#include "web/ui/twww.h"

#include "common/listtable.h"
#include "common/ui/dialogbuttons.h"
#include "common/ui/guard.h"
#include "common/ui/helptopics.h"
#include "web/ui/tregwww.h"
#include "web/websitelist.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace zk {

namespace {

QPushButton *textButton(const QString &name, const QString &caption, QWidget *parent) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QToolButton *arrowButton(const QString &name, Qt::ArrowType arrow, const QString &accessible,
                         QWidget *parent) {
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAccessibleName(accessible);
    button->setToolTip(accessible);
    return button;
}

} // namespace

TWWW::TWWW(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_sites(new ListTableModel(WebSites::headers(), this)) {
    setObjectName(QStringLiteral("WWW"));
    setWindowTitle(QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの登録"));

    auto *intro = new QLabel(QStringLiteral("ｲﾝﾀｰﾈｯﾄへのｻｲﾄを登録できます..."), this);

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    lsWWW = new QTableView(frame);
    lsWWW->setObjectName(QStringLiteral("lsWWW"));
    lsWWW->setAccessibleName(QStringLiteral("ｻｲﾄの一覧"));
    lsWWW->setModel(m_sites);
    lsWWW->setFrameShape(QFrame::NoFrame);
    lsWWW->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lsWWW->setSelectionBehavior(QAbstractItemView::SelectRows);
    lsWWW->setSelectionMode(QAbstractItemView::SingleSelection);
    lsWWW->setShowGrid(false);
    lsWWW->setWordWrap(false);
    lsWWW->verticalHeader()->hide();
    lsWWW->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lsWWW->horizontalHeader()->setHighlightSections(false);
    lsWWW->setColumnWidth(WebSites::Name, 150);
    lsWWW->setColumnWidth(WebSites::Address, 200);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    frameLayout->addWidget(lsWWW);

    spdUp = arrowButton(QStringLiteral("spdUp"), Qt::UpArrow, QStringLiteral("上へ"), this);
    spdDown = arrowButton(QStringLiteral("spdDown"), Qt::DownArrow, QStringLiteral("下へ"), this);
    spdAdd = textButton(QStringLiteral("spdAdd"), QStringLiteral("追加(&A)"), this);
    spdChange = textButton(QStringLiteral("spdChange"), QStringLiteral("変更(&C)"), this);
    spdDelete = textButton(QStringLiteral("spdDelete"), QStringLiteral("削除(&D)"), this);
    const DialogButtons buttons = okCancelHelpButtons(
        this, [this] { btnOKClick(); }, [] { HelpTopics::showTopic(9); },
        {.orientation = Qt::Horizontal, .named = true, .autoDefault = {}});
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto *arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(spdUp);
    arrows->addWidget(spdDown);
    arrows->addStretch();
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(frame, 1);
    listRow->addLayout(arrows);

    auto *editRow = new QHBoxLayout;
    editRow->addWidget(spdAdd);
    editRow->addWidget(spdChange);
    editRow->addWidget(spdDelete);
    editRow->addStretch();

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(listRow, 1);
    layout->addLayout(editRow);
    layout->addWidget(line);
    layout->addLayout(buttons.layout);
    resize(430, 330);

    connect(spdAdd, &QPushButton::clicked, this, &TWWW::spdAddClick);
    connect(spdChange, &QPushButton::clicked, this, &TWWW::spdChangeClick);
    connect(spdDelete, &QPushButton::clicked, this, &TWWW::spdDeleteClick);
    connect(spdUp, &QToolButton::clicked, this, [this] { move(-1); });
    connect(spdDown, &QToolButton::clicked, this, [this] { move(+1); });
    // Double-clicks on the empty part of the list count too (they add a site).
    lsWWW->viewport()->installEventFilter(this);
    connect(lsWWW->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TWWW::updateButtons);
    connect(m_sites, &QAbstractItemModel::modelReset, this, &TWWW::updateButtons);
    connect(m_sites, &QAbstractItemModel::rowsRemoved, this, &TWWW::updateButtons);

    m_loaded = guarded(this, [&] { ListViewLoad(*m_sites, WebSites::listPath()); });
    updateButtons();
}

bool TWWW::eventFilter(QObject *watched, QEvent *event) {
    if (watched == lsWWW->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        lsWWWDblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

int TWWW::selectedRow() const {
    const QModelIndexList rows = lsWWW->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TWWW::updateButtons() {
    const bool selected = selectedRow() >= 0;
    spdChange->setEnabled(selected);
    spdDelete->setEnabled(selected);
    spdUp->setEnabled(selected);
    spdDown->setEnabled(selected);
}

void TWWW::spdAddClick() {
    TRegWWW dialog(*m_sites, -1, this);
    dialog.exec();
}

void TWWW::spdChangeClick() {
    const int row = selectedRow();
    if (row < 0)
        return;
    TRegWWW dialog(*m_sites, row, this);
    dialog.exec();
}

void TWWW::lsWWWDblClick() {
    if (selectedRow() >= 0)
        spdChangeClick();
    else
        spdAddClick();
}

void TWWW::spdDeleteClick() {
    const int row = selectedRow();
    if (row >= 0)
        m_sites->removeRowAt(row);
}

void TWWW::move(int offset) {
    const int row = selectedRow();
    if (row < 0)
        return;
    ListViewExchange(*m_sites, lsWWW->selectionModel(), row, row + offset);
    lsWWW->scrollTo(m_sites->index(selectedRow(), 0));
}

void TWWW::btnOKClick() {
    // A list that could not be written stays open with the user's edits, so
    // that nothing is lost; the menus keep what they show.
    if (!guarded(this, [&] { ListViewSave(*m_sites, WebSites::listPath()); }))
        return;
    Q_EMIT saved();
    accept();
}

} // namespace zk
