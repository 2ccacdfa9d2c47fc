// The reader of nutrient files: whatever a file holds, every food it gives
// nutrients to is named by a line of the file, its amount is a positive
// number of grams or one portion, every known value is a finite number not
// below zero, and the foods of a table get exactly the lines of their names.
#include "caldata/foodtree.h"
#include "caldata/nutrients.h"
#include "common/textutil.h"
#include "fuzzsupport.h"

#include <cmath>
#include <cstdint>

using zk::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const zk::NutrientTable table = zk::NutrientTable::parse(bytes);
    QSet<QByteArray> names;
    for (const QByteArray &line : zk::splitLines(bytes)) {
        const char separator = line.contains('\xFF') ? '\xFF' : '\t';
        names.insert(zk::Split(line, separator).first());
    }
    check(table.size() <= names.size());

    // A table of one food per name of the file, and one that no line names.
    QByteArray cal;
    for (const QByteArray &name : std::as_const(names)) {
        if (!name.isEmpty() && !name.contains(':') && !name.startsWith('@') &&
            !name.startsWith(' ') && !name.startsWith('\t'))
            cal += name + ":1\r\n";
    }
    cal += "\xFF\xFF:2\r\n";
    zk::FoodTree tree = zk::FoodTree::parse(cal);
    tree.attachNutrients(table);
    for (int i = 0; i < tree.size(); ++i) {
        const zk::FoodNode &food = tree.node(i);
        const zk::Nutrients *n = tree.nutrients(food);
        check((n != nullptr) == (table.find(food.text) != nullptr));
        if (!n)
            continue;
        check(*n == *table.find(food.text));
        check(n->grams == 0 || (std::isfinite(n->grams) && n->grams > 0));
        for (const zk::Nutrients::Value &v : n->values)
            check(!v || (std::isfinite(*v) && *v >= 0));
    }
    return 0;
}
