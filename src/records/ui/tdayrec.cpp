#include "records/ui/tdayrec.h"

#include "common/csv.h"
#include "common/platform.h"
#include "common/savefile.h"
#include "common/sjis.h"
#include "common/storedfiles.h"
#include "common/ui/datepicker.h"
#include "common/ui/dialogbuttons.h"
#include "common/ui/guard.h"
#include "common/ui/windowprompt.h"
#include "records/csvexport.h"
#include "records/dayrecentry.h"
#include "records/ui/tfrmdayrec.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zk {
namespace {

QPushButton *button(const QString &caption, const char *name, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel *label(const QString &caption, const char *name, QWidget *parent) {
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

TDayRec::TDayRec(QWidget *parent)
    : QDialog(parent) {
    buildControls();
    isp.FileName = ProgramFolder::file(storedfiles::dayrecIni);
    isp.bindBoolean(
        "chkDataRange", "Checked", [this] { return chkDataRange->isChecked(); },
        [this](bool on) { chkDataRange->setChecked(on); });
    isp.bindDate(
        "dtp1", "Date", [this] { return DateToDays(dtp1->date()); },
        [this](double days) { dtp1->setDate(DaysToDate(days)); });
    isp.bindDate(
        "dtp2", "Date", [this] { return DateToDays(dtp2->date()); },
        [this](double days) { dtp2->setDate(DaysToDate(days)); });
    FormCreate();
}

void TDayRec::buildControls() {
    setObjectName(QStringLiteral("DayRec"));
    setWindowTitle(QStringLiteral("日々の記録"));
    setFixedSize(498, 360);

    auto *Label1 = label(QStringLiteral("記録する項目"), "Label1", this);
    spdOnePoint = new QToolButton(this);
    spdOnePoint->setObjectName(QStringLiteral("spdOnePoint"));
    spdOnePoint->setAutoRaise(true);
    spdOnePoint->setIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation));
    spdOnePoint->setAccessibleName(QStringLiteral("ワンポイント"));
    spdOnePoint->setToolTip(QStringLiteral("ワンポイント"));
    lstItems = new QListWidget(this);
    lstItems->setObjectName(QStringLiteral("lstItems"));
    lstItems->setFrameShape(QFrame::NoFrame);
    lstItems->setAccessibleName(QStringLiteral("記録する項目"));

    auto *Label4 = label(QStringLiteral("日々の記録"), "Label4", this);
    data = new ListTableModel({QStringLiteral("日付"), QString()}, this);
    data->setObjectName(QStringLiteral("data"));
    lsvData = new QTreeView(this);
    lsvData->setObjectName(QStringLiteral("lsvData"));
    lsvData->setAccessibleName(QStringLiteral("日々の記録"));
    lsvData->setModel(data);
    lsvData->setRootIsDecorated(false);
    lsvData->setUniformRowHeights(true);
    lsvData->setItemsExpandable(false);
    lsvData->setSelectionBehavior(QAbstractItemView::SelectRows);
    lsvData->setSelectionMode(QAbstractItemView::SingleSelection);
    lsvData->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lsvData->header()->setSectionsClickable(false);
    lsvData->header()->setStretchLastSection(false);
    lsvData->setColumnWidth(0, 120);
    lsvData->setColumnWidth(1, 100);
    lsvData->viewport()->installEventFilter(this);

    chkDataRange = new QCheckBox(QStringLiteral("日付の範囲を指定する(&R)"), this);
    chkDataRange->setObjectName(QStringLiteral("chkDataRange"));
    // Without a stored state the range is the last month.
    const QDate today = Regional::current().today();
    dtp1 = newDatePicker(QStringLiteral("dtp1"), today.addMonths(-1), this);
    dtp1->setAccessibleName(QStringLiteral("表示する最初の日付"));
    auto *Label2 = label(QStringLiteral("から、"), "Label2", this);
    dtp2 = newDatePicker(QStringLiteral("dtp2"), today, this);
    dtp2->setAccessibleName(QStringLiteral("表示する最後の日付"));
    auto *Label3 = label(QStringLiteral("までを表示する。"), "Label3", this);

    spdAdd = button(QStringLiteral("追加(&A)"), "spdAdd", this);
    spdChange = button(QStringLiteral("変更(&M)"), "spdChange", this);
    spdDelete = button(QStringLiteral("削除(&D)"), "spdDelete", this);
    for (QPushButton *b : {spdAdd, spdChange, spdDelete})
        b->setEnabled(false);
    btnCsv = button(QStringLiteral("CSVで保存(&S)..."), "btnCsv", this);
    const DialogButtons buttons = okCancelHelpButtons(
        this, [this] { btnOKClick(); }, [this] { Q_EMIT helpRequested(HelpTopic); },
        {.orientation = Qt::Horizontal, .named = true, .autoDefault = {}});
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    btnHelp = buttons.help;

    auto *itemsHead = new QHBoxLayout;
    itemsHead->addWidget(Label1);
    itemsHead->addWidget(spdOnePoint);
    itemsHead->addStretch();
    auto *itemsColumn = new QVBoxLayout;
    itemsColumn->addLayout(itemsHead);
    itemsColumn->addWidget(lstItems);

    auto *range = new QGridLayout;
    range->addWidget(chkDataRange, 0, 0, 1, 4);
    range->addWidget(dtp1, 1, 0);
    range->addWidget(Label2, 1, 1);
    range->addWidget(dtp2, 1, 2);
    range->addWidget(Label3, 1, 3);
    auto *edit = new QHBoxLayout;
    edit->addWidget(spdAdd);
    edit->addWidget(spdChange);
    edit->addWidget(spdDelete);
    edit->addStretch();
    edit->addWidget(btnCsv);
    auto *dataColumn = new QVBoxLayout;
    dataColumn->addWidget(Label4);
    dataColumn->addWidget(lsvData, 1);
    dataColumn->addLayout(range);
    dataColumn->addLayout(edit);

    auto *columns = new QHBoxLayout;
    columns->addLayout(itemsColumn, 2);
    columns->addLayout(dataColumn, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons.layout);

    connect(spdOnePoint, &QToolButton::clicked, this, [this] {
        WindowPrompt::of(this).message(QStringLiteral(
            "色々なデータを収納して後でグラフ化して見る事ができます。「記録する項目」"
            "を追加するには、「詳細設定」の「グラフ」タブで作成してください。"));
    });
    connect(lstItems, &QListWidget::itemSelectionChanged, this, &TDayRec::lstItemsClick);
    // Clicking the chosen item again reads its file again.
    lstItems->viewport()->installEventFilter(this);
    connect(lstItems, &QListWidget::itemClicked, this, [this] {
        if (m_pressedChosen)
            lstItemsClick();
    });
    connect(lsvData->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TDayRec::lsvDataChange);
    connect(data, &QAbstractItemModel::modelReset, this, &TDayRec::lsvDataChange);
    connect(chkDataRange, &QCheckBox::toggled, this, &TDayRec::SetData);
    for (QDateEdit *picker : {dtp1, dtp2}) {
        connect(picker, &QDateEdit::dateChanged, this, [this] {
            if (chkDataRange->isChecked())
                SetData();
        });
    }
    connect(spdAdd, &QPushButton::clicked, this, &TDayRec::spdAddClick);
    connect(spdChange, &QPushButton::clicked, this, &TDayRec::spdChangeClick);
    connect(spdDelete, &QPushButton::clicked, this, &TDayRec::spdDeleteClick);
    connect(btnCsv, &QPushButton::clicked, this, &TDayRec::btnCsvClick);
}

void TDayRec::FormCreate() {
    std::optional<QList<RecordItem>> items;
    if (guarded(this, [&] { items = LoadRecordItems(); }) && !items)
        WindowPrompt::of(this).message(
            QStringLiteral("登録されていません。メニューの「編集」の「詳細設定」の「グラフ」"
                           "タブで項目を作成しておいてください。"));
    m_items = items.value_or(QList<RecordItem>{});
    for (const RecordItem &item : m_items)
        lstItems->addItem(sjis::decode(FormatItemEntry(item)));
    // The range is read with or without items, so that OK saves what the
    // user left rather than the design's dates.
    guarded(this, [&] { isp.Load(); });
}

void TDayRec::lstItemsClick() {
    m_itemName.clear();
    const QList<QListWidgetItem *> selected = lstItems->selectedItems();
    if (selected.isEmpty()) {
        data->setHeaderData(1, Qt::Horizontal, QString());
        for (QPushButton *b : {spdAdd, spdChange, spdDelete})
            b->setEnabled(false);
        return;
    }
    // Each listed item keeps its own name: the entry text alone is ambiguous
    // for a name ending in "]".
    const RecordItem &item = m_items.at(lstItems->row(selected.first()));
    spdAdd->setEnabled(true);
    data->setHeaderData(1, Qt::Horizontal, selected.first()->text());
    m_itemName = item.name;
    SetData();
}

void TDayRec::SetData() {
    if (m_itemName.isEmpty())
        return;
    data->setRows({});
    guarded(this, [&] {
        EnsureRecordFile(m_itemName);
        const OptionalRange range = chkDataRange->isChecked()
                                        ? OptionalRange(DateRange::of(dtp1->date(), dtp2->date()))
                                        : std::nullopt;
        data->setRows(DayRecRows(LoadRecordLines(m_itemName), range));
    });
}

int TDayRec::selectedRow() const {
    const QModelIndexList rows = lsvData->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TDayRec::lsvDataChange() {
    const bool selected = selectedRow() >= 0;
    spdChange->setEnabled(selected);
    spdDelete->setEnabled(selected);
}

bool TDayRec::eventFilter(QObject *watched, QEvent *event) {
    if (watched == lstItems->viewport() && event->type() == QEvent::MouseButtonPress) {
        QListWidgetItem *item =
            lstItems->itemAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        m_pressedChosen = item && item->isSelected();
    }
    if (watched == lsvData->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QModelIndex index =
            lsvData->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        if (index.isValid())
            lsvData->setCurrentIndex(index);
        if (selectedRow() >= 0)
            spdChangeClick();
        else
            spdAddClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TDayRec::openEntry(TfrmDayRec &dialog) {
    connect(&dialog, &TfrmDayRec::recordWritten, this, &TDayRec::SetData);
    WindowPrompt::of(this).exec(dialog);
}

void TDayRec::spdAddClick() {
    if (m_itemName.isEmpty())
        return;
    TfrmDayRec dialog(m_itemName, data->headerData(1, Qt::Horizontal).toString(), this);
    openEntry(dialog);
}

void TDayRec::spdChangeClick() {
    const int row = selectedRow();
    if (row < 0 || m_itemName.isEmpty())
        return;
    TfrmDayRec dialog(m_itemName, data->headerData(1, Qt::Horizontal).toString(), this);
    if (guarded(this, [&] { dialog.setChange(data->cell(row, 0), data->cell(row, 1)); }))
        openEntry(dialog);
}

void TDayRec::spdDeleteClick() {
    const int row = selectedRow();
    if (row < 0 || m_itemName.isEmpty())
        return;
    // The list is read again rather than losing one row: a hand-edited file
    // may hold the date twice.
    bool deleted = false;
    guarded(this, [&] {
        deleted = DeleteDayRecValue(WindowPrompt::of(this), m_itemName, data->cell(row, 0));
    });
    if (deleted)
        SetData();
}

// Every value of the item, whatever range the list shows.
void TDayRec::btnCsvClick() {
    const QList<QListWidgetItem *> selected = lstItems->selectedItems();
    if (m_itemName.isEmpty() || selected.isEmpty()) {
        WindowPrompt::of(this).message(QStringLiteral("保存する項目を選んでください。"));
        return;
    }
    const RecordItem &item = m_items.at(lstItems->row(selected.first()));
    guarded(this, [&] {
        EnsureRecordFile(item.name);
        const QList<QStringList> rows = RecordCsvRows(item, LoadRecordLines(item.name));
        const std::optional<QString> path = WindowPrompt::of(this).saveFileName(
            QStringLiteral("CSVで保存"), sjis::decode(item.name) + QStringLiteral(".csv"),
            {QStringLiteral("CSV (*.csv)")});
        if (path)
            SaveStringToFile(*path, CsvFileBytes(rows));
    });
}

void TDayRec::btnOKClick() {
    if (guarded(this, [&] { isp.Save(); }))
        accept();
}

} // namespace zk
