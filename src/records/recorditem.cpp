#include "records/recorditem.h"

#include "common/listtable.h"
#include "common/platform.h"
#include "common/storedfiles.h"
#include "common/textutil.h"

#include <QFileInfo>

namespace zk {

std::optional<QList<RecordItem>> LoadRecordItems() {
    const QString path = ProgramFolder::file(storedfiles::graphDat);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    QList<RecordItem> items;
    for (const ListRow &row : parseListFile(readFileBytes(path)))
        items.append({row.value(0), row.value(1), row.value(2)});
    return items;
}

QByteArray FormatItemEntry(const RecordItem &item) {
    if (item.unit.isEmpty())
        return item.name;
    return item.name + '[' + item.unit + ']';
}

ItemEntryParts ParseItemEntry(const QString &entry) {
    // Works on characters, not bytes: "[" and "]" are valid second bytes of
    // double-byte characters.
    if (!entry.endsWith(u']'))
        return {entry, {}};
    const qsizetype close = entry.size() - 1;
    const qsizetype open = entry.left(close).lastIndexOf(u'[');
    if (open < 0)
        return {{}, entry.left(close)};
    return {entry.left(open), entry.mid(open + 1, close - open - 1)};
}

} // namespace zk
