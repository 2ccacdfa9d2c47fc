#include "caldata/calsearch.h"

#include "caldata/calvalue.h"
#include "common/error.h"
#include "common/sjis.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QScopeGuard>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

namespace zk {
namespace {

bool isDoubleByte(QByteArrayView text, qsizetype i) {
    return i + 1 < text.size() && sjis::isLeadByte(uchar(text[i])) &&
           sjis::isTrailByte(uchar(text[i + 1]));
}

void lowerInto(QByteArrayView text, char *out) {
    const char *in = text.data();
    const qsizetype n = text.size();
    if (n == 0)
        return; // an empty view may have no data at all, not even for memcpy
    std::memcpy(out, in, size_t(n));
    for (qsizetype i = 0; i < n;) {
        const uchar b = uchar(in[i]);
        if (b < 0x80) {
            if (b >= 'A' && b <= 'Z')
                out[i] = char(b + ('a' - 'A'));
            ++i;
        } else {
            i += isDoubleByte(text, i) ? 2 : 1;
        }
    }
}

// Looks for the lower-cased text in a name (lower-cased too when the text has
// letters), accepting only occurrences that start on a character.
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

// "<value> kcal" in one allocation: a search may make a cell for every line.
QString caloryText(qint32 value) {
    char16_t buffer[16];
    char16_t *end = buffer + 16;
    char16_t *at = end - 5;
    std::copy_n(u" kcal", 5, at);
    quint32 magnitude = value < 0 ? 0u - quint32(value) : quint32(value);
    do {
        *--at = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--at = u'-';
    return QString(reinterpret_cast<const QChar *>(at), end - at);
}

// True when the text has an ASCII letter of its own (not the second byte of a
// double-byte character): only then does letter case change what matches.
bool needsFolding(QByteArrayView text) {
    for (qsizetype i = 0; i < text.size();) {
        if (isDoubleByte(text, i)) {
            i += 2;
            continue;
        }
        const char c = text[i++];
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            return true;
    }
    return false;
}

class TableSearch {
public:
    TableSearch(const SearchPlan &plan, const QString &tableName)
        : m_condition(plan.condition)
        , m_text(plan.lowerText)
        , m_hasText(!plan.condition.text.isEmpty())
        , m_folded(plan.condition.foldKana ? &plan.foldedText : nullptr)
        , m_lower(!m_folded && needsFolding(m_text))
        , m_tableName(tableName) {}

    QList<CalorieRow> run(QByteArrayView bytes) {
        // A NUL ends the table. Reading every line finds it on the way;
        // otherwise it is looked for first.
        m_body = bytes;
        if (!m_condition.caloryOn) {
            if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
                m_body = bytes.first(nul);
        }
        // Lower-casing keeps every byte in place, so one lower-cased copy of
        // the whole table serves every line; without letters in the text
        // the table is searched as it is.
        if (m_lower && !m_text.isEmpty()) {
            m_lowered.resize(m_body.size());
            lowerInto(m_body, m_lowered.data());
            m_search = m_lowered;
        } else {
            m_search = m_body;
        }
        if (m_condition.caloryOn)
            readEveryLine();
        else if (m_folded)
            readLinesWithSpellings();
        else if (!m_text.isEmpty())
            readLinesWithText();
        return std::move(m_rows);
    }

private:
    // With the calorie condition every line has to be read; a CR LF pair
    // ends one line, a NUL the table.
    void readEveryLine() {
        const char *p = m_body.data();
        const qsizetype n = m_body.size();
        const bool rangeOnly = !m_hasText;
        for (qsizetype start = 0; start < n;) {
            const qsizetype end = findLineEnd(p, start, n);
            if (!rangeOnly || !outOfRange(start, end))
                readLine(start, end);
            if (end < n && p[end] == '\0')
                return;
            start = end + 1;
            if (start < n && p[end] == '\r' && p[start] == '\n')
                ++start;
        }
    }

    // True for the usual line "name:digits" whose value lies outside the
    // range: most lines of a range search end here, without being read.
    bool outOfRange(qsizetype start, qsizetype end) const {
        const char *p = m_body.data();
        qint32 value = 0;
        qint32 scale = 1;
        qsizetype k = end;
        for (; k > start && end - k < 9 && p[k - 1] >= '0' && p[k - 1] <= '9'; --k) {
            value += (p[k - 1] - '0') * scale;
            scale *= 10;
        }
        return k < end && k > start && p[k - 1] == ':' &&
               (value < m_condition.minimum || value > m_condition.maximum);
    }

    // The first CR, LF or NUL at or after `from`, sixteen bytes at a time:
    // lines are short, and a memchr call for each would cost more than the
    // line's reading.
    static qsizetype findLineEnd(const char *p, qsizetype from, qsizetype n) {
        qsizetype i = from;
#ifdef __SSE2__
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i nul = _mm_setzero_si128();
        for (; i + 16 <= n; i += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
            const __m128i ends =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)),
                             _mm_cmpeq_epi8(block, nul));
            if (const int mask = _mm_movemask_epi8(ends))
                return i + std::countr_zero(unsigned(mask));
        }
#endif
        while (i < n && p[i] != '\r' && p[i] != '\n' && p[i] != '\0')
            ++i;
        return i;
    }

