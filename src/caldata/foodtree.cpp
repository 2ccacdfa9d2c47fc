#include "caldata/foodtree.h"

#include "caldata/calvalue.h"
#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/textutil.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>
#include <numeric>

namespace zk {
namespace {

// One line of the file before the nodes are finished.
struct RawLine {
    QByteArrayView content;
    int level;
};

bool isBlank(QByteArrayView content) {
    for (char c : content) {
        if (uchar(c) > 0x20)
            return false;
    }
    return true;
}

} // namespace

int calIndentation(QByteArrayView line) {
    int level = 0;
    while (level < line.size() && (line[level] == '\t' || line[level] == ' '))
        ++level;
    return level;
}

FoodTree FoodTree::parse(QByteArrayView bytes) {
    // First every line gets its tree level, checked against the level of the
    // node made for the line before it.
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArrayView body = nul < 0 ? bytes : bytes.first(nul);
    QList<RawLine> lines;
    qsizetype start = 0;
    auto addLine = [&](qsizetype end) {
        const QByteArrayView line = body.sliced(start, end - start);
        const int indent = calIndentation(line);
        const QByteArrayView content = line.sliced(indent);
        int level = 0;
        if (!lines.isEmpty()) {
            const int previous = lines.last().level;
            if (indent > previous + 1) {
                throw Error(QStringLiteral("アイテム \"%1\" の階層 (%2) が不正です")
                                .arg(sjis::decode(content), QString::number(indent)));
            }
            level = indent;
        }
        lines.append({content, level});
    };
    for (qsizetype i = 0; i < body.size();) {
        const char c = body[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        addLine(i);
        i += (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < body.size())
        addLine(body.size());

    // Then the nodes are made; a blank line is dropped together with every
    // line below it in the tree.
    FoodTree tree;
    tree.reserve(lines.size());
    QList<int> path; // the node last made at each level
    int skipBelow = -1;
    for (const RawLine &line : std::as_const(lines)) {
        if (skipBelow >= 0) {
            if (line.level > skipBelow)
                continue;
            skipBelow = -1;
        }
        if (isBlank(line.content)) {
            skipBelow = line.level;
            continue;
        }
        QByteArray text;
        qint32 calory = 0;
        if (line.content.startsWith('@')) {
            text = line.content.sliced(1).toByteArray();
        } else {
            // ':' never occurs inside a double-byte character.
            const qsizetype colon = line.content.lastIndexOf(':');
            if (colon >= 0)
                text = line.content.first(colon).toByteArray();
            calory = readCalory(line.content.sliced(colon + 1));
        }
        path.resize(line.level);
        FoodNode node;
        node.text = std::move(text);
        node.calory = calory;
        tree.append(std::move(node), line.level > 0 ? path[line.level - 1] : -1);
        path.append(tree.size() - 1);
    }
    return tree;
}

FoodTree FoodTree::load(const QString &path) {
    return parse(readFileBytes(path));
}

FoodTree FoodTree::dictionary() const {
    QList<int> foods;
    for (int i = 0; i < size(); ++i) {
        if (node(i).isFood())
            foods.append(i);
    }
    // Decode and build the collation keys once: comparing keys is far
    // cheaper than collating two texts in every comparison of the sort.
    QCollator collator(Regional::current().locale());
    collator.setCaseSensitivity(Qt::CaseSensitive);
    QList<QString> texts;
    QList<QCollatorSortKey> keys;
    texts.reserve(foods.size());
    keys.reserve(foods.size());
    for (int i : std::as_const(foods)) {
        texts.append(sjis::decode(node(i).text));
        keys.append(collator.sortKey(texts.last()));
    }
    QList<int> order(foods.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (const int c = keys[a].compare(keys[b]))
            return c < 0;
        return texts[a] < texts[b];
    });

    FoodTree list;
    list.reserve(foods.size());
    list.m_nutrients = m_nutrients;
    list.m_servings = m_servings;
    for (int k : std::as_const(order))
        list.append(node(foods[k]), -1); // a food has no children to carry along
    return list;
}

void FoodTree::appendServing(QByteArray text, FoodServing serving) {
    FoodNode food;
    food.text = std::move(text);
    food.calory = serving.calory;
    food.serving = int(m_servings.size());
    m_servings.append(std::move(serving));
    append(std::move(food), -1);
}

void FoodTree::attachNutrients(const NutrientTable &table) {
    if (table.isEmpty())
        return;
    for (int i = 0; i < size(); ++i) {
        FoodNode &food = mutableNode(i);
        if (!food.isFood())
            continue;
        if (const Nutrients *n = table.find(food.text)) {
            food.nutrients = int(m_nutrients.size());
            m_nutrients.append(*n);
        }
    }
}

} // namespace zk
