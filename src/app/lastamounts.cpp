#include "app/lastamounts.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/savefile.h"
#include "common/sjis.h"
#include "common/storedfiles.h"
#include "common/textutil.h"

#include <QFileInfo>

namespace zk {
namespace {

QString amountsPath() {
    return ProgramFolder::file(storedfiles::amountsDat);
}

QByteArray tableCell(const QString &table) {
    try {
        return sjis::encode(table);
    } catch (const Error &) {
        return table.toUtf8(); // a name Shift-JIS cannot hold still finds itself
    }
}

} // namespace

void LastAmounts::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    try {
        if (QFileInfo(amountsPath()).isFile())
            m_rows = parseListFile(readFileBytes(amountsPath()));
    } catch (const Error &) {
        // Without the file every food starts at its basis.
    }
}

std::optional<Amount> LastAmounts::of(const QString &table, const QByteArray &food,
                                      Amount::Unit unit) {
    load();
    const QByteArray tableBytes = tableCell(table);
    for (qsizetype i = m_rows.size() - 1; i >= 0; --i) {
        const ListRow &row = m_rows.at(i);
        if (row.value(1) != food || row.value(0) != tableBytes)
            continue;
        const std::optional<Amount> amount = Amount::parse(row.value(2));
        return amount && amount->unit == unit ? amount : std::nullopt;
    }
    return std::nullopt;
}

void LastAmounts::remember(const QList<Choice> &choices) {
    load();
    for (const Choice &choice : choices) {
        const QByteArray tableBytes = tableCell(choice.table);
        m_rows.removeIf([&](const ListRow &row) {
            return row.value(1) == choice.food && row.value(0) == tableBytes;
        });
        m_rows.append({tableBytes, choice.food, choice.amount.cell()});
    }
    if (m_rows.size() > limit)
        m_rows.remove(0, m_rows.size() - limit);
    SaveStringToFile(amountsPath(), listFileBytes(m_rows));
}

} // namespace zk
