#include "records/ui/tgraph.h"

#include "common/csv.h"
#include "common/platform.h"
#include "common/savefile.h"
#include "common/sjis.h"
#include "common/storedfiles.h"
#include "common/ui/datepicker.h"
#include "common/ui/guard.h"
#include "records/graphdata.h"
#include "records/intakediary.h"
#include "records/ui/graphchart.h"
#include "records/ui/imagesizedialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>

namespace zk {
namespace {

// Without a stored state the range is the last month.
QDateEdit *datePicker(const char *name, const QString &accessible, QDate date, QWidget *parent) {
    QDateEdit *picker = newDatePicker(QString::fromLatin1(name), date, parent);
    picker->setAccessibleName(accessible);
    return picker;
}

} // namespace

TGraph::TGraph(QWidget *parent)
    : QWidget(parent, Qt::Window) {
    buildControls();
    isp.FileName = ProgramFolder::file(storedfiles::dayIni);
    isp.bindBoolean(
        "chkDataRange", "Checked", [this] { return chkDataRange->isChecked(); },
        [this](bool on) { chkDataRange->setChecked(on); });
    isp.bindDate(
        "dtpStart", "Date", [this] { return DateToDays(dtpStart->date()); },
        [this](double days) { dtpStart->setDate(DaysToDate(days)); });
    isp.bindDate(
        "dtpEnd", "Date", [this] { return DateToDays(dtpEnd->date()); },
        [this](double days) { dtpEnd->setDate(DaysToDate(days)); });
    // The line options keep a file of their own, so that day.ini keeps its
    // three properties.
    m_lineIsp.FileName = ProgramFolder::file(storedfiles::graphIni);
    for (QCheckBox *box : {chkTarget, chkTrend, chkDateScale})
        m_lineIsp.bindBoolean(
            box->objectName().toLatin1(), "Checked", [box] { return box->isChecked(); },
            [box](bool on) { box->setChecked(on); });
    guarded(this, [&] { m_lineIsp.Load(); });
    FormCreate();
}

void TGraph::buildControls() {
    setObjectName(QStringLiteral("Graph"));
    setWindowTitle(QStringLiteral("ｸﾞﾗﾌ"));
    resize(749, 487);

    auto *pnlSide = new QWidget(this);
    pnlSide->setObjectName(QStringLiteral("pnlSide"));
    pnlSide->setFixedWidth(201);
    auto *Label1 = new QLabel(QStringLiteral("以下の項目をｸﾞﾗﾌ化する"), pnlSide);
    Label1->setObjectName(QStringLiteral("Label1"));
    lstItems = new QListWidget(pnlSide);
    lstItems->setObjectName(QStringLiteral("lstItems"));
    lstItems->setAccessibleName(QStringLiteral("以下の項目をｸﾞﾗﾌ化する"));
    lstItems->setFrameShape(QFrame::NoFrame);
    chkDataRange = new QCheckBox(QStringLiteral("ｸﾞﾗﾌ化する日付を限定(&D)"), pnlSide);
    chkDataRange->setObjectName(QStringLiteral("chkDataRange"));
    chkDataRange->setChecked(true);
    const QDate today = Regional::current().today();
    dtpStart = datePicker("dtpStart", QStringLiteral("グラフ化する最初の日付"), today.addMonths(-1),
                          pnlSide);
    lblStart = new QLabel(QStringLiteral("から"), pnlSide);
    lblStart->setObjectName(QStringLiteral("lblStart"));
    dtpEnd = datePicker("dtpEnd", QStringLiteral("グラフ化する最後の日付"), today, pnlSide);
    lblEnd = new QLabel(QStringLiteral("まで"), pnlSide);
    lblEnd->setObjectName(QStringLiteral("lblEnd"));
    const auto lineBox = [pnlSide](const char *name, const QString &caption, bool on) {
        auto *box = new QCheckBox(caption, pnlSide);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(on);
        return box;
    };
    chkTarget = lineBox("chkTarget", QStringLiteral("目標値を表示"), true);
    chkTrend = lineBox("chkTrend", QStringLiteral("移動平均"), false);
    chkDateScale = lineBox("chkDateScale", QStringLiteral("日付の間隔で表示"), false);
    const auto button = [pnlSide](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, pnlSide);
        b->setObjectName(QString::fromLatin1(name));
        b->setFlat(true);
        return b;
    };
    btnPrint = button("btnPrint", QStringLiteral("印刷(&P)"));
    btnCsv = button("btnCsv", QStringLiteral("CSVで保存..."));
    btnImage = button("btnImage", QStringLiteral("画像で保存..."));

    auto *range = new QGridLayout;
    range->addWidget(dtpStart, 0, 0);
    range->addWidget(lblStart, 0, 1);
    range->addWidget(dtpEnd, 1, 0);
    range->addWidget(lblEnd, 1, 1);
    auto *side = new QVBoxLayout(pnlSide);
    side->setContentsMargins(4, 4, 4, 4);
    side->addWidget(Label1);
    side->addWidget(lstItems, 1);
    side->addWidget(chkDataRange);
    side->addLayout(range);
    side->addWidget(chkTarget);
    side->addWidget(chkTrend);
    side->addWidget(chkDateScale);
    side->addWidget(btnPrint);
    side->addWidget(btnCsv);
    side->addWidget(btnImage);

