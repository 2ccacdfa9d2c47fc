#include "caldata/calvalue.h"
#include "caldata/foodtree.h"
#include "caldata/nutrients.h"
#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/textutil.h"

#include "support/tempprogramfolder.h"

#include <QDirIterator>
#include <QTest>

using namespace zk;

namespace {

// One line per node: two spaces per level, the text, "=" and the calory.
QStringList dump(const FoodTree &tree) {
    QStringList out;
    std::function<void(int, int)> walk = [&](int parent, int depth) {
        for (int i : tree.children(parent)) {
            out << QString(depth * 2, u' ') + sjis::decode(tree.node(i).text) + u'=' +
                       QString::number(tree.node(i).calory);
            walk(i, depth + 1);
        }
    };
    walk(-1, 0);
    return out;
}

QByteArray sj(const QString &text) {
    return sjis::encode(text);
}

// A food's nutrients as one text: grams (0: a portion), the five values ("-"
// unknown) and the number, joined by "/"; "none" when the line was left out.
QString nutrientText(const Nutrients *n) {
    if (!n)
        return QStringLiteral("none");
    QStringList parts{QString::number(n->grams)};
    for (const Nutrients::Value &v : n->values)
        parts << (v ? QString::number(*v) : QStringLiteral("-"));
    parts << QString::fromLatin1(n->number);
    return parts.join(u'/');
}

} // namespace

class TestCalTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    }
    void calory_data();
    void calory();
    void parse_data();
    void parse();
    void levelError_data();
    void levelError();
    void parentsAndRows();
    void dictionary_data();
    void dictionary();
    void loadMissingFileNamesIt();
    void anyBytesParse();
    void bundledTablesLoad();
    void nutrientLine_data();
    void nutrientLine();
    void nutrientsGoToFoodsOfTheirName();
};

void TestCalTable::calory_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << QByteArray("234") << 234;
    QTest::newRow("leading spaces") << QByteArray("  234") << 234;
    QTest::newRow("plus") << QByteArray("+12") << 12;
    QTest::newRow("minus") << QByteArray("-12") << -12;
    QTest::newRow("space after sign") << QByteArray("- 12") << 0;
    QTest::newRow("trailing space") << QByteArray("234 ") << 0;
    QTest::newRow("trailing tab") << QByteArray("234\t") << 0;
    QTest::newRow("leading tab") << QByteArray("\t234") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("sign alone") << QByteArray("-") << 0;
    QTest::newRow("thousands") << QByteArray("1,000") << 0;
    QTest::newRow("decimal point") << QByteArray("1.5") << 0;
    QTest::newRow("unit") << QByteArray("234kcal") << 0;
    QTest::newRow("full-width digits") << sj(QStringLiteral("２３４")) << 0;
    QTest::newRow("dollar hex") << QByteArray("$1F") << 31;
    QTest::newRow("x hex") << QByteArray("x10") << 16;
    QTest::newRow("X hex") << QByteArray("Xff") << 255;
    QTest::newRow("0x hex") << QByteArray("0x10") << 16;
    QTest::newRow("negative hex") << QByteArray("-$10") << -16;
    QTest::newRow("prefix alone") << QByteArray("$") << 0;
    QTest::newRow("0x alone") << QByteArray("0x") << 0;
    QTest::newRow("bad hex digit") << QByteArray("$1G") << 0;
    QTest::newRow("decimal with hex digit") << QByteArray("1F") << 0;
    QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("beyond largest") << QByteArray("2147483648") << 0;
    QTest::newRow("lowest") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("beyond lowest") << QByteArray("-2147483649") << 0;
    QTest::newRow("hex beyond range") << QByteArray("$80000000") << 0;
    QTest::newRow("many digits") << QByteArray("99999999999999999999999") << 0;
    QTest::newRow("leading zeros") << QByteArray("000000000000000042") << 42;
}

void TestCalTable::calory() {
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(readCalory(text), value);
}

