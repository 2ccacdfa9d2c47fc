// The tree builder of calorie tables: whatever a table holds, the tree it
// gives is consistent (parents before children, each child listed once at
// its row), each food's value writes back as a decimal that reads the same,
// and the list view holds exactly the foods, in collation order.
#include "caldata/calvalue.h"
#include "caldata/foodtree.h"
#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "fuzzsupport.h"

#include <QCollator>

#include <cstdint>

using zk::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    zk::fuzz::useJapaneseRegional();

    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    zk::FoodTree tree;
    try {
        tree = zk::FoodTree::parse(bytes);
    } catch (const zk::Error &) {
        return 0;
    }
    int listed = 0;
    int foods = 0;
    for (int parent = -1; parent < tree.size(); ++parent) {
        const QList<int> &children = tree.children(parent);
        for (int row = 0; row < children.size(); ++row) {
            const int child = children[row];
            check(child > parent && child < tree.size());
            check(tree.node(child).parent == parent);
            check(tree.node(child).row == row);
            ++listed;
        }
        if (parent >= 0 && tree.node(parent).isFood())
            ++foods;
    }
    check(listed == tree.size());
    for (int i = 0; i < tree.size(); ++i) {
        const zk::FoodNode &node = tree.node(i);
        check(!node.text.contains('\r') && !node.text.contains('\n') && !node.text.contains('\0'));
        if (node.isFood() && node.calory != 0)
            check(zk::readCalory(QByteArray::number(node.calory)) == node.calory);
    }

    const zk::FoodTree list = tree.dictionary();
    check(list.size() == foods);
    check(list.roots().size() == foods);
    QCollator collator(zk::Regional::current().locale());
    collator.setCaseSensitivity(Qt::CaseSensitive);
    for (int i = 0; i < list.size(); ++i) {
        check(list.node(i).isFood() && list.node(i).parent == -1);
        if (i > 0) {
            const QString a = zk::sjis::decode(list.node(list.roots()[i - 1]).text);
            const QString b = zk::sjis::decode(list.node(list.roots()[i]).text);
            const int c = collator.compare(a, b);
            check(c < 0 || (c == 0 && a <= b));
        }
    }
    return 0;
}