    auto *pnlMain = new QWidget(this);
    pnlMain->setObjectName(QStringLiteral("pnlMain"));
    cht = new GraphChart(pnlMain);
    auto *main = new QVBoxLayout(pnlMain);
    main->setContentsMargins(0, 0, 0, 0);
    main->addWidget(cht);

    stb = new QStatusBar(this);
    stb->setObjectName(QStringLiteral("stb"));
    stb->setSizeGripEnabled(true);
    stbText = new QLabel(stb);
    stbText->setObjectName(QStringLiteral("stbText"));
    stb->addWidget(stbText, 1);

    auto *panels = new QHBoxLayout;
    panels->setContentsMargins(0, 0, 0, 0);
    panels->setSpacing(0);
    panels->addWidget(pnlSide);
    panels->addWidget(pnlMain, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(panels, 1);
    layout->addWidget(stb);

    connect(lstItems, &QListWidget::itemSelectionChanged, this, &TGraph::lstItemsClick);
    // Esc closes the window, which only hides it.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
    // Clicking the chosen item again reads its file again, with what the
    // diary wrote meanwhile.
    lstItems->viewport()->installEventFilter(this);
    connect(lstItems, &QListWidget::itemClicked, this, [this] {
        if (m_pressedChosen)
            lstItemsClick();
    });
    connect(chkDataRange, &QCheckBox::toggled, this, &TGraph::chkDataRangeClick);
    connect(dtpStart, &QDateEdit::dateChanged, this, &TGraph::lstItemsClick);
    connect(dtpEnd, &QDateEdit::dateChanged, this, &TGraph::lstItemsClick);
    connect(btnPrint, &QPushButton::clicked, this, &TGraph::btnPrintClick);
    connect(btnCsv, &QPushButton::clicked, this, &TGraph::btnCsvClick);
    connect(btnImage, &QPushButton::clicked, this, &TGraph::btnImageClick);
    for (QCheckBox *box : {chkTarget, chkTrend, chkDateScale})
        connect(box, &QCheckBox::toggled, this, &TGraph::lstItemsClick);
}

void TGraph::FormCreate() {
    // Without an item list the window just stays empty; its range is read
    // all the same, so that what it saves at closing is what the user left.
    fillItems();
    guarded(this, [&] { isp.Load(); });
}

bool TGraph::fillItems() {
    std::optional<QList<RecordItem>> items;
    if (!guarded(this, [&] { items = LoadRecordItems(); }))
        return false;
    // The food diary's daily totals come first, under a name no item has,
    // with or without a list of items.
    const bool intakeEntry = AnyIntakeDay();
    if (!items && !intakeEntry)
        return false;
    m_items = items.value_or(QList<RecordItem>{});
    m_intakeMeasures.clear();
    if (intakeEntry)
        m_intakeMeasures.append(IntakeMeasure());
    if (intakeEntry && AnyIntakeNutrients())
        for (int n = 0; n < IntakeNutrientCount; ++n)
            m_intakeMeasures.append(IntakeNutrient(n));
    QList<RecordItem> entries;
    for (const IntakeMeasure &measure : m_intakeMeasures)
        entries.append(IntakeTotalItem(m_items, measure));
    m_items = entries + m_items;
    const QSignalBlocker blocker(lstItems);
    lstItems->clear();
    for (const RecordItem &item : m_items)
        lstItems->addItem(sjis::decode(FormatItemEntry(item)));
    return true;
}

void TGraph::reloadItems() {
    const std::optional<IntakeMeasure> intakeDrawn = intakeMeasure(m_drawnRow);
    const std::optional<QByteArray> drawn =
        drawnItem() ? std::optional(drawnItem()->name) : std::nullopt;
    if (!fillItems())
        return;
    // The item drawn stays chosen where it still exists; the graph stays as
    // it is until the next click.
    m_drawnRow = -1;
    for (qsizetype i = 0; drawn && i < m_items.size(); ++i) {
        const std::optional<IntakeMeasure> intake = intakeMeasure(i);
        if (intake == intakeDrawn && (intake || m_items.at(i).name == *drawn)) {
            m_drawnRow = int(i);
            const QSignalBlocker blocker(lstItems);
            lstItems->setCurrentRow(m_drawnRow);
            break;
        }
    }
}

void TGraph::redraw() {
    if (m_drawnRow >= 0 && lstItems->currentRow() == m_drawnRow)
        lstItemsClick();
}

void TGraph::chkDataRangeClick() {
    const bool on = chkDataRange->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(dtpStart), static_cast<QWidget *>(lblStart),
                       static_cast<QWidget *>(dtpEnd), static_cast<QWidget *>(lblEnd)})
        w->setEnabled(on);
}