void TestCalTable::parse_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("nodes");
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("food") << sj(QStringLiteral("ご飯 茶碗1杯(150g):234\r\n"))
                          << QStringList{QStringLiteral("ご飯 茶碗1杯(150g)=234")};
    QTest::newRow("heading with foods")
        << sj(QStringLiteral("@主食\r\n\tご飯:234\r\n\tパン:158\r\n"))
        << QStringList{QStringLiteral("主食=0"), QStringLiteral("  ご飯=234"),
                       QStringLiteral("  パン=158")};
    QTest::newRow("heading keeps leading spaces")
        << sj(QStringLiteral("@  主食")) << QStringList{QStringLiteral("  主食=0")};
    QTest::newRow("@ alone") << QByteArray("@\r\nA:1") << QStringList{"=0", "A=1"};
    QTest::newRow("two colons") << QByteArray("a:b:12") << QStringList{"a:b=12"};
    QTest::newRow("space before number") << QByteArray("a: 12") << QStringList{"a=12"};
    QTest::newRow("space after number") << QByteArray("a:12 ") << QStringList{"a=0"};
    QTest::newRow("space before colon") << QByteArray("a :12") << QStringList{"a =12"};
    QTest::newRow("no colon") << QByteArray("12\r\nabc") << QStringList{"=12", "=0"};
    QTest::newRow("full-width colon is text")
        << sj(QStringLiteral("あ：12")) << QStringList{QStringLiteral("=0")};
    QTest::newRow("full-width space is content")
        << sj(QStringLiteral("A:1\r\n　B:2")) << QStringList{"A=1", QStringLiteral("　B=2")};
    QTest::newRow("hex value") << QByteArray("a:$10") << QStringList{"a=16"};
    QTest::newRow("out of range") << QByteArray("a:4294967296") << QStringList{"a=0"};
    QTest::newRow("food with children keeps value")
        << QByteArray("a:5\r\n b:1") << QStringList{"a=5", "  b=1"};
    QTest::newRow("tab and space are levels")
        << QByteArray("a\r\n\tb\r\n\t c\r\n  d") << QStringList{"=0", "  =0", "    =0", "    =0"};
    QTest::newRow("back two levels") << QByteArray("a:1\r\n b:2\r\n  c:3\r\nd:4")
                                     << QStringList{"a=1", "  b=2", "    c=3", "d=4"};
    QTest::newRow("first line indented is top level")
        << QByteArray("  a:1\r\n b:2\r\nc:3") << QStringList{"a=1", "  b=2", "c=3"};
    QTest::newRow("mixed line ends") << QByteArray("a:1\rb:2\nc:3\r\nd:4\n\re:5")
                                     << QStringList{"a=1", "b=2", "c=3", "d=4", "e=5"};
    QTest::newRow("final line end adds nothing") << QByteArray("a:1\r\n") << QStringList{"a=1"};
    QTest::newRow("NUL ends the text")
        << QByteArray("a:1\r\nb:2\0c:3\r\n", 15) << QStringList{"a=1", "b=2"};
    QTest::newRow("NUL first") << QByteArray("\0a:1", 4) << QStringList{};
    QTest::newRow("empty line drops what follows")
        << QByteArray("a:1\r\n\r\n b:2\r\n  c:3\r\nd:4") << QStringList{"a=1", "d=4"};
    QTest::newRow("blank line drops its subtree only")
        << QByteArray("@h\r\n a:1\r\n \t\r\n   b:2\r\n c:3")
        << QStringList{"h=0", "  a=1", "  c=3"};
    QTest::newRow("control bytes are blank")
        << QByteArray("a:1\r\n\x01\x1f \r\nb:2") << QStringList{"a=1", "b=2"};
    QTest::newRow("blank last line") << QByteArray("a:1\r\n ") << QStringList{"a=1"};
    QTest::newRow("Shift-JIS 0x5C trail byte") << sj(QStringLiteral("ソース 大さじ1:18"))
                                               << QStringList{QStringLiteral("ソース 大さじ1=18")};
}

void TestCalTable::parse() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, nodes);
    QCOMPARE(dump(FoodTree::parse(bytes)), nodes);
}

void TestCalTable::levelError_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("two levels deeper")
        << sj(QStringLiteral("@主食\r\n\t\tご飯:234 "))
        << QStringLiteral("アイテム \"ご飯:234 \" の階層 (2) が不正です");
    QTest::newRow("after an empty line")
        << QByteArray("a:1\r\n\r\n  b:2")
        << QStringLiteral("アイテム \"b:2\" の階層 (2) が不正です");
    QTest::newRow("first line counts as level 0")
        << QByteArray("  a:1\r\n   b") << QStringLiteral("アイテム \"b\" の階層 (3) が不正です");
    QTest::newRow("blank line itself")
        << QByteArray("a:1\r\n  \t") << QStringLiteral("アイテム \"\" の階層 (3) が不正です");
    QTest::newRow("percent signs stay")
        << QByteArray("a\r\n  %1%2") << QStringLiteral("アイテム \"%1%2\" の階層 (2) が不正です");
}

