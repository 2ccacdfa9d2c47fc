#include "caldata/ui/sortindicator.h"

#include "caldata/calorielist.h"

#include <QHeaderView>

#include <cstdlib>

namespace zk {

void followSortKey(QHeaderView *header, const SortKey &key) {
    auto show = [header](int value) {
        const int column = std::abs(value) - 1;
        // A column of another list (the intake list's amounts) sorts nothing here.
        header->setSortIndicatorShown(value != 0 && column < header->count());
        if (value == 0)
            return;
        // The first direction of "Calory" and of the numbers after it puts
        // the largest value first.
        const bool ascending = (value > 0) != (column >= CalorieListModel::Calory);
        header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    };
    show(key.value());
    QObject::connect(&key, &SortKey::changed, header, show);
}

} // namespace zk
