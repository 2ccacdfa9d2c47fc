#pragma once

class QHeaderView;

namespace zk {

class SortKey;

// Keeps the sort indicator of a food list's header on the column and in the
// direction that the shared sort key names, whichever list set it.
void followSortKey(QHeaderView *header, const SortKey &key);

} // namespace zk