void TestCalTable::levelError() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    try {
        FoodTree::parse(bytes);
        QFAIL("no error");
    } catch (const Error &e) {
        QCOMPARE(e.text(), message);
    }
}

void TestCalTable::parentsAndRows() {
    const FoodTree tree = FoodTree::parse("a\r\n b\r\n c\r\nd\r\n e");
    QCOMPARE(tree.size(), 5);
    for (int i = 0; i < tree.size(); ++i) {
        const FoodNode &n = tree.node(i);
        QCOMPARE(tree.children(n.parent).at(n.row), i);
    }
    QVERIFY(!tree.node(0).isFood());
    QVERIFY(tree.node(1).isFood());
}

void TestCalTable::dictionary_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("nodes");
    QTest::newRow("foods only, sorted")
        << sj(QStringLiteral("@果物\r\n\tりんご:54\r\n\tバナナ:86\r\n@主食\r\n\tうどん:242\r\n"
                             "\tあんパン:280"))
        << QStringList{QStringLiteral("あんパン=280"), QStringLiteral("うどん=242"),
                       QStringLiteral("バナナ=86"), QStringLiteral("りんご=54")};
    QTest::newRow("heading without children stays")
        << sj(QStringLiteral("b:2\r\n@見出し")) << QStringList{"b=2", QStringLiteral("見出し=0")};
    QTest::newRow("equal names keep table order")
        << QByteArray("x:2\r\nx:1\r\nx:3") << QStringList{"x=2", "x=1", "x=3"};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TestCalTable::dictionary() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, nodes);
    const FoodTree list = FoodTree::parse(bytes).dictionary();
    QCOMPARE(dump(list), nodes);
    // Locale order, not byte or code-point order: "b" before "C" before "d".
    QCOMPARE(dump(FoodTree::parse("d:1\r\nC:2\r\nb:3").dictionary()),
             (QStringList{"b=3", "C=2", "d=1"}));
}

void TestCalTable::loadMissingFileNamesIt() {
    test::TempProgramFolder folder;
    const QString path = folder.path(QStringLiteral("data/none.cal"));
    try {
        FoodTree::load(path);
        QFAIL("no error");
    } catch (const Error &e) {
        QCOMPARE(e.text(), QStringLiteral("ファイル %1 は開けません").arg(path));
    }
}

void TestCalTable::anyBytesParse() {
    // The parser must survive any bytes: only the level error may come out.
    quint32 seed = 12345;
    for (int round = 0; round < 500; ++round) {
        QByteArray bytes;
        const int n = int(seed % 64);
        for (int i = 0; i < n; ++i) {
            seed = seed * 1103515245 + 12345;
            static const char pool[] = "\t \r\n:@$x0-9a\x81\x5c\xff";
            bytes.append(pool[(seed >> 16) % (sizeof pool - 1)]);
        }
        try {
            const FoodTree tree = FoodTree::parse(bytes);
            tree.dictionary();
        } catch (const Error &) {
        }
    }
}

void TestCalTable::bundledTablesLoad() {
    // The shipped tables must load, each with headings and realistic foods;
    // every food of the food composition table has its nutrients.
    QDirIterator it(QStringLiteral(ZENKARTA_SOURCE_DIR "/data"), {QStringLiteral("*.cal")},
                    QDir::Files, QDirIterator::Subdirectories);
    int tables = 0;
    int foods = 0;
    int official = 0;
    int officialFoods = 0;
    QString rice;
    while (it.hasNext()) {
        const QString path = it.next();
        FoodTree tree = FoodTree::load(path);
        tree.attachNutrients(NutrientTable::loadFor(path));
        const bool composition = path.contains(QStringLiteral("/日本食品標準成分表2020/"));
        official += composition;
        QVERIFY2(!tree.roots().isEmpty(), qPrintable(path));
        for (int i : tree.roots()) // every hand-made food under a heading
            QVERIFY2(composition || !tree.node(i).isFood(), qPrintable(path));
        for (int i = 0; i < tree.size(); ++i) {
            const FoodNode &n = tree.node(i);
            if (!n.isFood())
                continue;
            ++foods;
            QVERIFY2(n.calory >= 0 && n.calory < 2000, n.text.constData());
            if (!composition)
                continue;
            ++officialFoods;
            const Nutrients *nutrients = tree.nutrients(n);
            QVERIFY2(nutrients && nutrients->grams == 100, n.text.constData());
            if (nutrients->number == "01088")
                rice = sjis::decode(n.text) + u'=' + QString::number(n.calory) + u'/' +
                       nutrientText(nutrients);
        }
        const QByteArray bytes = readFileBytes(path);
        QCOMPARE(bytes.count("\r\n"), bytes.count('\n')); // CR LF throughout
        QVERIFY(bytes.endsWith("\r\n"));
        ++tables;
    }
    QVERIFY(tables >= 8);
    QVERIFY(foods >= 400);
    QCOMPARE(official, 18);
    QCOMPARE(officialFoods, 2478);
    QCOMPARE(rice,
             QStringLiteral("こめ ［水稲めし］ 精白米 うるち米=156/100/2.5/0.3/37.1/1.5/0/01088"));
}