    // Text alone: only the lines holding the text somewhere are read, found
    // by one search through the whole table.
    void readLinesWithText() {
        const char *const first = m_search.data();
        for (qsizetype from = 0; from < m_body.size();) {
            // glibc's memmem outruns QByteArrayView::indexOf about 1.5 times here.
            const void *found = memmem(first + from, size_t(m_search.size() - from),
                                       m_text.constData(), size_t(m_text.size()));
            if (!found)
                return;
            from = readLineHolding(static_cast<const char *>(found) - first) + 1;
        }
    }

    // Folded text alone: only the lines holding a spelling of the text's
    // chosen character are read.
    void readLinesWithSpellings() {
        FoldedQuery::Scan scan(*m_folded, m_body);
        for (qsizetype from = 0; from < m_body.size();) {
            const qsizetype hit = scan.next(from);
            if (hit < 0)
                return;
            if (!m_folded->mayMatchAt(m_body, hit)) {
                from = hit + 1;
                continue;
            }
            from = readLineHolding(hit) + 1;
        }
    }

    // Reads the line that holds the byte at `at`; returns the line's end.
    qsizetype readLineHolding(qsizetype at) {
        qsizetype start = at;
        while (start > 0 && m_body[start - 1] != '\r' && m_body[start - 1] != '\n')
            --start;
        const qsizetype end = findLineEnd(m_body.data(), at, m_body.size());
        readLine(start, end);
        return end;
    }

    bool nameHasText(qsizetype at, qsizetype size) {
        if (!m_folded)
            return findOnBoundary(m_search.sliced(at, size), m_text);
        const QByteArrayView name = m_body.sliced(at, size);
        return m_folded->matches(name, m_scratch);
    }

    // A line from start to end. The value is read first: with the calorie
    // condition most lines end there, before anything else is looked at.
    void readLine(qsizetype start, qsizetype end) {
        const char *p = m_body.data();
        qsizetype e = end; // past the last byte above 0x20
        while (e > start && uchar(p[e - 1]) <= 0x20)
            --e;
        if (e == start)
            return;
        qsizetype colon = e - 1; // the last colon; before start when there is none
        while (colon >= start && p[colon] != ':')
            --colon;
        qsizetype b = start; // the first byte above 0x20
        while (uchar(p[b]) <= 0x20)
            ++b;
        const qsizetype valueAt = colon < start ? b : colon + 1;
        const qint32 value = readCalory(QByteArrayView(p + valueAt, e - valueAt));
        const bool caloryMatch =
            m_condition.caloryOn && m_condition.minimum <= value && value <= m_condition.maximum;
        if (!caloryMatch && !m_hasText)
            return;
        if (p[b] == '@')
            return;
        // A colon is above 0x20, so it never stands before the name's start.
        const qsizetype nameSize = colon < start ? 0 : colon - b;
        if (!caloryMatch && !nameHasText(b, nameSize))
            return;
        CalorieRow row;
        row.foods = QByteArray(p + b, nameSize);
        row.foodsText = sjis::decode(QByteArrayView(p + b, nameSize));
        row.category = m_tableName;
        row.calory = caloryText(value);
        row.value = value;
        m_rows.append(std::move(row));
    }

