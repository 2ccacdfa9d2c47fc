#include "settings/ui/tsetting.h"

#include "common/inttext.h"
#include "common/sjis.h"
#include "common/ui/dialogbuttons.h"
#include "common/ui/guard.h"
#include "common/ui/listviews.h"
#include "common/ui/windowprompt.h"
#include "settings/standardcalorie.h"
#include "settings/ui/calorycombo.h"
#include "settings/ui/colorpalette.h"
#include "settings/ui/teditcaldata.h"
#include "settings/ui/tenergycalc.h"
#include "settings/ui/tfontsetting.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace zk {

namespace {

QToolButton *makeArrow(const QString &name, Qt::ArrowType arrow, const QString &accessible) {
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAccessibleName(accessible);
    return button;
}

} // namespace

TSetting::TSetting(const SettingTargets &targets, QWidget *parent)
    : QDialog(parent)
    , m_targets(targets) {
    setObjectName(QStringLiteral("Setting"));
    setWindowTitle(QStringLiteral("設定"));

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_tabs->addTab(buildFontTab(), QStringLiteral("ﾌｫﾝﾄ"));
    m_tabs->addTab(buildCalorieTab(), QStringLiteral("ｶﾛﾘｰ"));

    auto *top = new QVBoxLayout(this);
    top->addWidget(m_tabs);
    // Made after the pages are in place: the buttons come last in the tab order.
    const DialogButtons buttons = okCancelHelpButtons(
        this, [this] { btnOKClick(); }, [this] { Q_EMIT helpRequested(5); },
        {.orientation = Qt::Horizontal,
         .named = true,
         .helpName = QStringLiteral("btnhelp"),
         .autoDefault = DialogButton::Ok | DialogButton::Cancel});
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;
    top->addLayout(buttons.layout);
    resize(599, 310);

    connect(upddaycal, &QSpinBox::valueChanged, this,
            [this](int v) { m_data.setDailyStandard(v); });
    connect(&m_data.standards, &ListTableModel::editRefused, this,
            [this](const QString &message) { WindowPrompt::of(this).message(message); });
    for (QTreeView *view : {lsvFont, lsvDefine}) {
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &TSetting::updateButtons);
        connect(view->model(), &QAbstractItemModel::modelReset, this, &TSetting::updateButtons);
        connect(view->model(), &QAbstractItemModel::rowsRemoved, this, &TSetting::updateButtons);
    }
    updateButtons();
}

void TSetting::btnEnergyCalcClick() {
    TEnergyCalc dialog(m_latestWeight ? m_latestWeight() : std::nullopt, this);
    if (WindowPrompt::of(this).exec(dialog) == QDialog::Accepted && dialog.target())
        upddaycal->setValue(std::min(*dialog.target(), dailyStandardMax));
}

QWidget *TSetting::buildFontTab() {
    auto *page = new QWidget;
    lsvFont = makeListView(QStringLiteral("lsvFont"), QStringLiteral("フォント一覧"), &m_data.fonts,
                           {120, 100, 45, 45, 100, 100}, false);
    // Every column in sight, as the list was laid out.
    lsvFont->setMinimumWidth(510 + 2 * lsvFont->frameWidth());
    spdFontSetting = makeButton(QStringLiteral("spdFontSetting"), QStringLiteral("設定(&S)"));
    connect(spdFontSetting, &QPushButton::clicked, this, &TSetting::spdFontSettingClick);
    connect(lsvFont, &QTreeView::doubleClicked, this, &TSetting::spdFontSettingClick);
    auto *side = new QVBoxLayout;
    side->addWidget(spdFontSetting);
    side->addStretch();
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(lsvFont, 1);
    layout->addLayout(side);
    return page;
}

