#include "app/frequentfoods.h"

#include "app/lastamounts.h"
#include "common/error.h"
#include "common/sjis.h"
#include "records/intakediary.h"

#include <QHash>

#include <algorithm>

namespace zk {

FrequentFoodList CollectFrequentFoods(QDate today, LastAmounts *lastAmounts, int days, int most) {
    struct Seen {
        int count = 0;
        QDate lastDay;
        ListRow lastRow;
    };
    using Key = std::pair<QByteArray, QByteArray>; // Foods and Category cells
    QHash<Key, Seen> seen;
    FrequentFoodList list;
    // Day by day from the oldest, so that the last row seen is the latest.
    for (QDate day = today.addDays(1 - days); day <= today; day = day.addDays(1)) {
        ListRows rows;
        try {
            rows = LoadIntakeDay(day);
        } catch (const Error &) {
            list.unreadable.append(day);
            continue;
        }
        for (const ListRow &row : std::as_const(rows)) {
            Seen &food = seen[{row.value(intakecells::foods), row.value(intakecells::category)}];
            ++food.count;
            food.lastDay = day;
            food.lastRow = row;
        }
    }

    QList<std::pair<Key, Seen>> order;
    order.reserve(seen.size());
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        order.append({it.key(), it.value()});
    const auto first = [](const std::pair<Key, Seen> &x, const std::pair<Key, Seen> &y) {
        if (x.second.count != y.second.count)
            return x.second.count > y.second.count;
        if (x.second.lastDay != y.second.lastDay)
            return x.second.lastDay > y.second.lastDay;
        return x.first < y.first;
    };
    const qsizetype kept = std::min<qsizetype>(most, order.size());
    std::partial_sort(order.begin(), order.begin() + kept, order.end(), first);

    TableFoods tables;
    for (qsizetype i = 0; i < kept; ++i) {
        const auto &[key, food] = order[i];
        FrequentFood f;
        f.name = key.first;
        f.table = sjis::decode(key.second);
        f.count = food.count;
        f.lastDay = food.lastDay;
        if (const std::optional<TableFood> found = tables.find(f.table, f.name)) {
            f.food = IntakeFood::of(*found);
            f.tableNutrients = found->nutrients;
        } else {
            f.food = IntakeRow::stored(food.lastRow).food;
        }
        const std::optional<Amount> last =
            lastAmounts ? lastAmounts->of(f.table, f.name, f.food.basis.unit) : std::nullopt;
        f.amount = last.value_or(f.food.basis);
        list.foods.append(std::move(f));
    }
    return list;
}

const FrequentFood *FrequentFoodList::find(const QByteArray &name, const QString &table) const {
    for (const FrequentFood &food : foods) {
        if (food.name == name && food.table == table)
            return &food;
    }
    return nullptr;
}

FoodTree FrequentFoodTree(const FrequentFoodList &list) {
    FoodTree tree;
    for (const FrequentFood &f : list.foods) {
        FoodServing serving{f.table, f.amount.text(), f.food.caloriesFor(f.amount), std::nullopt};
        const IntakeNutrients eaten = f.food.nutrientsFor(f.amount);
        if (std::any_of(eaten.begin(), eaten.end(), [](const auto &v) { return v.has_value(); })) {
            Nutrients n;
            n.values[Nutrients::Protein] = eaten[Protein];
            n.values[Nutrients::Fat] = eaten[Fat];
            n.values[Nutrients::Carbohydrate] = eaten[Carbohydrate];
            n.values[Nutrients::Salt] = eaten[Salt];
            // The fibre is not counted by the list; its table may know it.
            if (const auto &fibre =
                    f.tableNutrients ? f.tableNutrients->values[Nutrients::Fibre] : std::nullopt)
                n.values[Nutrients::Fibre] =
                    roundHalfUp(*fibre * f.amount.quantity / f.food.basis.quantity, 1);
            serving.nutrients = n;
        }
        tree.appendServing(f.name, std::move(serving));
    }
    return tree;
}

QString FrequentFoodsStatus(const FrequentFoodList &list, bool diaryOn) {
    if (!diaryOn)
        return QStringLiteral(
            "よく食べる食品は食事の記録から選ばれます。"
            "「ﾘｽﾄを日付ごとに記録する」がオフのため、表示する食品はありません。");
    QString text = list.foods.isEmpty()
                       ? QStringLiteral("過去%1日の記録に食品がありません。").arg(frequentDays)
                       : QStringLiteral("よく食べる食品: 過去%1日の記録から%2件")
                             .arg(frequentDays)
                             .arg(list.foods.size());
    if (!list.unreadable.isEmpty())
        text += QStringLiteral(" ／ ") + UnreadableDaysText(list.unreadable);
    return text;
}

} // namespace zk
