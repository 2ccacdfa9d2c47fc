#include "common/platform.h"

#include <QTest>

using namespace zk;

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void datePattern_data();
    void datePattern();
    void collationIsTotal_data();
    void collationIsTotal();
    void programFolderEndsInSlash();
    void freeMemoryIsKnown();
};

void TestPlatform::datePattern_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("year first, slash") << "yyyy/MM/dd"
                                       << "yyyy/MM/dd";
    QTest::newRow("year first, dash") << "yyyy-MM-dd"
                                      << "yyyy-MM-dd";
    QTest::newRow("year first, dot") << "yyyy.MM.dd"
                                     << "yyyy.MM.dd";
    QTest::newRow("two-digit year") << "yy/MM/dd"
                                    << "yyyy/MM/dd";
    QTest::newRow("month first") << "M/d/yy"
                                 << "yyyy/MM/dd";
    QTest::newRow("day first") << "dd.MM.yyyy"
                               << "yyyy/MM/dd";
    QTest::newRow("variable widths") << "yyyy/M/d"
                                     << "yyyy/MM/dd";
    QTest::newRow("month name") << "d MMM yyyy"
                                << "yyyy/MM/dd";
    QTest::newRow("mixed separators") << "yyyy/MM-dd"
                                      << "yyyy/MM/dd";
}

void TestPlatform::datePattern() {
    QFETCH(QString, locale);
    QFETCH(QString, pattern);
    QCOMPARE(Regional::datePatternFor(locale), pattern);
}

void TestPlatform::collationIsTotal_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sensitive");
    QTest::addColumn<int>("insensitive");
    QTest::newRow("same") << "abc"
                          << "abc" << 0 << 0;
    QTest::newRow("locale, not bytes") << "b"
                                       << "C" << -1 << -1;
    QTest::newRow("case tie broken") << "weight"
                                     << "Weight" << -1 << 1;
    QTest::newRow("kana ties broken") << "あ"
                                      << "ア" << -1 << -1;
    QTest::newRow("width ties broken") << "Ａ"
                                       << "A" << 1 << 1;
}

void TestPlatform::collationIsTotal() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sensitive);
    QFETCH(int, insensitive);
    const Regional ja(QLocale(QLocale::Japanese, QLocale::Japan));
    QCOMPARE(ja.compare(a, b), sensitive);
    QCOMPARE(ja.compare(b, a), -sensitive);
    QCOMPARE(ja.compareNoCase(a, b) == 0, insensitive == 0);
    QCOMPARE(ja.compareNoCase(a, b), -ja.compareNoCase(b, a));
    QCOMPARE(ja.shortDatePattern(), QStringLiteral("yyyy/MM/dd"));
}

void TestPlatform::programFolderEndsInSlash() {
    ProgramFolder::set(QStringLiteral("/opt/zenkarta"));
    QCOMPARE(ProgramFolder::file(QStringLiteral("setting/project.ini")),
             QStringLiteral("/opt/zenkarta/setting/project.ini"));
    ProgramFolder::set(QStringLiteral("/opt/zenkarta/"));
    QCOMPARE(ProgramFolder::path(), QStringLiteral("/opt/zenkarta/"));
}

void TestPlatform::freeMemoryIsKnown() {
    QVERIFY(freePhysicalMemory() > 0);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