const RecordItem *TGraph::drawnItem() const {
    return m_drawnRow >= 0 && m_drawnRow < m_items.size() ? &m_items.at(m_drawnRow) : nullptr;
}

void TGraph::lstItemsClick() {
    const QList<QListWidgetItem *> selected = lstItems->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = lstItems->row(selected.first());
    // The item's own name and unit: its entry text is ambiguous for a name
    // ending in "]".
    const RecordItem &item = m_items.at(row);
    const std::optional<IntakeMeasure> intake = intakeMeasure(row);
    const OptionalRange range = chkDataRange->isChecked()
                                    ? OptionalRange(DateRange::of(dtpStart->date(), dtpEnd->date()))
                                    : std::nullopt;
    // Collected first: a value that is not a number leaves the graph and the
    // status line as they were, and the item drawn chosen in the list.
    const bool drawn = guarded(this, [&] {
        QList<GraphPoint> points;
        QList<QDate> unreadable;
        if (intake) {
            IntakeTotalPoints totals = CollectIntakeTotalPoints(range, *intake);
            points = std::move(totals.points);
            unreadable = std::move(totals.unreadable);
        } else {
            points = CollectGraphPoints(item.name, range);
        }
        GraphLines lines;
        if (chkTarget->isChecked())
            lines.target = !intake                      ? TargetValue(item.target)
                           : !*intake && m_intakeTarget ? std::optional<double>(m_intakeTarget())
                                                        : std::nullopt;
        lines.trend = chkTrend->isChecked();
        QString status = GraphStatusText(points.size());
        if (!unreadable.isEmpty())
            status += u' ' + UnreadableDaysText(unreadable);
        if (chkDateScale->isChecked()) {
            lines.dates = PointDates(points);
            if (!lines.dates)
                status += QStringLiteral(" 日付として読めない日付があるため、等間隔で表示します。");
        }
        stbText->setText(status);
        const QString name = sjis::decode(item.name);
        cht->setGraph(points, GraphTitle(name, range), DateAxisTitle(),
                      ValueAxisTitle(name, sjis::decode(item.unit)), lines);
    });
    if (drawn) {
        m_drawnRow = row;
        return;
    }
    // The focus stays where the user went, so that the keys go on from there.
    const QSignalBlocker blocker(lstItems);
    QItemSelectionModel *selection = lstItems->selectionModel();
    if (m_drawnRow >= 0)
        selection->select(lstItems->model()->index(m_drawnRow, 0),
                          QItemSelectionModel::ClearAndSelect);
    else
        selection->clearSelection();
}

void TGraph::btnPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    // A graph is wider than high; the dialog still lets the user turn the page.
    printer.setPageOrientation(QPageLayout::Landscape);
    if (WindowPrompt::of(this).printer(printer))
        cht->printOn(printer);
}

void TGraph::btnCsvClick() {
    const RecordItem *item = drawnItem();
    if (!item || cht->points().isEmpty()) {
        WindowPrompt::of(this).message(QStringLiteral("保存するデータがありません。"));
        return;
    }
    const QString entry = sjis::decode(FormatItemEntry(*item));
    const std::optional<QString> path = WindowPrompt::of(this).saveFileName(
        QStringLiteral("CSVで保存"), sjis::decode(item->name) + QStringLiteral(".csv"),
        {QStringLiteral("CSV (*.csv)")});
    if (path)
        guarded(this, [&] {
            SaveStringToFile(*path, CsvFileBytes(GraphCsvRows(cht->points(), entry, cht->trend())));
        });
}

void TGraph::btnImageClick() {
    const RecordItem *item = drawnItem();
    const QString name = item ? sjis::decode(item->name) : QStringLiteral("graph");
    enum Format { Png, Svg };
    const std::optional<WindowPrompt::SaveTarget> target = WindowPrompt::of(this).saveFile(
        QStringLiteral("画像で保存"), name + QStringLiteral(".png"),
        {QStringLiteral("PNG (*.png)"), QStringLiteral("SVG (*.svg)")});
    if (!target)
        return;
    // The size shown unless the user changes it.
    ImageSizeDialog sizeDialog(cht->size(), this);
    if (WindowPrompt::of(this).exec(sizeDialog) != QDialog::Accepted)
        return;
    const QSize size = sizeDialog.chosenSize();
    guarded(this, [&] {
        SaveStringToFile(target->path,
                         target->filter == Svg ? cht->svgBytes(size) : cht->pngBytes(size));
    });
}

bool TGraph::eventFilter(QObject *watched, QEvent *event) {
    if (watched == lstItems->viewport() && event->type() == QEvent::MouseButtonPress) {
        QListWidgetItem *item =
            lstItems->itemAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        m_pressedChosen = item && item->isSelected();
    }
    return QWidget::eventFilter(watched, event);
}

void TGraph::closeEvent(QCloseEvent *event) {
    // One message when the disk refuses both.
    guarded(this, [&] {
        isp.Save();
        m_lineIsp.Save();
    });
    event->accept();
}

} // namespace zk
