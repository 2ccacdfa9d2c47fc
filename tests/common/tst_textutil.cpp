#include "common/error.h"
#include "common/savename.h"
#include "common/textutil.h"

#include "support/tempprogramfolder.h"

#include <QTest>

using namespace zk;

class TestTextUtil : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void split_data();
    void split();
    void lines_data();
    void lines();
    void splitdigitGroups_data();
    void splitdigitGroups();
    void eliminateComma_data();
    void eliminateComma();
    void unreadableFileNamesThePath();
    void nameForFilter_data();
    void nameForFilter();
};

using Fields = QList<QByteArray>;

void TestTextUtil::split_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Fields>("fields");
    QTest::newRow("empty") << QByteArray() << Fields{""};
    QTest::newRow("one") << QByteArray("abc") << Fields{"abc"};
    QTest::newRow("empty middle") << QByteArray("a\xff\xff"
                                                "b")
                                  << Fields{"a", "", "b"};
    QTest::newRow("trailing") << QByteArray("abc\xff\xff") << Fields{"abc", "", ""};
    QTest::newRow("leading") << QByteArray("\xff"
                                           "a")
                             << Fields{"", "a"};
    QTest::newRow("NUL ends") << QByteArray("a\xff"
                                            "b\0\xff"
                                            "c",
                                            6)
                              << Fields{"a", "b"};
}

void TestTextUtil::split() {
    QFETCH(QByteArray, text);
    QFETCH(Fields, fields);
    QCOMPARE(Split(text, '\xff'), fields);
}

void TestTextUtil::lines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Fields>("lines");
    QTest::newRow("empty") << QByteArray() << Fields{};
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << Fields{"a", "b"};
    QTest::newRow("no final end") << QByteArray("a\r\nb") << Fields{"a", "b"};
    QTest::newRow("LF only") << QByteArray("a\nb\n") << Fields{"a", "b"};
    QTest::newRow("CR only") << QByteArray("a\rb\r") << Fields{"a", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\n\nb\rc") << Fields{"a", "", "b", "c"};
    QTest::newRow("LF CR is two") << QByteArray("a\n\rb") << Fields{"a", "", "b"};
    QTest::newRow("empty lines") << QByteArray("\r\n\r\n") << Fields{"", ""};
    QTest::newRow("NUL ends") << QByteArray("a\r\nb\0c\r\nd", 9) << Fields{"a", "b"};
}

void TestTextUtil::lines() {
    QFETCH(QByteArray, text);
    QFETCH(Fields, lines);
    QCOMPARE(splitLines(text), lines);
}

void TestTextUtil::splitdigitGroups_data() {
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("grouped");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("0") << "0"
                       << "0";
    QTest::newRow("100") << "100"
                         << "100";
    QTest::newRow("999") << "999"
                         << "999";
    QTest::newRow("1000") << "1000"
                          << "1,000";
    QTest::newRow("123456") << "123456"
                            << "123,456";
    QTest::newRow("1000000") << "1000000"
                             << "1,000,000";
    QTest::newRow("int max") << "2147483647"
                             << "2,147,483,647";
    QTest::newRow("-100") << "-100"
                          << "-100";
    QTest::newRow("-123") << "-123"
                          << "-123";
    QTest::newRow("-1234") << "-1234"
                           << "-1,234";
    QTest::newRow("-123456") << "-123456"
                             << "-123,456";
}

void TestTextUtil::splitdigitGroups() {
    QFETCH(QString, digits);
    QFETCH(QString, grouped);
    QCOMPARE(splitdigit(digits), grouped);
    if (!digits.isEmpty())
        QCOMPARE(splitdigit(digits.toLongLong()), grouped);
}

void TestTextUtil::eliminateComma_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("grouped kcal") << "1,234 kcal" << 1234;
    QTest::newRow("plain kcal") << "2500 kcal" << 2500;
    QTest::newRow("no digit") << "kcal" << 0;
    QTest::newRow("two numbers join") << "12 and 34" << 1234;
    QTest::newRow("int max") << "2,147,483,647" << 2147483647;
    QTest::newRow("eleven nines") << "99999999999" << 0;
    QTest::newRow("full-width digits") << "１２３" << 0;
    QTest::newRow("sign dropped") << "-100 kcal" << 100;
}

void TestTextUtil::eliminateComma() {
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(EliminateComma(text), value);
}

void TestTextUtil::unreadableFileNamesThePath() {
    test::TempProgramFolder folder;
    const QString missing = folder.path(QStringLiteral("none.cal"));
    try {
        readFileBytes(missing);
        QFAIL("no error");
    } catch (const Error &e) {
        QCOMPARE(e.text(), QStringLiteral("ファイル %1 は開けません").arg(missing));
    }
}

void TestTextUtil::nameForFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("other"); // another kind's extension, asked about
    const QString png = QStringLiteral("PNG (*.png)");
    QTest::newRow("bare") << "/d/w" << png << "/d/w.png"
                          << "";
    QTest::newRow("its own, any case") << "/d/w.PNG" << png << "/d/w.PNG"
                                       << "";
    QTest::newRow("digits after a dot") << "/d/体重 2024.12" << png << "/d/体重 2024.12.png"
                                        << "";
    QTest::newRow("another kind") << "/d/w.jpg" << png << "/d/w.jpg.png"
                                  << "jpg";
    QTest::newRow("ending in a dot") << "/d/w." << png << "/d/w.png"
                                     << "";
    QTest::newRow("a filter of every file") << "/d/w"
                                            << "すべて (*)"
                                            << "/d/w"
                                            << "";
}

void TestTextUtil::nameForFilter() {
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, path);
    QFETCH(QString, other);
    const NameUnderFilter name = NameForFilter(typed, filter);
    QCOMPARE(name.path, path);
    QCOMPARE(name.otherExtension, other);
}

QTEST_GUILESS_MAIN(TestTextUtil)
#include "tst_textutil.moc"
