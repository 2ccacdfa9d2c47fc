#include "caldata/calsearch.h"

#include "caldata/calvalue.h"
#include "common/error.h"
#include "common/sjis.h"
#include "common/textutil.h"

#include <QFileInfo>
#include <QScopeGuard>

namespace zk {
namespace {

bool isDoubleByte(QByteArrayView text, qsizetype i) {
    return i + 1 < text.size() && sjis::isLeadByte(uchar(text[i])) &&
           sjis::isTrailByte(uchar(text[i + 1]));
}

void lowerInto(QByteArrayView text, char *out) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (isDoubleByte(text, i)) {
            out[i] = text[i];
            out[i + 1] = text[i + 1];
            i += 2;
            continue;
        }
        const char c = text[i];
        out[i] = (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
        ++i;
    }
}

// Looks for the text in an already lower-cased name, accepting only
// occurrences that start on a character.
bool findOnBoundary(QByteArrayView lowerName, QByteArrayView lowerText) {
    if (lowerText.isEmpty() || lowerName.isEmpty())
        return false;
    qsizetype walker = 0; // the start of a character, never past a candidate
    for (qsizetype from = 0;;) {
        const qsizetype pos = lowerName.indexOf(lowerText, from);
        if (pos < 0)
            return false;
        while (walker < pos)
            walker += isDoubleByte(lowerName, walker) ? 2 : 1;
        if (walker == pos)
            return true;
        from = pos + 1;
    }
}

QByteArrayView trimmed(QByteArrayView line) {
    qsizetype b = 0;
    qsizetype e = line.size();
    while (b < e && uchar(line[b]) <= 0x20)
        ++b;
    while (e > b && uchar(line[e - 1]) <= 0x20)
        --e;
    return line.sliced(b, e - b);
}

class TableSearch {
public:
    TableSearch(const SearchCondition &condition, const QString &tableName)
        : m_condition(condition)
        , m_text(lowerAscii(condition.text))
        , m_tableName(tableName) {}

    QList<CalorieRow> run(QByteArrayView bytes) {
        const qsizetype nul = bytes.indexOf('\0');
        const QByteArrayView body = nul < 0 ? bytes : bytes.first(nul);
        if (m_condition.caloryOn)
            readEveryLine(body);
        else if (!m_text.isEmpty())
            readLinesWithText(body);
        return std::move(m_rows);
    }

private:
    static qsizetype lineEnd(QByteArrayView body, qsizetype from) {
        qsizetype i = from;
        while (i < body.size() && body[i] != '\r' && body[i] != '\n')
            ++i;
        return i;
    }

    // With the calorie condition every line has to be read.
    void readEveryLine(QByteArrayView body) {
        QByteArray lowered(body.size(), Qt::Uninitialized);
        lowerInto(body, lowered.data());
        for (qsizetype start = 0; start < body.size();) {
            const qsizetype end = lineEnd(body, start);
            readLine(body, lowered, start, end);
            start = end + 1;
        }
    }

    // Text alone: only the lines holding the text somewhere are read, found
    // by a search through the whole lower-cased file (the offsets are the
    // same in both).
    void readLinesWithText(QByteArrayView body) {
        QByteArray lowered(body.size(), Qt::Uninitialized);
        lowerInto(body, lowered.data());
        const QByteArrayView low(lowered);
        for (qsizetype from = 0;;) {
            const qsizetype hit = low.indexOf(m_text, from);
            if (hit < 0)
                return;
            qsizetype start = hit;
            while (start > 0 && body[start - 1] != '\r' && body[start - 1] != '\n')
                --start;
            const qsizetype end = lineEnd(body, hit);
            readLine(body, lowered, start, end);
            from = end + 1;
            if (from >= body.size())
                return;
        }
    }

    void readLine(QByteArrayView body, const QByteArray &lowered, qsizetype start, qsizetype end) {
        const QByteArrayView raw = body.sliced(start, end - start);
        const QByteArrayView line = trimmed(raw);
        if (line.isEmpty() || line.front() == '@')
            return;
        const qsizetype offset = start + (line.data() - raw.data());
        const qsizetype colon = line.lastIndexOf(':');
        const QByteArrayView name = colon < 0 ? QByteArrayView() : line.first(colon);
        const qint32 value = readCalory(line.sliced(colon + 1));
        const bool textMatch =
            findOnBoundary(QByteArrayView(lowered).sliced(offset, name.size()), m_text);
        const bool caloryMatch =
            m_condition.caloryOn && m_condition.minimum <= value && value <= m_condition.maximum;
        if (!textMatch && !caloryMatch)
            return;
        CalorieRow row;
        row.foods = name.toByteArray();
        row.foodsText = sjis::decode(name);
        row.category = m_tableName;
        row.calory = QString::number(value) + QStringLiteral(" kcal");
        row.value = value;
        m_rows.append(std::move(row));
    }

    const SearchCondition &m_condition;
    const QByteArray m_text;
    const QString &m_tableName;
    QList<CalorieRow> m_rows;
};

} // namespace

QByteArray lowerAscii(QByteArrayView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    lowerInto(text, out.data());
    return out;
}

bool containsText(QByteArrayView name, QByteArrayView lowerText) {
    return findOnBoundary(lowerAscii(name), lowerText);
}

QList<CalorieRow> searchTable(QByteArrayView bytes, const SearchCondition &condition,
                              const QString &tableName) {
    return TableSearch(condition, tableName).run(bytes);
}

QList<int> searchTargets(int tableCount, int currentEntry, const QList<int> &selectedEntries) {
    QList<int> targets;
    const bool all = selectedEntries.isEmpty() || currentEntry == 0;
    for (int entry = 1; entry <= tableCount; ++entry) {
        if (all || selectedEntries.contains(entry))
            targets.append(entry - 1);
    }
    return targets;
}

CalSearch::CalSearch(SortKey &sortKey, QObject *parent)
    : QObject(parent)
    , m_sortKey(sortKey) {}

bool CalSearch::run(const QList<CalCatalogue::Entry> &tables, const SearchCondition &condition,
                    const std::function<void(const QString &path)> &beforeTable) {
    if (m_running)
        return false;
    m_running = true;
    const auto done = qScopeGuard([this] {
        m_running = false;
        Q_EMIT finished();
    });
    m_results.clear();
    for (const CalCatalogue::Entry &table : tables) {
        if (beforeTable)
            beforeTable(table.path);
        const QFileInfo info(table.path);
        if (!info.exists())
            continue;
        // Only regular files are read: a pipe or device would block the program.
        if (!info.isFile())
            throw Error(QStringLiteral("ファイル %1 は開けません").arg(table.path));
        const QList<CalorieRow> rows =
            searchTable(readFileBytes(table.path), condition, table.name);
        for (const CalorieRow &row : rows)
            m_results.append(row);
        if (m_keepSorted && !rows.isEmpty())
            m_results.sortBy(m_sortKey.value());
    }
    return true;
}

void CalSearch::sortByColumn(int column) {
    m_keepSorted = false;
    m_results.sortBy(m_sortKey.click(column + 1));
}

} // namespace zk
