#include "app/mymenus.h"
#include "common/error.h"
#include "common/sjis.h"

#include "support/tempprogramfolder.h"

#include <QDir>
#include <QTest>

using namespace zk;

class TestMyMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusal_data();
    void refusal();
    void ofSumsTheRows();
    void save_data();
    void save();
    void failedSaveChangesNothing();
};

namespace {

QByteArray sj(const char *text) {
    return sjis::encode(QString::fromUtf8(text));
}

const QDate made(2026, 12, 9);

} // namespace

void TestMyMenus::refusal_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("said"); // a part of the message; empty: accepted
    QTest::newRow("plain") << QStringLiteral("朝定食") << QString();
    QTest::newRow("spaces around") << QStringLiteral("  朝定食 ") << QString();
    QTest::newRow("full-width colon") << QStringLiteral("定食：朝") << QString();
    QTest::newRow("empty") << QStringLiteral(" 　") << QStringLiteral("入力");
    QTest::newRow("colon") << QStringLiteral("a:b") << QStringLiteral("「:」");
    QTest::newRow("line break") << QStringLiteral("a\nb") << QStringLiteral("改行");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("制御文字");
    QTest::newRow("heading") << QStringLiteral("@朝") << QStringLiteral("見出し");
    QTest::newRow("not Shift-JIS") << QStringLiteral("朝😀") << QStringLiteral("使えない文字");
}

void TestMyMenus::refusal() {
    QFETCH(QString, name);
    QFETCH(QString, said);
    const QString refusal = MyMenus::refusal(name);
    QCOMPARE(refusal.isEmpty(), said.isEmpty());
    QVERIFY2(refusal.contains(said), qPrintable(refusal));
}

// A serving is the rows' sum over the servings; a nutrient only when every row has it.
void TestMyMenus::ofSumsTheRows() {
    const auto row = [](int kcal, IntakeNutrients eaten) {
        IntakeRow r;
        r.list.value = kcal;
        r.eaten = eaten;
        return r;
    };
    const QList<IntakeRow> rows{row(234, {3.8, 0.5, 55.7, 0.0}), row(61, {4.1, 1.9, 7.0, 1.9}),
                                row(175, {16.5, 10.9, 0.1, std::nullopt})};
    const MyMenus::Menu one = MyMenus::of(QStringLiteral(" 朝定食 "), rows, 1);
    QCOMPARE(one.name, sj("朝定食"));
    QCOMPARE(one.calory, 470);
    QCOMPARE(one.nutrients, (IntakeNutrients{24.4, 13.3, 62.8, std::nullopt}));
    const MyMenus::Menu three = MyMenus::of(QStringLiteral("x"), rows, 3);
    QCOMPARE(three.calory, 157); // 156.67
    QCOMPARE(three.nutrients[Protein], 8.1);
}

void TestMyMenus::save_data() {
    QTest::addColumn<QByteArray>("cal");       // before; "-" for no file
    QTest::addColumn<QByteArray>("nutrients"); // before; "-" for no file
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("calory");
    QTest::addColumn<bool>("known"); // with P 24.4, F 13.3, C 62.8, salt 0 or without any
    QTest::addColumn<QByteArray>("calAfter");
    QTest::addColumn<QByteArray>("nutrientsAfter"); // "-": no file

    const QByteArray month = '@' + sj("2026年12月");
    const QByteArray line = sj("朝定食") + "\xff" + sj("1人前") + "\xff" + "24.4\xff" + "13.3\xff" +
                            "62.8\xff\xff" + "0\r\n";
    QTest::newRow("new table") << QByteArray("-") << QByteArray("-") << sj("朝定食") << 470 << true
                               << month + "\r\n\t" + sj("朝定食") + ":470\r\n"
                               << line;
    QTest::newRow("without nutrients, no nutrient file")
        << QByteArray("-") << QByteArray("-") << sj("朝定食") << 470 << false
        << month + "\r\n\t" + sj("朝定食") + ":470\r\n"
        << QByteArray("-");
    QTest::newRow("under this month's heading, LF kept")
        << month + "\n\ta:1"
        << QByteArray("x\xff"
                      "1\xff\xff\xff\xff\xff")
        << sj("朝定食") << 470 << true << month + "\n\ta:1\n\t" + sj("朝定食") + ":470\n"
        << QByteArray("x\xff"
                      "1\xff\xff\xff\xff\xff\r\n") +
               line;
    QTest::newRow("CR alone kept")
        << QByteArray("@x\r\ta:1\r\n") << QByteArray("-") << QByteArray("b") << 5 << false
        << QByteArray("@x\r\ta:1\r\n") + month + "\r\tb:5\r" << QByteArray("-");
    QTest::newRow("a new month") << QByteArray("@2026\x94\x4e"
                                               "11\x8c\x8e\r\n\ta:1\r\n")
                                 << QByteArray("-") << QByteArray("b") << 5 << false
                                 << QByteArray("@2026\x94\x4e"
                                               "11\x8c\x8e\r\n\ta:1\r\n") +
                                        month + "\r\n\tb:5\r\n"
                                 << QByteArray("-");
    // A blank line at the top would take a line indented under it along.
    QTest::newRow("after a blank line") << month + "\r\n\ta:1\r\n\r\n"
                                        << QByteArray("-") << QByteArray("b") << 5 << false
                                        << month + "\r\n\ta:1\r\n\r\n" + month + "\r\n\tb:5\r\n"
                                        << QByteArray("-");
    QTest::newRow("replaced: every line of the name, the rest as it was")
        << QByteArray("@h\r\n\tb:1\r\n  b:2 \r\nab:3\r\n@b:4\r\n")
        << QByteArray("b\t1g\r\nc\xff"
                      "1\xff\xff\xff\xff\xff\r\nb\xff"
                      "x")
        << QByteArray("b") << 7 << false << QByteArray("@h\r\n\tb:7\r\n  b:7\r\nab:3\r\n@b:4\r\n")
        << QByteArray("c\xff"
                      "1\xff\xff\xff\xff\xff\r\n");
}

