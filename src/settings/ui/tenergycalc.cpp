#include "settings/ui/tenergycalc.h"

#include "common/platform.h"
#include "common/storedfiles.h"
#include "common/ui/dialogbuttons.h"
#include "common/ui/guard.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace zk {
namespace {

// A number as typed: full-width digits and spaces around it are fine.
std::optional<double> typedNumber(const QString &text) {
    bool ok = false;
    const double value =
        QLocale::c().toDouble(text.normalized(QString::NormalizationForm_KC).trimmed(), &ok);
    return ok && std::isfinite(value) ? std::optional(value) : std::nullopt;
}

QString goalText(double weeklyChange) {
    if (weeklyChange == 0)
        return QStringLiteral("維持");
    return (weeklyChange < 0 ? QStringLiteral("減量（−%1 kg/週）")
                             : QStringLiteral("増量（+%1 kg/週）"))
        .arg(std::abs(weeklyChange));
}

} // namespace

TEnergyCalc::TEnergyCalc(std::optional<double> latestWeight, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("EnergyCalc"));
    setWindowTitle(QStringLiteral("目標ｶﾛﾘｰを計算"));
    m_isp.FileName = ProgramFolder::file(storedfiles::energyIni);
    bindEnergyInputs(m_isp, m_inputs);
    guarded(parent, [this] { m_isp.Load(); });
    if (latestWeight)
        m_inputs.weight = *latestWeight;

    const auto radios = [this](const QStringList &captions, const char *name, int checked) {
        auto *group = new QButtonGroup(this);
        auto *row = new QHBoxLayout;
        for (int i = 0; i < captions.size(); ++i) {
            auto *radio = new QRadioButton(captions[i]);
            radio->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(i));
            radio->setChecked(i == checked);
            group->addButton(radio, i);
            row->addWidget(radio);
        }
        row->addStretch();
        return std::pair(group, row);
    };
    const auto field = [this](const char *name, double value, int decimals) {
        auto *edit = new QLineEdit(QString::number(value, 'f', decimals), this);
        edit->setObjectName(QLatin1String(name));
        edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000.00")) + 16);
        edit->setAlignment(Qt::AlignRight);
        return edit;
    };
    QHBoxLayout *sexRow;
    std::tie(grpSex, sexRow) = radios({QStringLiteral("男性(&M)"), QStringLiteral("女性(&F)")},
                                      "rdoSex", int(m_inputs.sex));
    txtAge = field("txtAge", m_inputs.age, 0);
    txtHeight = field("txtHeight", m_inputs.height, 1);
    txtWeight = field("txtWeight", m_inputs.weight, 1);
    QHBoxLayout *activityRow;
    std::tie(grpActivity, activityRow) = radios(
        {QStringLiteral("低い(&L)"), QStringLiteral("ふつう(&N)"), QStringLiteral("高い(&H)")},
        "rdoActivity", int(m_inputs.activity));
    auto *activityLines = new QLabel;
    activityLines->setTextFormat(Qt::PlainText);
    activityLines->setWordWrap(true);
    activityLines->setText(QStringLiteral("低い: %1\nふつう: %2\n高い: %3")
                               .arg(ActivityDescription(EnergyInputs::Activity::Low),
                                    ActivityDescription(EnergyInputs::Activity::Moderate),
                                    ActivityDescription(EnergyInputs::Activity::High)));
    cmbGoal = new QComboBox;
    cmbGoal->setObjectName(QStringLiteral("cmbGoal"));
    for (double change : EnergyInputs::weeklyChanges())
        cmbGoal->addItem(goalText(change), change);
    cmbGoal->setCurrentIndex(
        std::max<int>(0, int(EnergyInputs::weeklyChanges().indexOf(m_inputs.weeklyChange))));
    lblResult = new QLabel;
    lblResult->setObjectName(QStringLiteral("lblResult"));
    lblResult->setTextFormat(Qt::PlainText);
    lblResult->setWordWrap(true);
    lblResult->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblResult->setFocusPolicy(Qt::TabFocus);

    const auto unit = [](QLineEdit *edit, const QString &text) {
        auto *row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(new QLabel(text));
        row->addStretch();
        return row;
    };
    auto *form = new QFormLayout;
    const auto labelled = [form](const QString &caption, QLayout *row, QWidget *buddy) {
        auto *label = new QLabel(caption);
        label->setBuddy(buddy);
        form->addRow(label, row);
    };
    labelled(QStringLiteral("性別"), sexRow, grpSex->button(0));
    labelled(QStringLiteral("年齢(&A)"), unit(txtAge, QStringLiteral("歳")), txtAge);
    labelled(QStringLiteral("身長(&T)"), unit(txtHeight, QStringLiteral("cm")), txtHeight);
    labelled(QStringLiteral("体重(&W)"), unit(txtWeight, QStringLiteral("kg")), txtWeight);
    labelled(QStringLiteral("身体活動レベル"), activityRow, grpActivity->button(0));
    form->addRow(QString(), activityLines);
    auto *goalLabel = new QLabel(QStringLiteral("目標(&G)"));
    goalLabel->setBuddy(cmbGoal);
    form->addRow(goalLabel, cmbGoal);

    auto *source = new QLabel(QStringLiteral("日本人の食事摂取基準（2020年版）（厚生労働省）の"
                                             "推定エネルギー必要量の式によります。"));
    source->setWordWrap(true);
    auto *top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(lblResult);
    top->addWidget(source);
    const DialogButtons buttons =
        okCancelHelpButtons(this, {}, {}, {.orientation = Qt::Horizontal, .named = true});
    btnOK = buttons.ok;
    top->addLayout(buttons.layout);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("あ")) * 34);

    for (QLineEdit *edit : {txtAge, txtHeight, txtWeight})
        connect(edit, &QLineEdit::textChanged, this, &TEnergyCalc::recompute);
    for (QButtonGroup *group : {grpSex, grpActivity})
        connect(group, &QButtonGroup::idClicked, this, &TEnergyCalc::recompute);
    connect(cmbGoal, &QComboBox::currentIndexChanged, this, &TEnergyCalc::recompute);
    recompute();
    txtAge->setFocus();
}

void TEnergyCalc::recompute() {
    m_inputs.sex = EnergyInputs::Sex(grpSex->checkedId());
    m_inputs.activity = EnergyInputs::Activity(grpActivity->checkedId());
    m_inputs.weeklyChange = cmbGoal->currentData().toDouble();
    // A text that is not a number counts as out of range.
    const std::optional<double> age = typedNumber(txtAge->text());
    m_inputs.age = age && *age == std::floor(*age) && std::abs(*age) < 1000 ? int(*age) : -1;
    m_inputs.height = typedNumber(txtHeight->text()).value_or(-1);
    m_inputs.weight = typedNumber(txtWeight->text()).value_or(-1);
    const std::variant<EnergyEstimate, QString> estimate = EstimateEnergy(m_inputs);
    if (const auto *refusal = std::get_if<QString>(&estimate)) {
        m_target.reset();
        lblResult->setText(*refusal);
    } else {
        const auto &e = std::get<EnergyEstimate>(estimate);
        m_target = e.target;
        lblResult->setText((e.steps(m_inputs) + QStringList{e.bmiText()}).join(u'\n'));
    }
    lblResult->setAccessibleDescription(lblResult->text());
    btnOK->setEnabled(m_target.has_value());
}

void TEnergyCalc::accept() {
    if (!m_target)
        return;
    guarded(this, [this] { m_isp.Save(); });
    QDialog::accept();
}

} // namespace zk
