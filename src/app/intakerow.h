#pragma once

#include "caldata/calorielist.h"
#include "caldata/foodlookup.h"
#include "common/rowlistmodel.h"
#include "records/intakeamount.h"

#include <QObject>

namespace zk {

// What a row of the intake list is counted from: kilocalories and nutrients
// for a basis amount (100 g or one portion of a food of a table; for a row
// read from a day file, the amount it was stored with and what was stored).
struct IntakeFood {
    double calory = 0;
    Amount basis;
    IntakeNutrients nutrients;

    // A food of a table: by weight when its nutrients are given for grams,
    // otherwise by the portion its kilocalories are for.
    static IntakeFood of(qint32 calory, const Nutrients *nutrients);
    static IntakeFood of(const TableFood &food) {
        return of(food.calory, food.nutrients ? &*food.nutrients : nullptr);
    }
    // The kilocalories (whole) and nutrients (one decimal) of an amount of
    // the basis's unit.
    int caloriesFor(const Amount &amount) const;
    IntakeNutrients nutrientsFor(const Amount &amount) const;
};

// A row of the intake list: the three cells of a food list, the amount, the
// food it is counted from and what that gives for the amount.
struct IntakeRow {
    CalorieRow list; // Calory and its value are for the amount
    Amount amount;
    IntakeFood food;
    IntakeNutrients eaten; // for the amount
    // The food's values come from its table (or from what the row stores,
    // whose table is not known or holds other values now).
    bool fromTable = false;

    // A food added now, at an amount of its unit.
    static IntakeRow added(const QByteArray &name, const QString &category, const IntakeFood &food,
                           const Amount &amount);
    // A row of a day file as stored: its calories and nutrients as the cells
    // give them, for its amount.
    static IntakeRow stored(const ListRow &cells);
    // The day file's cells: as read while the row is untouched.
    ListRow cells() const;

    // Another amount of the same unit; the calories and nutrients follow.
    // A stored row first looks for its food in its table: when that food at
    // the stored amount gives what was stored, its values count from now on,
    // so that a changed amount is worked out from the table, not from rounded
    // cells. `tables` reads each table once for all the rows changed at once.
    void setAmount(const Amount &amount, TableFoods &tables);
    // Whether any of the four nutrients is unknown.
    bool lacksNutrients() const;
};

// The intake list's rows as a table: Foods, Category, Calory, 量, and the
// nutrients P, F, C and 塩分 for the amount ("−" when unknown). The amount is
// edited in place: an edit emits amountEdited and changes nothing itself.
class IntakeListModel : public RowListModel<IntakeRow> {
    Q_OBJECT
public:
    enum Column { Foods, Category, Calory, AmountColumn, FirstNutrient, ColumnCount = 8 };
    enum Role { AmountUnitRole = Qt::UserRole }; // int(Amount::Unit) of the row

    using RowListModel::RowListModel;

    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Sorts by a sort key: ±1..3 as every food list, ±4 the amount (grams
    // before portions), ±5..8 a nutrient, the largest first and unknown last.
    void sortBy(int sortKey);

Q_SIGNALS:
    // The user chose an amount in the row's editor; it is within the range.
    void amountEdited(int row, const Amount &amount);
};

// Row order under an intake list's sort key; negative places x first.
int intakeCompare(const IntakeRow &x, const IntakeRow &y, int sortKey);

} // namespace zk
