#include "settings/energyestimate.h"

#include "common/textutil.h"
#include "common/tinisaveprops.h"

#include <array>
#include <cmath>

namespace zk {
namespace {

// 厚生労働省「日本人の食事摂取基準（2020年版）」策定検討会報告書, the adult age
// groups: 参考表「基礎代謝基準値」 (kcal/kg body weight/day), 「身体活動レベル」
// (I, II, III; the standard gives no level III from 75 years on: 0 here) and
// 「目標とするBMIの範囲（18歳以上）」.
struct AgeGroup {
    int from; // years, up to the next group's
    double basalMale, basalFemale;
    std::array<double, 3> activity;
    double bmiLow, bmiHigh;
};
constexpr std::array<AgeGroup, 5> ageGroups{{
    {18, 23.7, 22.1, {1.50, 1.75, 2.00}, 18.5, 24.9},
    {30, 22.5, 21.9, {1.50, 1.75, 2.00}, 18.5, 24.9},
    {50, 21.8, 20.7, {1.50, 1.75, 2.00}, 20.0, 24.9},
    {65, 21.6, 20.7, {1.45, 1.70, 1.95}, 21.5, 24.9},
    {75, 21.5, 20.7, {1.40, 1.65, 0.00}, 21.5, 24.9},
}};
constexpr double kcalPerKg = 7200; // a kilogram of body weight gained or lost

const AgeGroup &groupOf(int age) {
    const AgeGroup *group = &ageGroups.front();
    for (const AgeGroup &g : ageGroups) {
        if (age >= g.from)
            group = &g;
    }
    return *group;
}

QString ageGroupText(int age) {
    const auto *g = &groupOf(age);
    const auto next = g + 1;
    if (next == ageGroups.end())
        return QStringLiteral("%1歳以上").arg(g->from);
    return QStringLiteral("%1～%2歳").arg(g->from).arg(next->from - 1);
}

QString number(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

} // namespace

const QList<double> &EnergyInputs::weeklyChanges() {
    static const QList<double> changes{-0.5, -0.25, 0, 0.25};
    return changes;
}

QString ActivityDescription(EnergyInputs::Activity activity) {
    switch (activity) {
    case EnergyInputs::Activity::Low:
        return QStringLiteral("生活の大部分が座位で、静的な活動が中心");
    case EnergyInputs::Activity::Moderate:
        return QStringLiteral("座位中心の仕事だが、職場内での移動や立位での作業・接客等、通勤・"
                              "買い物での歩行、家事、軽いスポーツのいずれかを含む");
    case EnergyInputs::Activity::High:
        return QStringLiteral("移動や立位の多い仕事への従事者、あるいは、スポーツ等余暇における"
                              "活発な運動習慣を持っている");
    }
    return {};
}

std::variant<EnergyEstimate, QString> EstimateEnergy(const EnergyInputs &in) {
    if (in.age < EnergyInputs::youngest || in.age > EnergyInputs::oldest)
        return QStringLiteral("年齢は%1～%2歳で入力してください。")
            .arg(EnergyInputs::youngest)
            .arg(EnergyInputs::oldest);
    if (!(in.height >= EnergyInputs::lowestHeight && in.height <= EnergyInputs::highestHeight))
        return QStringLiteral("身長は%1～%2 cmで入力してください。")
            .arg(EnergyInputs::lowestHeight)
            .arg(EnergyInputs::highestHeight);
    if (!(in.weight >= EnergyInputs::lightest && in.weight <= EnergyInputs::heaviest))
        return QStringLiteral("体重は%1～%2 kgで入力してください。")
            .arg(EnergyInputs::lightest)
            .arg(EnergyInputs::heaviest);
    const AgeGroup &group = groupOf(in.age);
    EnergyEstimate e;
    e.activityLevel = group.activity[int(in.activity)];
    if (e.activityLevel <= 0)
        return QStringLiteral("%1の身体活動レベル「高い」は食事摂取基準に示されていません。"
                              "「ふつう」か「低い」を選んでください。")
            .arg(ageGroupText(in.age));
    e.basalPerKg = in.sex == EnergyInputs::Sex::Male ? group.basalMale : group.basalFemale;
    e.basal = e.basalPerKg * in.weight;
    e.requirement = e.basal * e.activityLevel;
    e.dailyChange = in.weeklyChange * kcalPerKg / 7;
    // Rounded half up to 10 kcal; a tiny epsilon keeps 1,995.0 from reading as 1,994.999….
    e.target = int(std::floor((e.requirement + e.dailyChange) / 10 + 0.5 + 1e-9)) * 10;
    const double metres = in.height / 100;
    e.bmi = in.weight / (metres * metres);
    e.bmiLow = group.bmiLow;
    e.bmiHigh = group.bmiHigh;
    return e;
}

QStringList EnergyEstimate::steps(const EnergyInputs &in) const {
    const QString sex =
        in.sex == EnergyInputs::Sex::Male ? QStringLiteral("男性") : QStringLiteral("女性");
    QStringList lines{
        QStringLiteral("基礎代謝量 = 基礎代謝基準値 %1 kcal/kg（%2 %3）× 体重 %4 kg = %5")
            .arg(number(basalPerKg, 1), sex, ageGroupText(in.age), number(in.weight, 1),
                 kcalText(std::lround(basal))),
        QStringLiteral("推定エネルギー必要量 = %1 × 身体活動レベル %2 = %3")
            .arg(kcalText(std::lround(basal)), number(activityLevel, 2),
                 kcalText(std::lround(requirement)))};
    if (dailyChange != 0)
        lines.append(QStringLiteral("体重 %1 kg/週 × 7,200 kcal ÷ 7日 = %2%3 kcal/日")
                         .arg(QString::number(in.weeklyChange, 'f', 2)
                                  .replace(QStringLiteral("-"), QStringLiteral("−")),
                              dailyChange > 0 ? QStringLiteral("+") : QStringLiteral("−"),
                              splitdigit(qint64(std::lround(std::abs(dailyChange))))));
    lines.append(QStringLiteral("目標ｶﾛﾘｰ（10 kcal単位）= %1").arg(kcalText(target)));
    return lines;
}

QString EnergyEstimate::bmiText() const {
    return QStringLiteral("BMI %1（目標とする範囲 %2～%3）")
        .arg(number(bmi, 1), number(bmiLow, 1), number(bmiHigh, 1));
}

void bindEnergyInputs(TIniSaveProps &isp, EnergyInputs &in) {
    // Whole numbers in the file: tenths of a centimetre, a kilogram and a
    // hundredth of a kilogram a week.
    isp.bindInteger(
        "Energy", "Sex", [&in] { return int(in.sex); },
        [&in](int v) { in.sex = v == 0 ? EnergyInputs::Sex::Male : EnergyInputs::Sex::Female; });
    isp.bindInteger(
        "Energy", "Age", [&in] { return in.age; }, [&in](int v) { in.age = v; });
    isp.bindInteger(
        "Energy", "Height", [&in] { return int(std::lround(in.height * 10)); },
        [&in](int v) { in.height = v / 10.0; });
    isp.bindInteger(
        "Energy", "Weight", [&in] { return int(std::lround(in.weight * 10)); },
        [&in](int v) { in.weight = v / 10.0; });
    isp.bindInteger(
        "Energy", "Activity", [&in] { return int(in.activity); },
        [&in](int v) {
            if (v >= 0 && v <= 2)
                in.activity = EnergyInputs::Activity(v);
        });
    isp.bindInteger(
        "Energy", "WeeklyChange", [&in] { return int(std::lround(in.weeklyChange * 100)); },
        [&in](int v) {
            if (EnergyInputs::weeklyChanges().contains(v / 100.0))
                in.weeklyChange = v / 100.0;
        });
}

} // namespace zk
