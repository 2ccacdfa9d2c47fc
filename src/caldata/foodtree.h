#pragma once

#include "caldata/forest.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zk {

// One entry of a calorie table: a food (no children) or a heading.
struct FoodNode : ForestLinks {
    QByteArray text; // Shift-JIS, as in the file
    qint32 calory = 0;

    bool isFood() const { return children.isEmpty(); }
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

private:
    void appendNode(QByteArray text, qint32 calory, int parent);
};

} // namespace zk
