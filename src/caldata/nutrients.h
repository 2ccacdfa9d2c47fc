#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace zk {

// What a table says of a food beyond its kilocalories, read from the
// nutrient file beside the table. The values are grams for `grams` grams of
// the food, or for one portion when `grams` is 0.
struct Nutrients {
    enum Kind { Protein, Fat, Carbohydrate, Fibre, Salt, KindCount };
    using Value = std::optional<double>; // empty: not known (which is not 0)

    double grams = 0;
    std::array<Value, KindCount> values;
    QByteArray number; // the food's number in its source, may be empty

    bool perPortion() const { return grams <= 0; }
    bool operator==(const Nutrients &) const = default;
};

// The nutrient file of a calorie table: a list file (cells joined by 0xFF, or
// by TAB on a line typed without 0xFF), one food a line:
//   name, amount ("100g" or "1人前"), たんぱく質, 脂質, 炭水化物,
//   食物繊維総量, 食塩相当量 [, food number]
// The name is the food's text as in its table line (the bytes before the last
// ':'). A value cell is a decimal number of grams or empty (unknown). A line
// that does not read so is left out, so its food has no nutrients; the first
// line of a name counts.
class NutrientTable {
public:
    static NutrientTable parse(QByteArrayView bytes);
    // The file beside the table at `tablePath`; a file that is missing or
    // cannot be read gives an empty table: the foods keep their kilocalories.
    static NutrientTable loadFor(const QString &tablePath);
    // "穀類.cal" → "穀類.nutrients", in the table's folder.
    static QString pathFor(const QString &tablePath);

    const Nutrients *find(QByteArrayView name) const;
    bool isEmpty() const { return m_byName.isEmpty(); }
    qsizetype size() const { return m_byName.size(); }

private:
    QHash<QByteArray, Nutrients> m_byName;
};

// A food's values in three lines, for a tool tip: "100 g あたり 156 kcal",
// "たんぱく質 2.5 g ／ 脂質 0.3 g ／ 炭水化物 37.1 g", "食物繊維 1.5 g ／
// 食塩相当量 0 g"; an unknown value reads "−".
QStringList nutrientLines(qint32 calory, const Nutrients &nutrients);
// The same in one line, the lines joined by " ／ ".
QString nutrientSummary(qint32 calory, const Nutrients &nutrients);
// The last two lines of nutrientLines(), the values alone.
QStringList nutrientValueLines(const Nutrients &nutrients);

} // namespace zk
