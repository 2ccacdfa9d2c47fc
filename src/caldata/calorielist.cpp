#include "caldata/calorielist.h"

#include "common/platform.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace zk {

qint64 leadingNumber(const QString &cell) {
    qsizetype i = 0;
    const bool negative = cell.startsWith(u'-');
    if (negative)
        ++i;
    qint64 value = 0;
    bool any = false;
    for (; i < cell.size(); ++i) {
        const QChar c = cell[i];
        if (c >= u'0' && c <= u'9') {
            any = true;
            value = std::min<qint64>(value * 10 + (c.unicode() - u'0'), Q_INT64_C(1) << 40);
        } else if (c != u',' || !any) {
            break;
        }
    }
    return negative ? -value : value;
}

int lsvCalCompare(const CalorieRow &x, const CalorieRow &y, int sortKey) {
    int result = 0;
    switch (sortKey < 0 ? -sortKey : sortKey) {
    case 1:
        result = Regional::current().compare(x.foodsText, y.foodsText);
        break;
    case 2:
        result = Regional::current().compare(x.category, y.category);
        break;
    case 3: {
        const qint64 d = leadingNumber(y.calory) - leadingNumber(x.calory);
        result = (d > 0) - (d < 0);
        break;
    }
    default:
        return 0;
    }
    return sortKey < 0 ? -result : result;
}

std::array<int, 3> foodListColumnWidths(int outerWidth) {
    const int w = outerWidth - 20;
    const int u = w / 9;
    return {4 * u, 3 * u, w - 7 * u};
}

int CalorieListModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CalorieListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    const CalorieRow &r = row(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Foods:
            return r.foodsText;
        case Category:
            return r.category;
        case Calory:
            return r.calory;
        default:
            return {};
        }
    }
    if (role == Qt::TextAlignmentRole && index.column() == Calory)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant CalorieListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
        case Foods:
            return QStringLiteral("Foods");
        case Category:
            return QStringLiteral("Category");
        case Calory:
            return QStringLiteral("Calory");
        default:
            return {};
        }
    }
    if (role == Qt::TextAlignmentRole && section == Calory)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

void CalorieListModel::sortBy(int sortKey, qsizetype sortedRows) {
    if (sortKey == 0)
        return;
    QList<int> order(rows().size());
    std::iota(order.begin(), order.end(), 0);
    const auto inOrder = [&](int a, int b) { return lsvCalCompare(row(a), row(b), sortKey) < 0; };
    // New rows are placed by binary search among the sorted ones, after any
    // equal one, as a stable sort of them all would: a search adding a few
    // rows to many then compares a few times per row, not once per row held.
    const auto middle = order.begin() + std::clamp<qsizetype>(sortedRows, 0, order.size());
    std::stable_sort(middle, order.end(), inOrder);
    if (middle != order.begin() && middle != order.end()) {
        std::vector<int> merged;
        merged.reserve(size_t(order.size()));
        auto from = order.begin();
        for (auto added = middle; added != order.end(); ++added) {
            const auto at = std::upper_bound(from, middle, *added, inOrder);
            merged.insert(merged.end(), from, at);
            merged.push_back(*added);
            from = at;
        }
        merged.insert(merged.end(), from, middle);
        std::copy(merged.begin(), merged.end(), order.begin());
    }
    reorder(order);
}

} // namespace zk
