#include "app/intakerow.h"

#include "common/error.h"
#include "common/sjis.h"
#include "common/textutil.h"
#include "records/intakediary.h"

#include <algorithm>
#include <numeric>

namespace zk {
namespace {

// A table name comes from a file name, which may hold a character Shift-JIS
// has no code for: that character is written as "?", the rest as it is.
QByteArray encodeShown(const QString &text) {
    try {
        return sjis::encode(text);
    } catch (const Error &) {
        QByteArray bytes;
        for (const char32_t code : text.toUcs4()) {
            try {
                bytes += sjis::encode(QString::fromUcs4(&code, 1));
            } catch (const Error &) {
                bytes += '?';
            }
        }
        return bytes;
    }
}

void countFor(IntakeRow &row) {
    row.list.value = row.food.caloriesFor(row.amount);
    row.list.calory = kcalText(row.list.value);
    row.eaten = row.food.nutrientsFor(row.amount);
}

int compareNumbers(const std::optional<double> &x, const std::optional<double> &y) {
    if (!x || !y)
        return int(!x) - int(!y); // a known value before an unknown one
    return (*y > *x) - (*y < *x); // the largest first
}

} // namespace

IntakeFood IntakeFood::of(qint32 calory, const Nutrients *nutrients) {
    IntakeFood food{double(calory), Amount::portions(1), {}};
    if (!nutrients)
        return food;
    if (!nutrients->perPortion())
        food.basis = Amount::grams(nutrients->grams);
    food.nutrients = {nutrients->values[Nutrients::Protein], nutrients->values[Nutrients::Fat],
                      nutrients->values[Nutrients::Carbohydrate],
                      nutrients->values[Nutrients::Salt]};
    return food;
}

int IntakeFood::caloriesFor(const Amount &amount) const {
    // A hand-made cell of billions of kilocalories stays a number the total can add.
    const double kcal = roundHalfUp(calory * amount.quantity / basis.quantity, 0);
    return int(std::clamp(kcal, -1e9, 1e9));
}

IntakeNutrients IntakeFood::nutrientsFor(const Amount &amount) const {
    IntakeNutrients eaten;
    for (int n = 0; n < IntakeNutrientCount; ++n) {
        if (!nutrients[n])
            continue;
        const double grams = roundHalfUp(*nutrients[n] * amount.quantity / basis.quantity, 1);
        if (grams <= mostNutrientGrams)
            eaten[n] = grams;
    }
    return eaten;
}

IntakeRow IntakeRow::added(const QByteArray &name, const QString &category, const IntakeFood &food,
                           const Amount &amount) {
    IntakeRow row;
    row.list.foods = name;
    row.list.category = category;
    row.list.foodsText = sjis::decode(name);
    row.amount = amount;
    row.food = food;
    row.fromTable = true;
    countFor(row);
    return row;
}

IntakeRow IntakeRow::stored(const ListRow &cells) {
    const QByteArray foods = cells.value(intakecells::foods);
    const QByteArray calory = cells.value(intakecells::calory);
    IntakeRow row;
    row.list = {foods,
                sjis::decode(cells.value(intakecells::category)),
                sjis::decode(calory),
                IntakeCalory(calory),
                sjis::decode(foods),
                cells};
    row.amount = IntakeRowAmount(cells);
    row.eaten = IntakeRowNutrients(cells);
    row.food = {double(row.list.value), row.amount, row.eaten};
    return row;
}

ListRow IntakeRow::cells() const {
    if (!list.stored.isEmpty())
        return list.stored;
    return ListRow{list.foods, encodeShown(list.category), encodeShown(list.calory)} +
           IntakeAmountCells(amount, eaten);
}

void IntakeRow::setAmount(const Amount &to, TableFoods &tables) {
    if (to.unit != amount.unit || !to.isValid())
        return;
    const bool amountStored = Amount::parse(list.stored.value(intakecells::amount)).has_value();
    if (!fromTable && amountStored) {
        if (const std::optional<TableFood> found = tables.find(list.category, list.foods)) {
            const IntakeFood table = IntakeFood::of(*found);
            fromTable = table.basis.unit == amount.unit &&
                        table.caloriesFor(amount) == list.value &&
                        table.nutrientsFor(amount) == eaten;
            if (fromTable)
                food = table;
        }
    }
    amount = to;
    list.stored.clear();
    countFor(*this);
}

bool IntakeRow::lacksNutrients() const {
    return std::any_of(eaten.begin(), eaten.end(), [](const auto &value) { return !value; });
}

int IntakeListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant IntakeListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    const IntakeRow &r = row(index.row());
    const int column = index.column();
    const int nutrient = column - FirstNutrient;
    switch (role) {
    case Qt::DisplayRole:
        if (column == Foods)
            return r.list.foodsText;
        if (column == Category)
            return r.list.category;
        if (column == Calory)
            return r.list.calory;
        if (column == AmountColumn)
            return r.amount.text();
        return NutrientText(r.eaten[nutrient]);
    case Qt::EditRole:
        return column == AmountColumn ? QVariant(r.amount.quantity) : QVariant();
    case AmountUnitRole:
        return int(r.amount.unit);
    case Qt::AccessibleTextRole:
        // "−" would be read as a minus sign.
        if (nutrient >= 0 && !r.eaten[nutrient])
            return QStringLiteral("不明");
        return {};
    case Qt::TextAlignmentRole:
        if (column >= Calory)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

bool IntakeListModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || index.column() != AmountColumn || role != Qt::EditRole)
        return false;
    bool ok = false;
    const Amount amount{row(index.row()).amount.unit, roundHalfUp(value.toDouble(&ok), 2)};
    if (!ok || !amount.isValid())
        return false;
    Q_EMIT amountEdited(index.row(), amount);
    return true;
}

Qt::ItemFlags IntakeListModel::flags(const QModelIndex &index) const {
    Qt::ItemFlags flags = RowListModel::flags(index);
    if (index.isValid() && index.column() == AmountColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant IntakeListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    static const char16_t *const captions[ColumnCount] = {
        u"Foods", u"Category", u"Calory", u"量", u"P", u"F", u"C", u"塩分"};
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf16(captions[section]);
    case Qt::ToolTipRole:
        if (section >= FirstNutrient)
            return IntakeNutrientName(IntakeNutrient(section - FirstNutrient));
        return {};
    case Qt::TextAlignmentRole:
        if (section >= Calory)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

void IntakeListModel::sortBy(int sortKey) {
    if (sortKey == 0)
        return;
    QList<int> order(rows().size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return intakeCompare(row(a), row(b), sortKey) < 0; });
    reorder(order);
}

int intakeCompare(const IntakeRow &x, const IntakeRow &y, int sortKey) {
    const int column = std::abs(sortKey);
    if (column <= 3)
        return lsvCalCompare(x.list, y.list, sortKey);
    int result = 0;
    if (column == IntakeListModel::AmountColumn + 1)
        result = x.amount.unit != y.amount.unit
                     ? (x.amount.unit == Amount::Unit::Grams ? -1 : 1)
                     : compareNumbers(x.amount.quantity, y.amount.quantity);
    else if (column <= IntakeListModel::ColumnCount)
        result = compareNumbers(x.eaten[column - IntakeListModel::FirstNutrient - 1],
                                y.eaten[column - IntakeListModel::FirstNutrient - 1]);
    return sortKey < 0 ? -result : result;
}

} // namespace zk
