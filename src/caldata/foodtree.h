#pragma once

#include "caldata/forest.h"
#include "caldata/nutrients.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zk {

// One entry of a calorie table: a food (no children) or a heading.
struct FoodNode : ForestLinks {
    QByteArray text; // Shift-JIS, as in the file
    qint32 calory = 0;
    int nutrients = -1; // for FoodTree::nutrients(); -1: none
    int serving = -1;   // for FoodTree::serving(); -1: a food of the table shown

    bool isFood() const { return children.isEmpty(); }
};

// The level of a line of a .cal file: its leading TABs and spaces, one level each.
int calIndentation(QByteArrayView line);

// How a food of a list the program makes from other tables (よく食べる食品) is
// shown: the table it comes from and its values for an amount of it.
struct FoodServing {
    QString table;
    QString amount; // "150 g", "1.5人前"
    qint32 calory = 0;
    std::optional<Nutrients> nutrients; // for the amount
};

// The forest of food nodes of one calorie table, in document order.
class FoodTree : public Forest<FoodNode> {
public:
    // Reads the text of a .cal file. A line indented more than one level
    // deeper than the node before it throws zk::Error.
    static FoodTree parse(QByteArrayView bytes);
    // Reads a .cal file; throws zk::Error when it cannot be read or parsed.
    static FoodTree load(const QString &path);

    // The list view: every node without children as a flat list, sorted by
    // text with the user's locale collation (case-sensitive); names that
    // compare equal keep their order in the table.
    FoodTree dictionary() const;

    // Gives every food the nutrients its table's nutrient file has for its
    // name; a food without a line there has none.
    void attachNutrients(const NutrientTable &table);
    // What is known of a node beyond its kilocalories; nullptr: nothing.
    const Nutrients *nutrients(const FoodNode &node) const {
        return node.nutrients < 0 ? nullptr : &m_nutrients[node.nutrients];
    }

    // Appends a food to a list made by the program, shown as a serving; its
    // value is the serving's kilocalories.
    void appendServing(QByteArray text, FoodServing serving);
    const FoodServing *serving(const FoodNode &node) const {
        return node.serving < 0 ? nullptr : &m_servings[node.serving];
    }

private:
    QList<Nutrients> m_nutrients;
    QList<FoodServing> m_servings;
};

} // namespace zk
