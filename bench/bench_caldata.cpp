#include "benchmark.h"

#include "caldata/calcatalogue.h"
#include "caldata/calsearch.h"
#include "caldata/foodtree.h"
#include "caldata/foodtreemodel.h"
#include "caldata/nutrients.h"
#include "common/platform.h"
#include "common/sjis.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <unistd.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// A table line like the bundled ones: a heading every 20 lines, foods below.
QByteArray tableText(int lines) {
    static const QStringList names{
        QStringLiteral("ご飯 茶碗1杯(150g)"),       QStringLiteral("しょうゆラーメン 1杯"),
        QStringLiteral("さばのみそ煮 1切れ(100g)"), QStringLiteral("Ｔボーンステーキ"),
        QStringLiteral("ソース焼きそば 1皿"),       QStringLiteral("かぼちゃの煮物 1鉢(100g)"),
        QStringLiteral("アイスクリーム 1個"),       QStringLiteral("表参道のパンケーキ")};
    QByteArray out;
    for (int i = 0; i < lines; ++i) {
        if (i % 20 == 0)
            out += zk::sjis::encode(QStringLiteral("@分類%1").arg(i / 20));
        else
            out += '\t' + zk::sjis::encode(names[i % names.size()] + QString::number(i)) + ':' +
                   QByteArray::number(i % 900 + 20);
        out += "\r\n";
    }
    return out;
}

zk::bench::Register r("caldata", [](const QString &scratch) {
    using namespace zk;
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    ProgramFolder::set(scratch);
    const QString data = scratch + QStringLiteral("/data/");
    const QByteArray small = tableText(30);
    for (int f = 0; f < 200; ++f) {
        const QString folder = data + QStringLiteral("分類%1/").arg(f, 3, 10, QChar(u'0'));
        QDir().mkpath(folder);
        for (int t = 0; t < 10; ++t)
            writeFile(folder + QStringLiteral("表%1.cal").arg(t), small);
    }
    const QString big = scratch + QStringLiteral("/big.cal");
    writeFile(big, tableText(50000));

    CalCatalogue catalogue;
    bench::measure("scan of 2,000 tables in 200 folders", 5,
                   [&] { SetCaloryDirectories(catalogue); });
    std::printf("  (%lld tables in the catalogue)\n", qint64(catalogue.entries().size()));

    FoodTreeModel model;
    bench::measure("load of a 50,000-line table into the food tree model", 5,
                   [&] { model.setTree(FoodTree::load(big)); });
    bench::measure("list view of the 50,000-line table", 5, [&] {
        FoodTreeModel list;
        list.setTree(model.tree().dictionary());
    });
});

// The tables a user gets: the hand-made ones and the food composition table
// with its nutrient files.
zk::bench::Register b("bundled", [](const QString &scratch) {
    using namespace zk;
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    ProgramFolder::set(scratch);
    bench::copyBundledTables(QStringLiteral(ZENKARTA_SOURCE_DIR "/data"), scratch);
    CalCatalogue catalogue;
    bench::measure("scan of the bundled data/", 9, [&] { SetCaloryDirectories(catalogue); });
    std::printf("  (%lld tables)\n", qint64(catalogue.entries().size()));

    const QString fish = scratch + QStringLiteral("/data/日本食品標準成分表2020/魚介類.cal");
    FoodTreeModel model;
    int withNutrients = 0;
    bench::measure("load of 魚介類 with its nutrients into the food tree model", 9, [&] {
        FoodTree tree = FoodTree::load(fish);
        tree.attachNutrients(NutrientTable::loadFor(fish));
        model.setTree(std::move(tree));
    });
    for (int i = 0; i < model.tree().size(); ++i)
        withNutrients += model.tree().nutrients(model.tree().node(i)) != nullptr;
    std::printf("  (%d foods with nutrients)\n", withNutrients);
    bench::measure("the same table without its nutrients", 9, [&] {
        FoodTree tree = FoodTree::load(fish);
        tree.attachNutrients(NutrientTable::loadFor(scratch + QStringLiteral("/none.cal")));
        model.setTree(std::move(tree));
    });
});

