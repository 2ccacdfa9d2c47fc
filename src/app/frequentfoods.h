#pragma once

#include "app/intakerow.h"
#include "caldata/foodtree.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace zk {

class LastAmounts;

// A food the user eats often, as the food diary of the last days has it.
struct FrequentFood {
    QByteArray name; // the Foods cell
    QString table;   // the Category cell: the table it was added from
    int count = 0;   // its rows over those days
    QDate lastDay;
    // Its table's values now, so that it is added as from its table; the
    // last row's when the table no longer has the food.
    IntakeFood food;
    std::optional<Nutrients> tableNutrients; // its table's nutrient line, fibre included
    Amount amount; // what it is added at: the amount last chosen, else the basis
};

struct FrequentFoodList {
    QList<FrequentFood> foods;
    QList<QDate> unreadable; // day files left out

    // The food of that name from that table; nullptr when the list has none.
    const FrequentFood *find(const QByteArray &name, const QString &table) const;
};

// The `most` foods most often in the day files of the `days` days up to
// `today`: by the number of rows, then by the day last eaten, then by name.
// A food is its name and its table, as the duplicates policy counts them.
inline constexpr int frequentDays = 60;
FrequentFoodList CollectFrequentFoods(QDate today, LastAmounts *lastAmounts,
                                      int days = frequentDays, int most = 30);

// The list as the food tree shows it, most often first: each food shown at
// its amount, with its table.
FoodTree FrequentFoodTree(const FrequentFoodList &list);
// What the status bar says of the list: how many foods, the days left out,
// or why there are none (`diaryOn` false: the diary is off).
QString FrequentFoodsStatus(const FrequentFoodList &list, bool diaryOn);

} // namespace zk
