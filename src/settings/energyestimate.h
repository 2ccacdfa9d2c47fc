#pragma once

#include <QString>
#include <QStringList>

#include <variant>

namespace zk {

class TIniSaveProps;

// What the daily standard is worked out from.
struct EnergyInputs {
    enum class Sex { Male, Female };
    // 身体活動レベル I, II, III.
    enum class Activity { Low, Moderate, High };

    Sex sex = Sex::Female;
    int age = 30;
    double height = 160; // cm
    double weight = 55;  // kg
    Activity activity = Activity::Moderate;
    double weeklyChange = 0; // kg a week: 0 keeps the weight, below 0 loses it

    static constexpr int youngest = 18, oldest = 100;
    static constexpr double lowestHeight = 100, highestHeight = 250;
    static constexpr double lightest = 20, heaviest = 300;
    // The changes offered: -0.5, -0.25, 0, +0.25 kg a week.
    static const QList<double> &weeklyChanges();
};

// The estimated energy requirement of an adult after 日本人の食事摂取基準
// （2020年版） (厚生労働省): the basal metabolism (基礎代謝基準値 of the sex
// and age group × body weight) times the physical activity level of the age
// group; a change of weight counted at 7,200 kcal a kilogram, spread over
// the seven days of a week; the result rounded half up to 10 kcal.
struct EnergyEstimate {
    double basalPerKg = 0; // kcal/kg/day
    double basal = 0;      // kcal/day
    double activityLevel = 0;
    double requirement = 0; // kcal/day
    double dailyChange = 0; // kcal/day, below 0 for a loss
    int target = 0;         // kcal/day, rounded to 10
    double bmi = 0;
    double bmiLow = 0, bmiHigh = 0; // the target range of BMI of the age group

    // Each step of the sum, a line each.
    QStringList steps(const EnergyInputs &inputs) const;
    // "BMI 20.8（目標とする範囲 18.5～24.9）".
    QString bmiText() const;
};

// The estimate, or why the inputs give none: the input out of its range
// with the range ("年齢は18～100歳で入力してください。"), or an activity level
// the standard gives no value for (高い from 75 years on).
std::variant<EnergyEstimate, QString> EstimateEnergy(const EnergyInputs &inputs);

// A line for each physical activity level, as the standard describes it.
QString ActivityDescription(EnergyInputs::Activity activity);

// Binds the inputs to setting/energy.ini, so that the calculation opens with
// the last ones; the store is the dialog's, which loads and saves.
void bindEnergyInputs(TIniSaveProps &isp, EnergyInputs &inputs);

} // namespace zk
