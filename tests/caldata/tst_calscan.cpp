#include "caldata/calcatalogue.h"
#include "caldata/calfiletree.h"
#include "common/platform.h"

#include "support/tempprogramfolder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace zk;

namespace {

// One line per node: two spaces per level, "+" for a folder, "-" for a table.
QStringList dump(const CalFileTree &tree) {
    QStringList out;
    std::function<void(int, int)> walk = [&](int parent, int depth) {
        for (int i : tree.children(parent)) {
            const CalFileNode &n = tree.node(i);
            out << QString(depth * 2, u' ') + (n.kind == CalFileNode::Kind::Folder ? u'+' : u'-') +
                       n.name;
            walk(i, depth + 1);
        }
    };
    walk(-1, 0);
    return out;
}

} // namespace

class TestCalScan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
    }
    void tableNames_data();
    void tableNames();
    void scan_data();
    void scan();
    void pathsAsFoundOnDisk();
    void missingDataFolder();
    void catalogueFollowsEveryScan();
    void linkLoopIsNotEntered();
};

void TestCalScan::tableNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("table");
    QTest::newRow("lower") << QStringLiteral("a.cal") << true;
    QTest::newRow("upper") << QStringLiteral("A.CAL") << true;
    QTest::newRow("mixed") << QStringLiteral("a.Cal") << true;
    QTest::newRow("two dots") << QStringLiteral("a..cal") << true;
    QTest::newRow("backup") << QStringLiteral("a.cal.bak") << false;
    QTest::newRow("longer") << QStringLiteral("a.calx") << false;
    QTest::newRow("no dot") << QStringLiteral("acal") << false;
    QTest::newRow("only extension") << QStringLiteral(".cal") << true;
    QTest::newRow("full-width") << QStringLiteral("a.ｃａｌ") << false;
}

void TestCalScan::tableNames() {
    QFETCH(QString, name);
    QFETCH(bool, table);
    QCOMPARE(CalFileTree::isTableName(name), table);
}

void TestCalScan::scan_data() {
    QTest::addColumn<QStringList>("files"); // names ending in "/" are folders
    QTest::addColumn<QStringList>("tree");
    QTest::newRow("upper-case extension")
        << QStringList{"A.CAL", "b.cal"} << QStringList{"-A", "-b"};
    QTest::newRow("backup and nutrients ignored")
        << QStringList{"a.cal.bak", "a.txt", "b.cal", "b.nutrients"} << QStringList{"-b"};
    QTest::newRow("two dots") << QStringList{"x.y.cal", "z..cal"} << QStringList{"-x.y", "-z."};
    QTest::newRow("folder named like a table")
        << QStringList{"x.cal/a.cal"} << QStringList{"+x.cal", "  -a"};
    QTest::newRow("hidden entries")
        << QStringList{".h.cal", ".hidden/a.cal"} << QStringList{"-.h", "+.hidden", "  -a"};
    QTest::newRow("empty folders") << QStringList{"e/", "f/g/"} << QStringList{"+e", "+f", "  +g"};
    QTest::newRow("folders and tables interleaved by name")
        << QStringList{QStringLiteral("菓子.cal"),
                       QStringLiteral("いも/a.cal"),
                       QStringLiteral("あめ.cal"),
                       QStringLiteral("ご飯/b.cal"),
                       "C.cal",
                       "b.cal"}
        << QStringList{"-b",
                       "-C",
                       QStringLiteral("-あめ"),
                       QStringLiteral("+いも"),
                       "  -a",
                       QStringLiteral("+ご飯"),
                       "  -b",
                       QStringLiteral("-菓子")};
}

void TestCalScan::scan() {
    QFETCH(QStringList, files);
    QFETCH(QStringList, tree);
    test::TempProgramFolder folder;
    for (const QString &f : files) {
        if (f.endsWith(u'/'))
            QDir().mkpath(folder.path(QStringLiteral("data/") + f));
        else
            folder.write(QStringLiteral("data/") + f, "a:1\r\n");
    }
    CalCatalogue catalogue;
    QCOMPARE(dump(SetCaloryDirectories(catalogue)), tree);
}

void TestCalScan::pathsAsFoundOnDisk() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/肉/牛肉.CAL"), "a:1");
    folder.write(QStringLiteral("data/肉/豚肉.cal"), "a:1");
    folder.write(QStringLiteral("data/魚.Cal"), "a:1");
    CalCatalogue catalogue;
    const CalFileTree tree = SetCaloryDirectories(catalogue);
    const QString data = ProgramFolder::file(QStringLiteral("data/"));
    // Japanese collation puts 魚 before 肉 (JIS order).
    const QList<CalCatalogue::Entry> expected{
        {QStringLiteral("魚"), data + QStringLiteral("魚.Cal")},
        {QStringLiteral("牛肉"), data + QStringLiteral("肉/牛肉.CAL")},
        {QStringLiteral("豚肉"), data + QStringLiteral("肉/豚肉.cal")},
    };
    QCOMPARE(catalogue.entries(), expected);
    for (const CalCatalogue::Entry &e : expected)
        QVERIFY(QFile::exists(e.path));
    QCOMPARE(tree.node(1).path, data + QStringLiteral("肉/"));
}

void TestCalScan::missingDataFolder() {
    test::TempProgramFolder folder;
    CalCatalogue catalogue;
    QSignalSpy spy(&catalogue, &CalCatalogue::changed);
    QVERIFY(SetCaloryDirectories(catalogue).isEmpty());
    QVERIFY(catalogue.entries().isEmpty());
    QCOMPARE(spy.count(), 1);
}

void TestCalScan::catalogueFollowsEveryScan() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/a.cal"), "");
    CalCatalogue &catalogue = CalFileList();
    QSignalSpy spy(&catalogue, &CalCatalogue::changed);
    SetCaloryDirectories();
    QCOMPARE(catalogue.entries().size(), 1);
    folder.write(QStringLiteral("data/sub/a.cal"), "");
    SetCaloryDirectories();
    // Two tables of the same name in different folders are two entries.
    QCOMPARE(catalogue.entries().size(), 2);
    QCOMPARE(catalogue.entries().at(0).name, catalogue.entries().at(1).name);
    QCOMPARE(spy.count(), 2);
}

void TestCalScan::linkLoopIsNotEntered() {
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/f/a.cal"), "");
    QVERIFY(
        QFile::link(folder.path(QStringLiteral("data")), folder.path(QStringLiteral("data/f/up"))));
    CalCatalogue catalogue;
    QCOMPARE(dump(SetCaloryDirectories(catalogue)), (QStringList{"+f", "  -a", "  +up"}));
}

QTEST_GUILESS_MAIN(TestCalScan)
#include "tst_calscan.moc"
