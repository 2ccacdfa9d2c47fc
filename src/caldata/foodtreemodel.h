#pragma once

#include "caldata/foodtree.h"
#include "caldata/forestmodel.h"

namespace zk {

// The food tree of the loaded table. Column Text shows a node's text; column
// Calory shows a food's kilocalories ("1,234 kcal"), which the tool tip of a
// food repeats under its name, with its nutrients when they are known, so
// that the text itself stays what the table says. A food of a list the
// program makes shows its serving instead.
class FoodTreeModel : public ForestModel<FoodTree> {
    Q_OBJECT
public:
    enum Column { Text, Calory, ColumnCount };
    enum Role {
        CaloryRole = Qt::UserRole + 1, // int: the node's value
        TextBytesRole,                 // QByteArray: the text as in the file
        IsFoodRole,                    // bool: the node has no children
        // QString: a food's nutrients (a serving's amount, kilocalories and
        // table as well), empty when none are known
        NutrientSummaryRole,
    };

    explicit FoodTreeModel(QObject *parent = nullptr);

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // A food's kilocalories as shown: "1,234 kcal".
    static QString caloryText(qint32 calory);
};

} // namespace zk
