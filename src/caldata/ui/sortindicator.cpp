#include "caldata/ui/sortindicator.h"

#include "caldata/calorielist.h"

#include <QHeaderView>

#include <cstdlib>

namespace zk {

void followSortKey(QHeaderView *header, const SortKey &key) {
    auto show = [header](int value) {
        header->setSortIndicatorShown(value != 0);
        if (value == 0)
            return;
        const int column = std::abs(value) - 1;
        // The first direction of "Calory" puts the largest value first.
        const bool ascending = (value > 0) != (column == CalorieListModel::Calory);
        header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    };
    show(key.value());
    QObject::connect(&key, &SortKey::changed, header, show);
}

} // namespace zk