QWidget *TSetting::buildCalorieTab() {
    auto *page = new QWidget;
    upddaycal = new QSpinBox;
    upddaycal->setObjectName(QStringLiteral("upddaycal"));
    upddaycal->findChild<QLineEdit *>()->setObjectName(QStringLiteral("txtdaycal"));
    upddaycal->setAccessibleName(QStringLiteral("一日の摂取ｶﾛﾘｰの指標"));
    // "1,000" whatever the user's locale.
    QLocale grouped = QLocale::c();
    grouped.setNumberOptions({});
    upddaycal->setLocale(grouped);
    upddaycal->setGroupSeparatorShown(true);
    upddaycal->setRange(0, dailyStandardMax);
    upddaycal->setSingleStep(100);
    upddaycal->setValue(dailyStandardDefault);
    upddaycal->setAlignment(Qt::AlignRight);
    auto *dayLabel = new QLabel(QStringLiteral("一日の摂取ｶﾛﾘｰの指標"));
    dayLabel->setBuddy(upddaycal);

    auto *daily = new QGridLayout;
    daily->addWidget(dayLabel, 0, 0, 1, 2);
    daily->addWidget(upddaycal, 1, 0);
    daily->addWidget(new QLabel(QStringLiteral("kcal")), 1, 1);
    // A standard proposed from the body, which the user may still change.
    auto *btnEnergyCalc = makeButton(QStringLiteral("btnEnergyCalc"), QStringLiteral("計算..."));
    connect(btnEnergyCalc, &QPushButton::clicked, this, &TSetting::btnEnergyCalcClick);
    daily->addWidget(btnEnergyCalc, 1, 2);
    daily->addWidget(new QLabel(QStringLiteral("成人男性 : 2,500 kcal")), 2, 0, 1, 2);
    daily->addWidget(new QLabel(QStringLiteral("成人女性 : 2,000 kcal")), 3, 0, 1, 2);
    daily->addWidget(new QLabel(QStringLiteral("を目安にしてください...")), 4, 0, 1, 2);
    daily->setRowStretch(5, 1);

    lsvDefine = makeListView(QStringLiteral("lsvDefine"), QStringLiteral("基準カロリー一覧"),
                             &m_data.standards, {110, 80}, true);
    spdDUp = makeArrow(QStringLiteral("spdDUp"), Qt::UpArrow, QStringLiteral("上へ"));
    spdDDown = makeArrow(QStringLiteral("spdDDown"), Qt::DownArrow, QStringLiteral("下へ"));
    spdDAdd = makeButton(QStringLiteral("spdDAdd"), QStringLiteral("追加(&A)"));
    spdDChange = makeButton(QStringLiteral("spdDChange"), QStringLiteral("変更(&M)"));
    spdDDelete = makeButton(QStringLiteral("spdDDelete"), QStringLiteral("削除(&D)"));
    connect(spdDAdd, &QPushButton::clicked, this, &TSetting::spdDAddClick);
    connect(spdDChange, &QPushButton::clicked, this, &TSetting::spdDChangeClick);
    connect(spdDDelete, &QPushButton::clicked, this, &TSetting::spdDDeleteClick);
    connect(spdDUp, &QToolButton::clicked, this, [this] {
        const int r = selectedRow(lsvDefine);
        ListViewExchange(m_data.standards, lsvDefine->selectionModel(), r, r - 1);
    });
    connect(spdDDown, &QToolButton::clicked, this, [this] {
        const int r = selectedRow(lsvDefine);
        ListViewExchange(m_data.standards, lsvDefine->selectionModel(), r, r + 1);
    });
    connect(lsvDefine, &QTreeView::doubleClicked, this, &TSetting::spdDChangeClick);
    new EmptyAreaDoubleClick(
        lsvDefine, [this] { selectedRow(lsvDefine) >= 0 ? spdDChangeClick() : spdDAddClick(); });

    auto *arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(spdDUp);
    arrows->addWidget(spdDDown);
    arrows->addStretch();
    auto *edits = new QHBoxLayout;
    edits->addWidget(spdDAdd);
    edits->addWidget(spdDChange);
    edits->addWidget(spdDDelete);
    auto *list = new QGridLayout;
    list->addWidget(lsvDefine, 0, 0);
    list->addLayout(arrows, 0, 1);
    list->addLayout(edits, 1, 0, 1, 2);

    auto *layout = new QHBoxLayout(page);
    layout->addLayout(daily);
    layout->addLayout(list, 1);
    return page;
}

void TSetting::addPage(const SettingPage &page) {
    m_tabs->addTab(page.widget, page.title);
    m_pages.append(page);
}

void TSetting::load() {
    m_data.load();
    for (const SettingPage &page : std::as_const(m_pages))
        page.load();
    upddaycal->setValue(m_data.dailyStandard());
    updateButtons();
}