    const SearchCondition &m_condition;
    const QByteArray &m_text; // Shift-JIS, lower-cased; empty when folded
    const bool m_hasText;
    const FoldedQuery *const m_folded; // set when kana and width do not count
    const bool m_lower;                // the text has letters: the table is lower-cased too
    const QString &m_tableName;
    QByteArrayView m_body;
    QByteArray m_lowered;
    QByteArrayView m_search; // the table as the text is looked for in it
    QList<CalorieRow> m_rows;
    QString m_scratch; // a name folded
};

// The bytes of a table, read with as few calls as a search of thousands of
// tables can afford; nothing when no file is there any more or a folder
// stands in its place (a table gone). Only a regular file is read: a pipe or
// a device would block the search, so it is opened without waiting and
// refused.
std::optional<QByteArray> readTable(const QString &path) {
    const auto cannotOpen = [&] {
        return Error(QStringLiteral("ファイル %1 は開けません").arg(path));
    };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw cannotOpen();
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        throw cannotOpen();
    if (S_ISDIR(status.st_mode))
        return std::nullopt;
    if (!S_ISREG(status.st_mode))
        throw cannotOpen();
    // The size known is read at once; a file that grew meanwhile is read on
    // to its end.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw cannotOpen();
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return bytes;
}

} // namespace

QByteArray lowerAscii(QByteArrayView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    lowerInto(text, out.data());
    return out;
}

bool containsText(QByteArrayView name, QByteArrayView lowerText) {
    return findOnBoundary(lowerAscii(name), lowerText);
}

SearchPlan::SearchPlan(const SearchCondition &condition)
    : condition(condition) {
    // Folded, the text is searched by its folded form, which need not have
    // a Shift-JIS spelling as typed (ゔ has none, ヴ has).
    if (condition.foldKana)
        foldedText = FoldedQuery(condition.text);
    else
        lowerText = lowerAscii(sjis::encode(condition.text));
}