void TestMyMenus::save() {
    QFETCH(QByteArray, cal);
    QFETCH(QByteArray, nutrients);
    QFETCH(QByteArray, name);
    QFETCH(int, calory);
    QFETCH(bool, known);
    QFETCH(QByteArray, calAfter);
    QFETCH(QByteArray, nutrientsAfter);
    test::TempProgramFolder folder;
    const QString calFile = QStringLiteral("data/Myﾒﾆｭｰ.cal");
    const QString nutrientFile = QStringLiteral("data/Myﾒﾆｭｰ.nutrients");
    if (cal != "-")
        folder.write(calFile, cal);
    if (nutrients != "-")
        folder.write(nutrientFile, nutrients);
    MyMenus::Menu menu{name, calory, {}};
    if (known)
        menu.nutrients = {24.4, 13.3, 62.8, 0.0};
    MyMenus menus;
    QCOMPARE(menus.contains(name), QByteArray(QTest::currentDataTag()).startsWith("replaced"));
    menus.save(menu, made);
    QCOMPARE(folder.read(calFile), calAfter);
    QCOMPARE(QFile::exists(folder.path(nutrientFile)), nutrientsAfter != "-");
    if (nutrientsAfter != "-")
        QCOMPARE(folder.read(nutrientFile), nutrientsAfter);
}

// A table that cannot be read or written is named; nothing is written then.
void TestMyMenus::failedSaveChangesNothing() {
    test::TempProgramFolder folder;
    const MyMenus::Menu menu{"b", 5, {1.0, 1.0, 1.0, 1.0}};
    QDir().mkpath(folder.path(QStringLiteral("data/Myﾒﾆｭｰ.cal")));
    try {
        MyMenus().save(menu, made);
        QFAIL("saved into a folder");
    } catch (const Error &e) {
        QVERIFY2(e.text().contains(QStringLiteral("Myﾒﾆｭｰ.cal")), qPrintable(e.text()));
    }
    QVERIFY(!QFile::exists(folder.path(QStringLiteral("data/Myﾒﾆｭｰ.nutrients"))));

    // A level error: the table is not the program's to rewrite.
    QDir(folder.path(QStringLiteral("data/Myﾒﾆｭｰ.cal"))).removeRecursively();
    folder.write(QStringLiteral("data/Myﾒﾆｭｰ.cal"), "a:1\r\n\t\tb:2\r\n");
    QVERIFY_THROWS_EXCEPTION(Error, MyMenus().contains("b"));
    QVERIFY_THROWS_EXCEPTION(Error, MyMenus().save(menu, made));
    QCOMPARE(folder.read(QStringLiteral("data/Myﾒﾆｭｰ.cal")), QByteArray("a:1\r\n\t\tb:2\r\n"));
}

QTEST_GUILESS_MAIN(TestMyMenus)
#include "tst_mymenus.moc"
