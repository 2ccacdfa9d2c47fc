#pragma once

#include "common/listtable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

namespace zk {

// How much of a food a row of the intake list counts: grams of a food whose
// values are given for a weight, or portions (a factor of one portion) of
// any other food.
struct Amount {
    enum class Unit { Grams, Portions };

    Unit unit = Unit::Portions;
    double quantity = 1;

    static Amount grams(double g) { return {Unit::Grams, g}; }
    static Amount portions(double p) { return {Unit::Portions, p}; }

    // What the user may choose, and one step of the spin box and the +/- keys:
    // 1-5000 g in steps of 10 g, 0.25-20 portions in steps of 0.25.
    static double minimum(Unit unit) { return unit == Unit::Grams ? 1 : 0.25; }
    static double maximum(Unit unit) { return unit == Unit::Grams ? 5000 : 20; }
    static double step(Unit unit) { return unit == Unit::Grams ? 10 : 0.25; }
    bool isValid() const;
    // One step up or down, held inside the range.
    Amount stepped(int steps) const;

    // The day file's cell: "150g", "1.5人前" (Shift-JIS); nothing when the
    // cell does not read so or is out of range.
    static std::optional<Amount> parse(QByteArrayView cell);
    QByteArray cell() const;
    // As the list shows it: "150 g", "1.5人前".
    QString text() const;
    // A number the user typed for this unit ("150", "１５０", "150 g",
    // "1.5人前"); nothing when it is not a number within the range.
    static std::optional<Amount> typed(const QString &text, Unit unit);
    // What the unit is called in a question: "g", "人前".
    static QString unitName(Unit unit);

    bool operator==(const Amount &) const = default;
};

// The four values the intake list shows beside the calories, in grams.
enum IntakeNutrient { Protein, Fat, Carbohydrate, Salt, IntakeNutrientCount };
using IntakeNutrients = std::array<std::optional<double>, IntakeNutrientCount>;
// 5 kg of food holds no more than this of anything: a larger number is no
// amount the list works out, and counts as unknown wherever it comes from.
// (Below it, every value is one that one decimal writes and reads back
// exactly.)
inline constexpr double mostNutrientGrams = 100000;

// What the columns, the graph's entries and the CSV call them:
// "たんぱく質", "脂質", "炭水化物", "食塩相当量".
QString IntakeNutrientName(IntakeNutrient nutrient);

// A row of a day file: Foods, Category and Calory (for the amount), then the
// amount and the nutrients for the amount, an unknown one empty. A row of
// three cells, as days were written before amounts, counts one portion and
// no nutrients.
namespace intakecells {
inline constexpr int foods = 0, category = 1, calory = 2, amount = 3, firstNutrient = 4;
}

// The row's amount: one portion when it has no amount cell or one that does
// not read as an amount.
Amount IntakeRowAmount(const ListRow &row);
// The row's nutrients; a cell that is missing, empty, not a number of grams
// or more than mostNutrientGrams is unknown.
IntakeNutrients IntakeRowNutrients(const ListRow &row);
// The cells after Calory: the amount, then the nutrients with trailing
// unknown ones left out; none for one portion with nothing known.
ListRow IntakeAmountCells(const Amount &amount, const IntakeNutrients &nutrients);

// `value` rounded half away from zero to `decimals` places, after what the
// arithmetic of binary fractions added below a millionth is taken away
// (0.3 x 1.5 counts as 0.45, and gives 0.5).
double roundHalfUp(double value, int decimals);
// Grams with one decimal ("3.8"), or "−" when unknown.
QString NutrientText(const std::optional<double> &grams);

} // namespace zk
