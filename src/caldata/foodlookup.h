#pragma once

#include "caldata/foodtree.h"
#include "caldata/nutrients.h"

#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <optional>

namespace zk {

// A food as its table gives it now: its kilocalories and, when its table's
// nutrient file has a line for it, its nutrients.
struct TableFood {
    qint32 calory = 0;
    std::optional<Nutrients> nutrients;
};

// Finds foods by the name of their table (the caption the intake list
// records as a row's Category) among the tables of the last scan; of tables
// of one name in several folders, the first that has the food. Each table is
// read once in the lifetime of the lookup.
class TableFoods {
public:
    // The first food of that name; nothing when no such table holds it or
    // the table cannot be read.
    std::optional<TableFood> find(const QString &table, QByteArrayView name);

private:
    struct Table {
        FoodTree tree;
        NutrientTable nutrients;
        bool readable = false;
    };
    const Table &table(const QString &path);

    QHash<QString, Table> m_tables; // by path
};

} // namespace zk