// grep -c over the same files, for comparison; the pattern is written to a
// file so that its Shift-JIS bytes reach grep unchanged.
double grepCount(const QString &scratch, const QStringList &options, const QByteArray &pattern,
                 const QStringList &files) {
    const QString patternFile = scratch + QStringLiteral("/pattern");
    writeFile(patternFile, pattern + '\n');
    QProcess grep;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    grep.setProcessEnvironment(env);
    grep.setStandardOutputFile(QProcess::nullDevice());
    double best = 1e300;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        grep.start(QStringLiteral("grep"),
                   options + QStringList{QStringLiteral("-f"), patternFile} + files);
        grep.waitForFinished(-1);
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// Runs a search to its end, the event loop turning meanwhile as the
// window's does. Returns the longest wait of a 1 ms timer for its turn.
double searchToEnd(zk::CalSearch &search, const QList<zk::CalCatalogue::Entry> &tables,
                   const zk::SearchCondition &condition) {
    QEventLoop loop;
    QObject::connect(&search, &zk::CalSearch::finished, &loop, &QEventLoop::quit);
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    tick.start(1);
    sinceTick.start();
    if (search.start(tables, condition) && search.isRunning())
        loop.exec();
    return longest;
}

zk::bench::Register s("search", [](const QString &scratch) {
    using namespace zk;
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    const QByteArray table = tableText(1600);
    QList<CalCatalogue::Entry> tables;
    QStringList files;
    for (int t = 0; t < 2000; ++t) {
        const QString path = scratch + QStringLiteral("/t%1.cal").arg(t);
        writeFile(path, table);
        tables.append({QStringLiteral("t%1").arg(t), path});
        files.append(path);
    }
    std::printf("  (2,000 tables, %.1f MB)\n", 2000.0 * table.size() / 1e6);
    // The tables written out first, so that no write-back runs beside the
    // measurements.
    ::sync();

    SortKey key;
    CalSearch search(key);
    // Each search to its end, the best of seven; the longest wait of the
    // event loop over all seven.
    const auto timeSearch = [&](const char *label, const SearchCondition &condition) {
        double longestWait = 0;
        const double best = bench::measure(label, 7, [&] {
            longestWait = std::max(longestWait, searchToEnd(search, tables, condition));
        });
        std::printf("  (%d rows; the event loop waited at most %.1f ms)\n",
                    search.results()->rowCount(), longestWait);
        return best;
    };
    // A rare text, then a common one: each found row costs a decoded name.
    const std::pair<const char *, QString> texts[] = {
        {"search for a rare text", QStringLiteral("パンケーキ1599")},
        {"search for a common text", QStringLiteral("パンケーキ15")}};
    SearchCondition range;
    range.caloryOn = true;
    range.minimum = 100;
    range.maximum = 109;
    QList<SearchCondition> conditions; // for the parts below
    for (const auto &[label, what] : texts) {
        SearchCondition text;
        text.text = what;
        const double ours = timeSearch(label, text);
        const double grep = grepCount(scratch, {QStringLiteral("-c"), QStringLiteral("-F")},
                                      sjis::encode(what), files);
        std::printf("  %-60s %10.2f ms  (ratio %.2f)\n", "grep -c -F for the same text", grep,
                    ours / grep);
        conditions.append(text);
        text.foldKana = true;
        const double folded = timeSearch("  the same, kana and width folded", text);
        std::printf("  (ratio %.2f)\n", folded / grep);
        conditions.append(text);
    }
    const double ours2 = timeSearch("search for a range (100 .. 109)", range);
    const double grep2 =
        grepCount(scratch, {QStringLiteral("-c"), QStringLiteral("-E")}, ":10[0-9]\r?$", files);
    std::printf("  %-60s %10.2f ms  (ratio %.2f)\n", "grep -c -E for the same range", grep2,
                ours2 / grep2);
    conditions.append(range);

    // Where the time goes: the same searches over the tables held in memory,
    // on one thread, without reading a file or handing a row over.
    std::printf("  the same searches over the tables in memory, on one thread:\n");
    const char *const parts[] = {"    rare text", "    rare text folded", "    common text",
                                 "    common text folded", "    range"};
    for (qsizetype c = 0; c < conditions.size(); ++c) {
        const SearchPlan plan(conditions[c]);
        const QString name = QStringLiteral("t");
        bench::measure(parts[c], 5, [&] {
            for (int t = 0; t < 2000; ++t)
                searchTable(table, plan, name);
        });
    }
    // A click on "Foods" of those results; each click reverses, each sorts them all.
    bench::measure("sort of those rows by Foods", 3, [&] { search.sortByColumn(0); });
    // The results kept in the order of "Foods" while the tables come in.
    SortKey byFoods;
    byFoods.click(1);
    CalSearch sorted(byFoods);
    bench::measure("the same range, results kept sorted by Foods", 3,
                   [&] { searchToEnd(sorted, tables, range); });
});

} // namespace
