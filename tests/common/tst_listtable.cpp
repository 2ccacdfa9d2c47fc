#include "common/error.h"
#include "common/listtable.h"
#include "common/textutil.h"

#include "support/tempprogramfolder.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QTest>

using namespace zk;

class TestListTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void loadNormalisesLineEnds_data();
    void loadNormalisesLineEnds();
    void missingFileKeepsRows();
    void saveIntoMissingFolder();
    void unreadableFileKeepsRows();
    void exchange_data();
    void exchange();
    void editKeepsBytesUntilChanged();
    void editRefusesUnencodableText();
    void editedRowKeepsUntouchedCells_data();
    void editedRowKeepsUntouchedCells();
};

void TestListTable::roundTrip_data() {
    QTest::addColumn<ListRows>("rows");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no rows") << ListRows{} << QByteArray();
    QTest::newRow("empty trailing cells")
        << ListRows{{"abc", "", ""}} << QByteArray("abc\xff\xff\r\n");
    QTest::newRow("empty row") << ListRows{{"a", "b"}, {""}}
                               << QByteArray("a\xff"
                                             "b\r\n\r\n");
    QTest::newRow("extra cells") << ListRows{{"x", "1", "2", "3", "4", "5", "6"}}
                                 << QByteArray("x\xff"
                                               "1\xff"
                                               "2\xff"
                                               "3\xff"
                                               "4\xff"
                                               "5\xff"
                                               "6\r\n");
    QTest::newRow("invalid CP932") << ListRows{{"\x80\xa0", "\x93"}, {"\xfd\xfe"}}
                                   << QByteArray("\x80\xa0\xff\x93\r\n\xfd\xfe\r\n");
    QTest::newRow("japanese") << ListRows{{"\x92\xa9", "750 kcal"}}
                              << QByteArray("\x92\xa9\xff"
                                            "750 kcal\r\n");
}

void TestListTable::roundTrip() {
    QFETCH(ListRows, rows);
    QFETCH(QByteArray, bytes);
    test::TempProgramFolder folder;
    const QString path = folder.path(QStringLiteral("setting/x.dat"));

    ListTableModel table({QStringLiteral("A"), QStringLiteral("B")});
    QAbstractItemModelTester tester(&table);
    table.setRows(rows);
    ListViewSave(table, path);
    QCOMPARE(folder.read(QStringLiteral("setting/x.dat")), bytes);

    ListTableModel loaded({QStringLiteral("A"), QStringLiteral("B")});
    loaded.appendRow({"stale"});
    QVERIFY(ListViewLoad(loaded, path));
    QCOMPARE(loaded.rows(), rows);
    ListViewSave(loaded, path);
    QCOMPARE(folder.read(QStringLiteral("setting/x.dat")), bytes);
}

void TestListTable::loadNormalisesLineEnds_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ListRows>("rows");
    const ListRows ab{{"a", "1"}, {"b", "2"}};
    QTest::newRow("CR LF") << QByteArray("a\xff"
                                         "1\r\nb\xff"
                                         "2\r\n")
                           << ab;
    QTest::newRow("last line without end") << QByteArray("a\xff"
                                                         "1\r\nb\xff"
                                                         "2")
                                           << ab;
    QTest::newRow("LF only") << QByteArray("a\xff"
                                           "1\nb\xff"
                                           "2\n")
                             << ab;
    QTest::newRow("CR only") << QByteArray("a\xff"
                                           "1\rb\xff"
                                           "2\r")
                             << ab;
    QTest::newRow("NUL ends the text") << QByteArray("a\xff"
                                                     "1\r\nb\xff"
                                                     "2\r\n\0c\r\n",
                                                     14)
                                       << ab;
    QTest::newRow("empty cells") << QByteArray("a\xff\xff"
                                               "b\r\n")
                                 << ListRows{{"a", "", "b"}};
}

void TestListTable::loadNormalisesLineEnds() {
    QFETCH(QByteArray, bytes);
    QFETCH(ListRows, rows);
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("x.dat"), bytes);
    ListTableModel table({QStringLiteral("A")});
    QVERIFY(ListViewLoad(table, folder.path(QStringLiteral("x.dat"))));
    QCOMPARE(table.rows(), rows);
}

void TestListTable::missingFileKeepsRows() {
    test::TempProgramFolder folder;
    ListTableModel table({QStringLiteral("A")});
    table.setRows({{"design", "row"}});
    QVERIFY(!ListViewLoad(table, folder.path(QStringLiteral("setting/none.dat"))));
    QCOMPARE(table.rows(), (ListRows{{"design", "row"}}));
}

void TestListTable::saveIntoMissingFolder() {
    test::TempProgramFolder folder;
    ListTableModel table({QStringLiteral("A")});
    table.setRows({{"a"}});
    ListViewSave(table, folder.path(QStringLiteral("setting/standard.dat")));
    QCOMPARE(folder.read(QStringLiteral("setting/standard.dat")), QByteArray("a\r\n"));
}

