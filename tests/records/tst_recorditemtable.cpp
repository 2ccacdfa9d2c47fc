#include "common/platform.h"
#include "common/sjis.h"
#include "records/recorditemtable.h"

#include "support/tempprogramfolder.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace zk;

class TestRecordItemTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void itemNames_data();
    void itemNames();
    void itemsStaySorted();
    void inPlaceRenameRefusedOrResorted();
    void loadAndSaveGraphDat();
};

void TestRecordItemTable::initTestCase() {
    Regional::setCurrent(Regional(QLocale(QLocale::Japanese, QLocale::Japan)));
}

void TestRecordItemTable::itemNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("adding");
    QTest::addColumn<QString>("message");
    const QString slashes = QStringLiteral("項目名に「/」や「\\」は使えません。");
    QTest::newRow("usable") << QStringLiteral("体脂肪") << true << QString();
    QTest::newRow("empty") << QString() << true << QStringLiteral("項目名を記入してください。");
    QTest::newRow("slash") << QStringLiteral("a/b") << true << slashes;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false << slashes;
    QTest::newRow("yen folds to backslash") << QStringLiteral("a\u00A5b") << true << slashes;
    QTest::newRow("so is fine") << QStringLiteral("ソ表") << true << QString();
    QTest::newRow("blanks") << QStringLiteral("  ") << true
                            << QStringLiteral("項目名「  」は使えません。別名にして下さい。");
    QTest::newRow("dot dot") << QStringLiteral("..") << false
                             << QStringLiteral("項目名「..」は使えません。別名にして下さい。");
    QTest::newRow("same name") << QStringLiteral("体重") << true
                               << QStringLiteral(
                                      "項目「体重」はすでに登録されています。別名にして下さい。");
    QTest::newRow("same name when changing") << QStringLiteral("体重") << false << QString();
    QTest::newRow("other case") << QStringLiteral("Weight") << true << QString();
}

void TestRecordItemTable::itemNames() {
    QFETCH(QString, name);
    QFETCH(bool, adding);
    QFETCH(QString, message);
    RecordItemTable items;
    items.addItem({sjis::encode(u"体重"), "kg", ""});
    items.addItem({"weight", "", ""});
    QCOMPARE(items.refusal(name, adding), message);
}

void TestRecordItemTable::itemsStaySorted() {
    RecordItemTable items;
    QAbstractItemModelTester tester(&items);
    items.setRows({{"b", "", ""}, {"a", "", ""}}); // hand-edited, out of order
    QCOMPARE(items.addItem({"c", "", ""}), 2);
    QCOMPARE(items.cell(0, 0), QByteArray("a"));
    QCOMPARE(items.cell(1, 0), QByteArray("b"));
    QCOMPARE(items.addItem({"B", "", ""}), 2); // case-sensitive collation: b < B
    QCOMPARE(items.changeItem(3, {"0", "kg", "50"}), 0);
    QCOMPARE(items.row(0), (ListRow{"0", "kg", "50"}));
}

void TestRecordItemTable::inPlaceRenameRefusedOrResorted() {
    RecordItemTable items;
    QAbstractItemModelTester tester(&items);
    items.addItem({"a", "", ""});
    items.addItem({"m", "", ""});
    QSignalSpy refused(&items, &ListTableModel::editRefused);
    QSignalSpy moved(&items, &RecordItemTable::itemMoved);
    QVERIFY(!items.setData(items.index(0, 0), QStringLiteral("../x")));
    QCOMPARE(refused.size(), 1);
    QCOMPARE(items.cell(0, 0), QByteArray("a"));
    QVERIFY(items.setData(items.index(0, 0), QStringLiteral("z")));
    QCOMPARE(items.cell(1, 0), QByteArray("z"));
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.at(0).at(0).toInt(), 1);
}

void TestRecordItemTable::loadAndSaveGraphDat() {
    test::TempProgramFolder folder;
    RecordItemTable items;
    items.load();
    QCOMPARE(items.rowCount(), 0);
    items.addItem({sjis::encode(u"体重"), "kg", "60"});
    items.save();
    QCOMPARE(folder.read(QStringLiteral("setting/graph.dat")), QByteArray("\x91\xcc\x8f\x64\xff"
                                                                          "kg\xff"
                                                                          "60\r\n"));
}

QTEST_GUILESS_MAIN(TestRecordItemTable)
#include "tst_recorditemtable.moc"