void TSetting::SetCaloryCombo() {
    zk::SetCaloryCombo(m_targets.cmbLimit, m_data.limitEntries());
}

void TSetting::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    btnCancel->setFocus();
}

void TSetting::updateButtons() {
    spdFontSetting->setEnabled(selectedRow(lsvFont) >= 0);
    const bool define = selectedRow(lsvDefine) >= 0;
    for (QWidget *w : std::initializer_list<QWidget *>{spdDChange, spdDDelete, spdDUp, spdDDown})
        w->setEnabled(define);
}

void TSetting::spdFontSettingClick() {
    const int r = selectedRow(lsvFont);
    if (r < 0)
        return;
    guarded(this, [&] {
        const ListRow row = completeFontRow(m_data.fonts.rows(), r);
        const auto text = [&](int field) { return sjis::decode(row[field]); };
        // A colour text that is no colour opens with the design colour, and
        // the user is told before the dialog shows.
        QStringList problems;
        ColorValue colors[2];
        for (const int field : {4, 5}) {
            QString problem;
            colors[field - 4] = fontRowColor(m_data.fonts.rows(), r, field, &problem);
            if (!problem.isEmpty())
                problems.append(problem);
        }
        if (!problems.isEmpty())
            WindowPrompt::of(this).message(problems.join(u'\n'));
        TFontSetting dialog(this);
        connect(&dialog, &TFontSetting::helpRequested, this, &TSetting::helpRequested);
        dialog.setRow(text(0), text(1), text(2), parseIntText(QStringView(text(3))).value_or(0),
                      colors[0], colors[1]);
        if (dialog.exec() == QDialog::Accepted)
            m_data.fonts.replaceRow(r, fontRowWith(m_data.fonts.row(r), dialog.partFont()));
    });
}

void TSetting::spdDAddClick() {
    TEditCalData dialog(TEditCalData::Mode::Add, this);
    connect(&dialog, &TEditCalData::helpRequested, this, &TSetting::helpRequested);
    if (dialog.exec() != QDialog::Accepted)
        return;
    guarded(this, [&] {
        m_data.standards.appendRow(standardRow(sjis::encode(dialog.title()), dialog.calory()));
        selectRow(lsvDefine, m_data.standards.rowCount() - 1);
    });
}

void TSetting::spdDChangeClick() {
    const int r = selectedRow(lsvDefine);
    if (r < 0)
        return;
    TEditCalData dialog(TEditCalData::Mode::Change, this);
    connect(&dialog, &TEditCalData::helpRequested, this, &TSetting::helpRequested);
    const ListRow stored = m_data.standards.row(r);
    const int oldValue = standardRowValue(stored);
    dialog.setLimit(m_data.standards.cellText(r, 0), oldValue);
    if (dialog.exec() != QDialog::Accepted)
        return;
    guarded(this, [&] {
        const int value = dialog.calory();
        // An unchanged value keeps its limit text as stored.
        const QString limit = value == oldValue ? m_data.standards.cellText(r, 1)
                                                : sjis::decode(standardRow({}, value).at(1));
        m_data.standards.replaceRow(r, editedRow(stored, {dialog.title(), limit}));
    });
}

void TSetting::spdDDeleteClick() {
    if (const int r = selectedRow(lsvDefine); r >= 0)
        m_data.standards.removeRowAt(r);
}

void TSetting::btnOKClick() {
    upddaycal->interpretText();
    // A colour text that is no colour is reported once and drawn in the
    // design colour; it stops nothing.
    QStringList problems;
    const QList<FontSpec> specs = m_data.fontSpecs(&problems);
    if (!problems.isEmpty())
        WindowPrompt::of(this).message(problems.join(u'\n'));
    const bool done = guarded(this, [&] {
        // Nothing changes on the windows unless every file was written.
        m_data.save();
        for (const SettingPage &page : std::as_const(m_pages))
            page.save();
        const auto parts = m_targets.parts();
        for (int i = 0; i < fontPartCount; ++i)
            applyFontSpec(parts[i], specs[i]);
        SetCaloryCombo();
    });
    if (done)
        accept();
}

} // namespace zk
