#include "benchmark.h"

#include "caldata/calcatalogue.h"
#include "caldata/foodtree.h"
#include "caldata/foodtreemodel.h"
#include "common/platform.h"
#include "common/sjis.h"

#include <QDir>
#include <QFile>

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

} // namespace