QList<CalorieRow> searchTable(QByteArrayView bytes, const SearchPlan &plan,
                              const QString &tableName) {
    return TableSearch(plan, tableName).run(bytes);
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

// What the workers of one search share with the thread that started it.
struct CalSearch::Run {
    Run(const QList<CalCatalogue::Entry> &tables, const SearchCondition &condition)
        : plan(condition)
        , tables(tables)
        , searched(tables.size()) {}

    struct Table {
        bool done = false;
        QList<CalorieRow> rows;
        QString error; // set when the table could not be opened
    };

    const SearchPlan plan;
    const QList<CalCatalogue::Entry> tables;
    std::atomic<qsizetype> next{0}; // the next table for a worker to take
    std::atomic<bool> stop{false};  // take no more tables
    std::atomic<bool> takePosted{false};
    QMutex mutex; // guards searched
    QList<Table> searched;
};

CalSearch::CalSearch(SortKey &sortKey, QObject *parent)
    : QObject(parent)
    , m_sortKey(sortKey) {
    m_addLater.setSingleShot(true);
    connect(&m_addLater, &QTimer::timeout, this, &CalSearch::addPending);
}

CalSearch::~CalSearch() {
    // Stopped quietly: whoever listens for finished() may be going as well.
    if (m_run)
        m_run->stop = true;
    m_workers.waitForDone();
}

bool CalSearch::start(const QList<CalCatalogue::Entry> &tables, const SearchCondition &condition) {
    if (m_run)
        return false;
    // Made first: a text that cannot be searched leaves the last results.
    auto run = std::make_shared<Run>(tables, condition);
    m_results.clear();
    m_pending.clear();
    m_sortedBy = 0;
    m_pendingKey = m_sortKey.value();
    m_next = 0;
    m_announced = false;
    m_error.clear();
    m_run = std::move(run);
    m_sinceAdded.start();
    if (m_run->tables.isEmpty()) {
        takeSearched(); // nothing to wait for: done at once
        return true;
    }
    for (int i = 0, n = std::max(1, m_workers.maxThreadCount()); i < n; ++i)
        m_workers.start([this, run = m_run] { searchTables(run); });
    // Only the first table is told here: the tables searched are taken on
    // the event loop, even when the workers are through before this returns.
    m_announced = true;
    Q_EMIT searching(m_run->tables.first().path);
    return true;
}

// A worker: takes the next table until none is left or the search stops.
void CalSearch::searchTables(const std::shared_ptr<Run> &run) {
    while (!run->stop) {
        const qsizetype i = run->next++;
        if (i >= run->tables.size())
            return;
        const CalCatalogue::Entry &table = run->tables[i];
        Run::Table result;
        try {
            if (const std::optional<QByteArray> bytes = readTable(table.path))
                result.rows = searchTable(*bytes, run->plan, table.name);
        } catch (const Error &e) {
            result.error = e.text();
            // The tables before this one were all taken already and are
            // still listed; the ones after it are not wanted.
            run->stop = true;
        }
        result.done = true;
        {
            const QMutexLocker lock(&run->mutex);
            run->searched[i] = std::move(result);
        }
        if (!run->takePosted.exchange(true)) {
            QMetaObject::invokeMethod(
                this,
                [this, run] {
                    if (run == m_run)
                        takeSearched();
                },
                Qt::QueuedConnection);
        }
    }
}

void CalSearch::takeSearched() {
    const std::shared_ptr<Run> run = m_run;
    run->takePosted = false; // a table done from now on asks again
    while (m_next < run->tables.size()) {
        if (!std::exchange(m_announced, true)) {
            Q_EMIT searching(run->tables[m_next].path);
            if (run != m_run)
                return; // stopped by a receiver
        }
        Run::Table table;
        {
            const QMutexLocker lock(&run->mutex);
            if (!run->searched[m_next].done)
                break;
            table = std::move(run->searched[m_next]);
        }
        ++m_next;
        m_announced = false;
        if (!table.error.isEmpty()) {
            m_error = table.error;
            finish(Outcome::Failed);
            return;
        }
        if (table.rows.isEmpty())
            continue;
        // A key changed meanwhile (on another list) orders only the rows
        // found from now on; those found before keep the order of the old one.
        if (m_sortKey.value() != m_pendingKey) {
            addPending();
            m_pendingKey = m_sortKey.value();
        }
        m_pending.append(std::move(table.rows));
    }
    if (m_next == run->tables.size()) {
        finish(Outcome::Done);
        return;
    }
    // Found rows join the list in batches: sorting them in as each table
    // comes would cost a pass over the whole list each time.
    if (m_sinceAdded.hasExpired(20))
        addPending();
    else if (!m_pending.isEmpty() && !m_addLater.isActive())
        m_addLater.start(int(20 - m_sinceAdded.elapsed()));
}

void CalSearch::stop() {
    if (!m_run)
        return;
    m_run->stop = true;
    // The tables being read are given up; waiting for them keeps a stopped
    // search from reading on beside the next.
    m_workers.waitForDone();
    finish(Outcome::Stopped);
}

void CalSearch::finish(Outcome outcome) {
    m_run->stop = true;
    m_run.reset();
    m_outcome = outcome;
    m_addLater.stop();
    // Rows found before an error or a stop are kept.
    addPending();
    Q_EMIT finished();
}

void CalSearch::addPending() {
    m_sinceAdded.restart();
    if (m_pending.isEmpty())
        return;
    const qsizetype sortedRows = m_results.rowCount();
    m_results.append(std::exchange(m_pending, {}));
    if (m_keepSorted) {
        // The rows already listed are in order when the key is the same.
        m_results.sortBy(m_pendingKey, m_pendingKey == m_sortedBy ? sortedRows : 0);
        m_sortedBy = m_pendingKey;
    }
}

void CalSearch::sortByColumn(int column) {
    addPending();
    m_keepSorted = false;
    m_results.sortBy(m_sortKey.click(column + 1));
}

} // namespace zk
