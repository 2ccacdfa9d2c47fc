// A dish saved into the table of Myﾒﾆｭｰ and its nutrient file, whatever the
// two files held: a table that does not read is refused; otherwise the table
// has the dish at its value (every food of its name, or one new one), every
// other line of both files keeps its bytes in its order, and the nutrient
// file gives the dish exactly its nutrients (a NUL, which ends what is read,
// comes after them).
#include "app/mymenus.h"
#include "caldata/foodtree.h"
#include "caldata/nutrients.h"
#include "common/error.h"
#include "fuzzsupport.h"

#include <cstdint>

using zk::fuzz::check;

namespace {

// Whether every line of `part` (line ends included) is in `whole` in order.
bool keptInOrder(const QByteArray &part, const QByteArray &whole) {
    qsizetype at = 0;
    for (qsizetype start = 0; start < part.size();) {
        qsizetype end = part.indexOf('\n', start);
        end = end < 0 ? part.size() : end + 1;
        const qsizetype found = whole.indexOf(part.sliced(start, end - start), at);
        if (found < 0)
            return false;
        at = found + (end - start);
        start = end;
    }
    return true;
}

// What a reader reads of a file, up to a NUL, and what comes from the NUL on.
QByteArray textOf(const QByteArray &bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}
QByteArray restOf(const QByteArray &bytes) {
    return bytes.sliced(textOf(bytes).size());
}

int foodsNamed(const zk::FoodTree &tree, const QByteArray &name, qint32 calory) {
    int count = 0;
    for (int i = 0; i < tree.size(); ++i)
        count +=
            tree.node(i).isFood() && tree.node(i).text == name && tree.node(i).calory == calory;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // The table, then after two NULs the nutrient file; the first byte picks the dish.
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size) - 1);
    const qsizetype cut = bytes.indexOf(QByteArrayView("\0\0", 2));
    zk::MyMenus::Files before{cut < 0 ? bytes : bytes.left(cut), std::nullopt};
    if (cut >= 0)
        before.nutrients = bytes.sliced(cut + 2);
    zk::MyMenus::Menu menu{
        data[0] % 2 ? QByteArray("b") : QByteArray("\x92\xa9"), data[0] % 5 * 100, {}};
    if (data[0] % 3)
        menu.nutrients = {2.5, 0.3, data[0] % 3 == 1 ? std::optional(37.1) : std::nullopt, 0.0};

    zk::FoodTree old;
    try {
        old = zk::FoodTree::parse(before.table);
    } catch (const zk::Error &) {
        try {
            zk::MyMenus::withMenu(before, menu, QDate(2026, 12, 9));
            check(false); // a table that does not read is not the program's to rewrite
        } catch (const zk::Error &) {
        }
        return 0;
    }
    zk::MyMenus::Files after;
    try {
        after = zk::MyMenus::withMenu(before, menu, QDate(2026, 12, 9));
    } catch (const zk::Error &) {
        check(false); // a table that reads always takes the dish
    }
    // The dish is a food at its value: lines of its name given the value, or
    // one food more, added where the text ends (before a NUL).
    const int had = foodsNamed(old, menu.name, menu.calory);
    const int has = foodsNamed(zk::FoodTree::parse(after.table), menu.name, menu.calory);
    const auto ends = [](const QByteArray &b) { return b.count('\n') + b.count('\r'); };
    if (ends(after.table) > ends(before.table))
        check(has == had + 1 && after.table.startsWith(textOf(before.table)) &&
              after.table.endsWith(restOf(before.table)));
    else
        check(has > 0 && ends(after.table) == ends(before.table));

    const bool anyKnown = std::any_of(menu.nutrients.begin(), menu.nutrients.end(),
                                      [](const auto &v) { return v.has_value(); });
    check(after.nutrients.has_value() == (before.nutrients.has_value() || anyKnown));
    if (!after.nutrients)
        return 0;
    if (before.nutrients && !before.nutrients->contains(menu.name))
        check(keptInOrder(textOf(*before.nutrients), textOf(*after.nutrients)) &&
              after.nutrients->endsWith(restOf(*before.nutrients)));
    const zk::NutrientTable table = zk::NutrientTable::parse(*after.nutrients);
    const zk::Nutrients *n = table.find(menu.name);
    check((n != nullptr) == anyKnown);
    if (n) {
        check(n->perPortion() && !n->values[zk::Nutrients::Fibre]);
        check(n->values[zk::Nutrients::Protein] == menu.nutrients[zk::Protein]);
        check(n->values[zk::Nutrients::Carbohydrate] == menu.nutrients[zk::Carbohydrate]);
    }
    return 0;
}
