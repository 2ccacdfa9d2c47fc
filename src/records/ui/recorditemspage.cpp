#include "records/ui/recorditemspage.h"

#include "common/ui/listviews.h"
#include "common/ui/windowprompt.h"
#include "records/ui/tfrmgraph.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zk {

RecordItemsPage::RecordItemsPage(QWidget *parent)
    : QWidget(parent) {
    auto *text = new QLabel(QStringLiteral("色々なﾃﾞｰﾀを管理してｸﾞﾗﾌ化して体重などの個人の好きな"
                                           "状況を見る事ができます。"));
    text->setWordWrap(true);
    lsvGraph = makeListView(QStringLiteral("lsvGraph"), QStringLiteral("項目一覧"), &items,
                            {160, 80, 120}, true);
    spdAdd = makeButton(QStringLiteral("spdAdd"), QStringLiteral("追加(&A)"));
    spdChange = makeButton(QStringLiteral("spdChange"), QStringLiteral("変更(&M)"));
    spdDelete = makeButton(QStringLiteral("spdDelete"), QStringLiteral("削除(&K)"));
    // The list is always sorted by name, so rows are never moved by hand;
    // the buttons stay in their places, disabled.
    spdUp = makeButton(QStringLiteral("spdUp"), QStringLiteral("上へ(&U)"));
    spdDown = makeButton(QStringLiteral("spdDown"), QStringLiteral("下へ(&D)"));
    spdUp->setEnabled(false);
    spdDown->setEnabled(false);
    connect(spdAdd, &QPushButton::clicked, this, &RecordItemsPage::spdAddClick);
    connect(spdChange, &QPushButton::clicked, this, &RecordItemsPage::spdChangeClick);
    connect(spdDelete, &QPushButton::clicked, this, &RecordItemsPage::spdDeleteClick);
    connect(lsvGraph, &QTreeView::doubleClicked, this, &RecordItemsPage::spdChangeClick);
    new EmptyAreaDoubleClick(
        lsvGraph, [this] { selectedRow(lsvGraph) >= 0 ? spdChangeClick() : spdAddClick(); });

    auto *side = new QVBoxLayout;
    for (QPushButton *b : {spdAdd, spdChange, spdDelete, spdUp, spdDown})
        side->addWidget(b);
    side->addStretch();
    auto *body = new QHBoxLayout;
    body->addWidget(lsvGraph, 1);
    body->addLayout(side);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(body, 1);

    connect(&items, &RecordItemTable::itemMoved, this,
            [this](int row) { selectRow(lsvGraph, row); });
    connect(&items, &ListTableModel::editRefused, this,
            [this](const QString &message) { WindowPrompt::of(this).message(message); });
    connect(lsvGraph->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RecordItemsPage::updateButtons);
    connect(&items, &QAbstractItemModel::modelReset, this, &RecordItemsPage::updateButtons);
    connect(&items, &QAbstractItemModel::rowsRemoved, this, &RecordItemsPage::updateButtons);
    updateButtons();
}

void RecordItemsPage::load() {
    items.load();
    updateButtons();
}

void RecordItemsPage::save() const {
    items.save();
}

void RecordItemsPage::updateButtons() {
    const bool item = selectedRow(lsvGraph) >= 0;
    spdChange->setEnabled(item);
    spdDelete->setEnabled(item);
}

void RecordItemsPage::spdAddClick() {
    TfrmGraph dialog(items, TfrmGraph::Mode::Add, -1, this);
    if (dialog.exec() == QDialog::Accepted)
        selectRow(lsvGraph, dialog.resultRow());
}

void RecordItemsPage::spdChangeClick() {
    const int r = selectedRow(lsvGraph);
    if (r < 0)
        return;
    TfrmGraph dialog(items, TfrmGraph::Mode::Change, r, this);
    if (dialog.exec() == QDialog::Accepted)
        selectRow(lsvGraph, dialog.resultRow());
}

void RecordItemsPage::spdDeleteClick() {
    const int r = selectedRow(lsvGraph);
    if (r < 0)
        return;
    const QString question =
        QStringLiteral("項目「%1」を一覧から削除しますか？\n記録ファイルはそのまま残ります。")
            .arg(items.cellText(r, 0));
    if (WindowPrompt::of(this).question(question))
        items.removeRowAt(r);
}

} // namespace zk
