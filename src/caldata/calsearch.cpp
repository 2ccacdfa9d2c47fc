#include "caldata/calsearch.h"

#include "caldata/bytescan.h"
#include "caldata/calvalue.h"
#include "common/error.h"
#include "common/sjis.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QScopeGuard>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>

#include <fcntl.h>
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

// "<value> kcal" in one allocation.
QString makeCaloryText(qint32 value) {
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

// The "Calory" cell of a value. A search may make a cell for every line, and
// most values are small: their cells are made once a thread and shared.
QString caloryText(qint32 value) {
    thread_local std::array<QString, 2000> made;
    if (value < 0 || value >= qint32(made.size()))
        return makeCaloryText(value);
    QString &cell = made[size_t(value)];
    if (cell.isNull())
        cell = makeCaloryText(value);
    return cell;
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
        // A NUL ends the table.
        m_body = bytes;
        if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
            m_body = bytes.first(nul);
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
    // With the calorie condition every line has to be read.
    void readEveryLine() {
        const char *const p = m_body.data();
        const qsizetype n = m_body.size();
        const bool rangeOnly = !m_hasText;
        const qint32 minimum = m_condition.minimum;
        const qint32 maximum = m_condition.maximum;
        qsizetype start = 0;
        const auto lineTo = [&](qsizetype end) {
            // The empty stretch between CR and LF is no line.
            if (end > start && (!rangeOnly || !outOfRange(p, start, end, minimum, maximum)))
                readLine(start, end);
            start = end + 1;
        };
        forEachLineEnd(m_body, lineTo);
        lineTo(n);
    }

    // True for the usual line "name:digits" from start to end whose value
    // lies outside the range: most lines of a range search end here, without
    // being read.
    static bool outOfRange(const char *p, qsizetype start, qsizetype end, qint32 minimum,
                           qint32 maximum) {
        // Values of one to three digits, nearly all, are read without a
        // loop: its end would be guessed wrong at every change of length.
        if (end - start >= 5) {
            const uchar *q = reinterpret_cast<const uchar *>(p) + end;
            const unsigned d1 = q[-1] - unsigned('0');
            const unsigned d2 = q[-2] - unsigned('0');
            const unsigned d3 = q[-3] - unsigned('0');
            const unsigned d4 = q[-4] - unsigned('0');
            qint32 value = 0;
            uchar before = 0; // the byte before the digits
            if (d1 > 9)
                return false;
            if (d2 > 9) {
                value = qint32(d1);
                before = q[-2];
            } else if (d3 > 9) {
                value = qint32(d2 * 10 + d1);
                before = q[-3];
            } else if (d4 > 9) {
                value = qint32(d3 * 100 + d2 * 10 + d1);
                before = q[-4];
            } else {
                return outOfRangeByBytes(p, start, end, minimum, maximum);
            }
            return before == ':' && (value < minimum || value > maximum);
        }
        return outOfRangeByBytes(p, start, end, minimum, maximum);
    }

    // The same for any line, a byte at a time.
    static bool outOfRangeByBytes(const char *p, qsizetype start, qsizetype end, qint32 minimum,
                                  qint32 maximum) {
        qint32 value = 0;
        qint32 scale = 1;
        qsizetype k = end;
        for (; k > start && end - k < 9 && p[k - 1] >= '0' && p[k - 1] <= '9'; --k) {
            value += (p[k - 1] - '0') * scale;
            scale *= 10;
        }
        return k < end && k > start && p[k - 1] == ':' && (value < minimum || value > maximum);
    }

    // Text alone: only the lines holding the text somewhere are read, found
    // by one search through the whole table.
    void readLinesWithText() {
        const TextFinder finder(m_text);
        for (qsizetype from = 0; from < m_body.size();) {
            const qsizetype found = finder.find(m_search, from);
            if (found < 0)
                return;
            from = readLineHolding(found) + 1;
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
        const qsizetype end = findLineEnd(m_body, at);
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

// Reads a table into `bytes`, with as few calls as a search of thousands of
// tables can afford and into the room the table before it left; false when
// no file is there any more or a folder stands in its place (a table gone).
// Only a regular file is read: a pipe or a device would block the search, so
// it is opened without waiting and refused.
bool readTable(const QString &path, QByteArray &bytes) {
    const auto cannotOpen = [&] {
        return Error(QStringLiteral("ファイル %1 は開けません").arg(path));
    };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        throw cannotOpen();
    }
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        throw cannotOpen();
    if (S_ISDIR(status.st_mode))
        return false;
    if (!S_ISREG(status.st_mode))
        throw cannotOpen();
    // The size known is read at once, with a byte more: a file that grew
    // meanwhile fills it and is read on. A regular file reads short only at
    // its end, so no call is spent to be told the end.
    bytes.resize(qsizetype(status.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const size_t wanted = size_t(bytes.size() - filled);
        const ssize_t got = ::read(fd, bytes.data() + filled, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw cannotOpen();
        filled += got;
        if (size_t(got) < wanted)
            break;
    }
    bytes.truncate(filled);
    return true;
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
        : condition(condition)
        , tables(tables)
        , searched(tables.size()) {
        // A text compared by bytes is made ready here, so that one that
        // cannot be searched throws before anything changes. A folded one
        // waits for the first worker: the first folded search makes the
        // foldings of every character, which would hold up the event loop.
        if (!condition.foldKana)
            plan.emplace(condition);
    }

    const SearchPlan &readyPlan() {
        std::call_once(planned, [this] {
            if (!plan)
                plan.emplace(condition);
        });
        return *plan;
    }

    struct Table {
        bool done = false;
        QList<CalorieRow> rows;
        QString error; // set when the table could not be opened
    };

    const SearchCondition condition;
    std::once_flag planned;
    std::optional<SearchPlan> plan; // set by readyPlan() at the latest
    const QList<CalCatalogue::Entry> tables;
    std::atomic<qsizetype> next{0}; // the next table for a worker to take
    std::atomic<bool> stop{false};  // take no more tables
    std::atomic<qsizetype> done{0}; // the tables searched
    QMutex mutex;                   // guards searched
    QList<Table> searched;
};

CalSearch::CalSearch(SortKey &sortKey, QObject *parent)
    : QObject(parent)
    , m_sortKey(sortKey) {
    connect(&m_takeTimer, &QTimer::timeout, this, &CalSearch::takeSearched);
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
    m_takeTimer.start(takeInterval);
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
    // The pages of one buffer are reused from table to table: pages taken
    // afresh cost more than the reading.
    QByteArray bytes;
    while (!run->stop) {
        const qsizetype i = run->next++;
        if (i >= run->tables.size())
            return;
        const CalCatalogue::Entry &table = run->tables[i];
        Run::Table result;
        try {
            if (readTable(table.path, bytes))
                result.rows = searchTable(bytes, run->readyPlan(), table.name);
        } catch (const Error &e) {
            result.error = e.text();
            // The tables before this one were all taken already and are
            // still listed; the ones after it are not wanted.
            run->stop = true;
        }
        result.done = true;
        const bool failed = !result.error.isEmpty();
        {
            const QMutexLocker lock(&run->mutex);
            run->searched[i] = std::move(result);
        }
        // The tables searched are taken at the timer's ticks: a wake-up of
        // the window's thread for each would cost more than the reading.
        // The end and an error are told at once.
        if (++run->done == run->tables.size() || failed) {
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
    // The event loop is held a few milliseconds at most: what is left is
    // taken at the next tick.
    QElapsedTimer spent;
    spent.start();
    while (m_next < run->tables.size() && !spent.hasExpired(takeInterval / 2)) {
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
        m_pending.emplaceBack(std::move(table.rows));
    }
    if (m_next == run->tables.size()) {
        finish(Outcome::Done);
        return;
    }
    // Found rows join the list in batches: sorting them in as each table
    // comes would cost a pass over the whole list each time.
    if (m_sinceAdded.hasExpired(takeInterval))
        addPending();
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
    m_takeTimer.stop();
    // Rows found before an error or a stop are kept.
    addPending();
    m_spent.clear();
    Q_EMIT finished();
}

void CalSearch::addPending() {
    m_sinceAdded.restart();
    if (m_pending.isEmpty())
        return;
    const qsizetype sortedRows = m_results.rowCount();
    m_results.append(m_pending);
    // The lists' room was taken on the workers' threads: it is let go when
    // the search is over, not while they take room beside it.
    m_spent.append(std::exchange(m_pending, {}));
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
