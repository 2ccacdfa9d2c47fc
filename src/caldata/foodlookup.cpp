#include "caldata/foodlookup.h"

#include "caldata/calcatalogue.h"
#include "common/error.h"

namespace zk {

const TableFoods::Table &TableFoods::table(const QString &path) {
    auto found = m_tables.find(path);
    if (found != m_tables.end())
        return *found;
    Table table;
    try {
        table.tree = FoodTree::load(path);
        table.nutrients = NutrientTable::loadFor(path);
        table.readable = true;
    } catch (const Error &) {
        // An unreadable table holds no food to find.
    }
    return *m_tables.insert(path, std::move(table));
}

std::optional<TableFood> TableFoods::find(const QString &tableName, QByteArrayView name) {
    for (const CalCatalogue::Entry &entry : CalFileList().entries()) {
        if (entry.name != tableName)
            continue;
        const Table &t = table(entry.path);
        for (int i = 0; t.readable && i < t.tree.size(); ++i) {
            const FoodNode &node = t.tree.node(i);
            if (!node.isFood() || node.text != name)
                continue;
            TableFood food{node.calory, std::nullopt};
            if (const Nutrients *n = t.nutrients.find(name))
                food.nutrients = *n;
            return food;
        }
    }
    return std::nullopt;
}

} // namespace zk