void TestCalTable::nutrientLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("read");
    // Cells written with "|" for the separator byte 0xFF.
    const auto cells = [](const QString &text) { return sj(text).replace('|', '\xFF'); };
    QTest::newRow("as the importer writes")
        << cells("rice|100g|2.5|0.3|37.1|1.5|0|01088") << "100/2.5/0.3/37.1/1.5/0/01088";
    QTest::newRow("unknown is not 0, no number")
        << cells("rice|100g||0.3|||") << "100/-/0.3/-/-/-/";
    QTest::newRow("typed with TABs and spaces")
        << QByteArray("rice\t 150 g \t2.5 \t0\t1\t.5\t5.0") << "150/2.5/0/1/0.5/5/";
    QTest::newRow("a portion") << cells(QStringLiteral("rice|1人前|9|8|7|6|5")) << "0/9/8/7/6/5/";
    QTest::newRow("more cells kept for later") << cells("rice|1g||||||n|x") << "1/-/-/-/-/-/n";
    QTest::newRow("a cell short") << cells("rice|100g|1|2|3|4") << "none";
    QTest::newRow("a value that is no number") << cells("rice|100g|Tr|2|3|4|5") << "none";
    QTest::newRow("a negative value") << cells("rice|100g|-1|2|3|4|5") << "none";
    QTest::newRow("two points") << cells("rice|100g|1.2.3||||") << "none";
    QTest::newRow("no unit") << cells("rice|100|1|2|3|4|5") << "none";
    QTest::newRow("no grams") << cells("rice|0g|1|2|3|4|5") << "none";
    QTest::newRow("more digits than a number holds")
        << cells("rice|" + QString(400, u'9') + "g|||||") << "none";
}

void TestCalTable::nutrientLine() {
    QFETCH(QByteArray, line);
    QFETCH(QString, read);
    const NutrientTable table = NutrientTable::parse(line + "\r\n");
    QCOMPARE(nutrientText(table.find("rice")), read);
}

void TestCalTable::nutrientsGoToFoodsOfTheirName() {
    // A second line of a name does not count; a heading gets none whatever its name.
    const NutrientTable table = NutrientTable::parse(
        QByteArray("a|100g|1||||\r\na|100g|2||||\r\nh|100g|3||||\r\nbroken|x|||||\r\n")
            .replace('|', '\xFF'));
    FoodTree tree = FoodTree::parse("h:5\r\n a:1\r\n b:2\r\nbroken:3\r\na:4");
    tree.attachNutrients(table);
    QStringList got;
    for (int i = 0; i < tree.size(); ++i)
        got << nutrientText(tree.nutrients(tree.node(i)));
    // The list view keeps each food's own.
    QCOMPARE(got, (QStringList{"none", "100/1/-/-/-/-/", "none", "none", "100/1/-/-/-/-/"}));
    const FoodTree list = tree.dictionary();
    QCOMPARE(nutrientText(list.nutrients(list.node(2))), QStringLiteral("none")); // b
    QCOMPARE(nutrientText(list.nutrients(list.node(0))), QStringLiteral("100/1/-/-/-/-/"));

    QCOMPARE(NutrientTable::pathFor(QStringLiteral("/p/data/穀類.cal")),
             QStringLiteral("/p/data/穀類.nutrients"));
    QCOMPARE(NutrientTable::pathFor(QStringLiteral("/p/data/a.b.CAL")),
             QStringLiteral("/p/data/a.b.nutrients"));
}

QTEST_GUILESS_MAIN(TestCalTable)
#include "tst_caltable.moc"
