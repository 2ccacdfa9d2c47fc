#include "app/ui/treport.h"

#include "common/csv.h"
#include "common/platform.h"
#include "common/savefile.h"
#include "common/sjis.h"
#include "common/ui/guard.h"
#include "common/ui/windowprompt.h"
#include "records/intakediary.h"
#include "records/recorditem.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

namespace zk {
namespace {

QPushButton *newButton(const char *name, const QString &caption, QWidget *parent) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

TReport::TReport(std::function<int()> standard, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_standard(std::move(standard))
    , m_range(ReportRange::of(ReportPeriod::Week, Regional::current().today())) {
    setObjectName(QStringLiteral("Report"));
    setWindowTitle(QStringLiteral("ﾚﾎﾟｰﾄ"));
    cmbPeriod = new QComboBox(this);
    cmbPeriod->setObjectName(QStringLiteral("cmbPeriod"));
    cmbPeriod->setAccessibleName(QStringLiteral("期間"));
    cmbPeriod->addItems({QStringLiteral("週間"), QStringLiteral("月間")});
    btnPrev = newButton("btnPrev", QStringLiteral("◀"), this);
    btnPrev->setAccessibleName(QStringLiteral("前の期間"));
    btnPrev->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    btnNext = newButton("btnNext", QStringLiteral("▶"), this);
    btnNext->setAccessibleName(QStringLiteral("次の期間"));
    btnNext->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    for (QPushButton *arrow : {btnPrev, btnNext})
        arrow->setMaximumWidth(arrow->fontMetrics().horizontalAdvance(QStringLiteral("◀")) + 24);
    btnThis = newButton("btnThis", QStringLiteral("今週"), this);
    lblRange = new QLabel(this);
    lblRange->setObjectName(QStringLiteral("lblRange"));
    cmbItem = new QComboBox(this);
    cmbItem->setObjectName(QStringLiteral("cmbItem"));
    cmbItem->setAccessibleName(QStringLiteral("変化を見る項目"));
    auto *itemLabel = new QLabel(QStringLiteral("変化を見る項目(&I)"), this);
    itemLabel->setBuddy(cmbItem);

    lblSummary = new QLabel(this);
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblSummary->setTextFormat(Qt::PlainText);
    lblSummary->setWordWrap(true);
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblSummary->setFocusPolicy(Qt::TabFocus);
    chtDays = new QChartView(this);
    chtDays->setObjectName(QStringLiteral("chtDays"));
    chtDays->setAccessibleName(QStringLiteral("日ごとの摂取ｶﾛﾘｰ"));
    chtDays->setRenderHint(QPainter::Antialiasing);
    chtDays->setMinimumSize(480, 260);

    btnPrint = newButton("btnPrint", QStringLiteral("印刷(&P)"), this);
    btnCsv = newButton("btnCsv", QStringLiteral("CSVで保存..."), this);
    btnClose = newButton("btnClose", QStringLiteral("閉じる(&C)"), this);

    auto *bar = new QHBoxLayout;
    bar->addWidget(cmbPeriod);
    bar->addWidget(btnPrev);
    bar->addWidget(lblRange);
    bar->addWidget(btnNext);
    bar->addWidget(btnThis);
    bar->addStretch();
    bar->addWidget(itemLabel);
    bar->addWidget(cmbItem);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnCsv);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(lblSummary);
    layout->addWidget(chtDays, 1);
    layout->addLayout(buttons);
    resize(720, 520);

    connect(cmbPeriod, &QComboBox::currentIndexChanged, this, [this](int period) {
        btnThis->setText(period == 0 ? QStringLiteral("今週") : QStringLiteral("今月"));
        m_range = ReportRange::of(ReportPeriod(period), m_range.first);
        refresh();
    });
    connect(cmbItem, &QComboBox::currentTextChanged, this, &TReport::refresh);
    connect(btnPrev, &QPushButton::clicked, this, [this] { step(-1); });
    connect(btnNext, &QPushButton::clicked, this, [this] { step(1); });
    connect(btnThis, &QPushButton::clicked, this, [this] {
        m_range =
            ReportRange::of(ReportPeriod(cmbPeriod->currentIndex()), Regional::current().today());
        refresh();
    });
    connect(btnPrint, &QPushButton::clicked, this, &TReport::btnPrintClick);
    connect(btnCsv, &QPushButton::clicked, this, &TReport::btnCsvClick);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
}

void TReport::showReport() {
    // The items as the settings have them now; 体重 first chosen.
    const QString chosen = cmbItem->currentText();
    {
        const QSignalBlocker blocker(cmbItem);
        cmbItem->clear();
        for (const RecordItem &item : LoadRecordItems().value_or(QList<RecordItem>{}))
            cmbItem->addItem(sjis::decode(item.name));
        if (cmbItem->findText(QStringLiteral("体重")) < 0)
            cmbItem->insertItem(0, QStringLiteral("体重"));
        cmbItem->setCurrentIndex(
            std::max(0, cmbItem->findText(chosen.isEmpty() ? QStringLiteral("体重") : chosen)));
    }
    m_range = ReportRange::of(ReportPeriod(cmbPeriod->currentIndex()), Regional::current().today());
    refresh();
    show();
    raise();
    activateWindow();
}

void TReport::step(int periods) {
    m_range = m_range.stepped(ReportPeriod(cmbPeriod->currentIndex()), periods);
    refresh();
}

void TReport::refresh() {
    m_report = MakeIntakeReport(m_range, m_standard ? m_standard() : 0, cmbItem->currentText());
    lblRange->setText(m_range.text());
    QStringList summary = m_report.summary();
    if (!m_report.unreadable.isEmpty())
        summary.append(UnreadableDaysText(m_report.unreadable));
    lblSummary->setText(summary.join(u'\n'));
    lblSummary->setAccessibleDescription(lblSummary->text());

    // A bar a day of the period (a day without a file has none), the standard across.
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *set = new QBarSet(QStringLiteral("摂取ｶﾛﾘｰ"));
    auto *line = new QLineSeries;
    line->setName(QStringLiteral("基準 %1 kcal").arg(m_report.standard));
    QStringList categories;
    qsizetype next = 0;
    const int count = int(m_range.first.daysTo(m_range.last)) + 1;
    for (int i = 0; i < count; ++i) {
        const QDate date = m_range.first.addDays(i);
        categories.append(QString::number(date.day()));
        const bool recorded = next < m_report.days.size() && m_report.days[next].date == date;
        set->append(recorded ? double(m_report.days[next++].kcal) : 0.0);
    }
    line->append(-0.5, m_report.standard);
    line->append(count - 0.5, m_report.standard);
    auto *bars = new QBarSeries;
    bars->append(set);
    chart->addSeries(bars);
    chart->addSeries(line);
    auto *days = new QBarCategoryAxis;
    days->append(categories);
    days->setTruncateLabels(false); // "31" whole, however narrow a month's bar
    if (count > 7) {
        QFont small = days->labelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        days->setLabelsFont(small);
    }
    auto *kcal = new QValueAxis;
    kcal->setLabelFormat(QStringLiteral("%d"));
    kcal->setTitleText(QStringLiteral("kcal"));
    qreal top = m_report.standard;
    for (const IntakeReport::Day &day : std::as_const(m_report.days))
        top = std::max<qreal>(top, qreal(day.kcal));
    kcal->setRange(0, std::max<qreal>(top * 1.1, 100));
    kcal->applyNiceNumbers();
    chart->addAxis(days, Qt::AlignBottom);
    chart->addAxis(kcal, Qt::AlignLeft);
    bars->attachAxis(days);
    bars->attachAxis(kcal);
    auto *place = new QValueAxis; // the line's x runs under the bars' categories
    place->setRange(-0.5, count - 0.5);
    place->setVisible(false);
    chart->addAxis(place, Qt::AlignBottom);
    line->attachAxis(place);
    line->attachAxis(kcal);
    QPen pen(Qt::red, 2, Qt::DashLine);
    line->setPen(pen);
    QChart *old = chtDays->chart();
    chtDays->setChart(chart);
    delete old;
    btnCsv->setEnabled(!m_report.days.isEmpty());
}

void TReport::btnPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!WindowPrompt::of(this).printer(printer))
        return;
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    // The range and summary as text, the chart under them, as large as the page allows.
    QFont font = painter.font();
    font.setPointSize(11);
    painter.setFont(font);
    const QString text = lblRange->text() + u'\n' + lblSummary->text();
    const QRect textBox = painter.boundingRect(page, Qt::TextWordWrap, text);
    painter.drawText(page, Qt::TextWordWrap, text);
    const QRect chartBox(page.left(), textBox.bottom() + textBox.height() / 8, page.width(),
                         page.bottom() - textBox.bottom() - textBox.height() / 8);
    const QSize fitted = chtDays->size().scaled(chartBox.size(), Qt::KeepAspectRatio);
    chtDays->render(&painter, QRectF(QPointF(chartBox.left(), chartBox.top()), fitted),
                    chtDays->rect());
}

void TReport::btnCsvClick() {
    if (m_report.days.isEmpty())
        return;
    const std::optional<QString> path = WindowPrompt::of(this).saveFileName(
        QStringLiteral("CSVで保存"),
        QStringLiteral("report_%1.csv").arg(m_range.first.toString(QStringLiteral("yyyyMMdd"))),
        {QStringLiteral("CSV (*.csv)")});
    if (path)
        guarded(this, [&] { SaveStringToFile(*path, CsvFileBytes(m_report.csvRows())); });
}

} // namespace zk