void TestListTable::unreadableFileKeepsRows() {
    test::TempProgramFolder folder;
    QDir().mkpath(folder.path(QStringLiteral("setting/font.dat")));
    ListTableModel table({QStringLiteral("A")});
    table.setRows({{"keep"}});
    QVERIFY_THROWS_EXCEPTION(Error,
                             ListViewLoad(table, folder.path(QStringLiteral("setting/font.dat"))));
    QCOMPARE(table.rows(), (ListRows{{"keep"}}));
}

void TestListTable::exchange_data() {
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QByteArray>("order");
    QTest::addColumn<int>("selected");
    QTest::newRow("down") << 0 << 1 << QByteArray("bac") << 1;
    QTest::newRow("up") << 2 << 1 << QByteArray("acb") << 1;
    QTest::newRow("above the first") << 0 << -1 << QByteArray("abc") << 0;
    QTest::newRow("below the last") << 2 << 3 << QByteArray("abc") << 0;
}

void TestListTable::exchange() {
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(QByteArray, order);
    QFETCH(int, selected);
    ListTableModel table({QStringLiteral("A"), QStringLiteral("B")});
    table.setRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    QItemSelectionModel selection(&table);
    selection.setCurrentIndex(table.index(0, 0),
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ListViewExchange(table, &selection, a, b);
    QByteArray got;
    for (const ListRow &row : table.rows()) {
        got += row[0];
        QCOMPARE(row[1], QByteArray::number(row[0][0] - 'a' + 1)); // cells move together
    }
    QCOMPARE(got, order);
    QCOMPARE(selection.selectedRows().size(), 1);
    QCOMPARE(selection.selectedRows().first().row(), selected);
}

void TestListTable::editKeepsBytesUntilChanged() {
    ListTableModel table({QStringLiteral("A"), QStringLiteral("B")});
    table.setEditableColumns({0});
    table.setRows({{"\x80x", "\x82\xa0"}});
    QCOMPARE(table.data(table.index(0, 0)).toString(), QStringLiteral("\uFFFDx"));
    QVERIFY(table.setData(table.index(0, 0), QStringLiteral("\uFFFDx")));
    QCOMPARE(table.cell(0, 0), QByteArray("\x80x")); // unchanged text keeps the bytes
    QVERIFY(table.setData(table.index(0, 0), QStringLiteral("朝")));
    QCOMPARE(table.cell(0, 0), QByteArray("\x92\xa9"));
}

void TestListTable::editRefusesUnencodableText() {
    ListTableModel table({QStringLiteral("A")});
    table.setEditableColumns({0});
    table.setRows({{"old"}});
    QString refused;
    connect(&table, &ListTableModel::editRefused, this, [&](const QString &m) { refused = m; });
    QVERIFY(!table.setData(table.index(0, 0), QStringLiteral("朝😀")));
    QCOMPARE(table.cell(0, 0), QByteArray("old"));
    QVERIFY(refused.contains(QStringLiteral("U+1F600")));
}

void TestListTable::editedRowKeepsUntouchedCells_data() {
    QTest::addColumn<ListRow>("stored");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<ListRow>("edited");
    // 0x80 is no CP932 byte: it shows as U+FFFD and could not be encoded again.
    QTest::newRow("untouched invalid byte")
        << ListRow{"w", "\x80", "60"} << QStringList{"w", "\uFFFD", "60"}
        << ListRow{"w", "\x80", "60"};
    QTest::newRow("changed cell encoded, others kept")
        << ListRow{"w", "\x80", "60"} << QStringList{"w", "\uFFFD", "朝"}
        << ListRow{"w", "\x80", "\x92\xa9"};
    QTest::newRow("cells beyond the edited ones kept")
        << ListRow{"a", "b", "c", "extra\x80"} << QStringList{"A", "b", "c"}
        << ListRow{"A", "b", "c", "extra\x80"};
    QTest::newRow("short row grows")
        << ListRow{"a"} << QStringList{"a", "", "t"} << ListRow{"a", "", "t"};
    QTest::newRow("new row") << ListRow{} << QStringList{"n", "u"} << ListRow{"n", "u"};
}

void TestListTable::editedRowKeepsUntouchedCells() {
    QFETCH(ListRow, stored);
    QFETCH(QStringList, texts);
    QFETCH(ListRow, edited);
    QCOMPARE(editedRow(stored, texts), edited);
    texts.append(QStringLiteral("😀"));
    QVERIFY_THROWS_EXCEPTION(Error, editedRow(stored, texts));
}

QTEST_GUILESS_MAIN(TestListTable)
#include "tst_listtable.moc"
