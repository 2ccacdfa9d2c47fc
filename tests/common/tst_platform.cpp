#include "common/error.h"
#include "common/platform.h"
#include "common/programlayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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
    void layout_data();
    void layout();
    void installedFolderIsReadied();
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

void TestPlatform::layout_data() {
    QTest::addColumn<QString>("holds"); // what the executable's folder holds
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<QString>("user"); // "=" for the executable's folder
    QTest::newRow("portable, setting/") << "setting"
                                        << "/home/u"
                                        << ""
                                        << "=";
    QTest::newRow("portable, data/") << "data"
                                     << "/home/u"
                                     << "/x"
                                     << "=";
    QTest::newRow("installed") << ""
                               << "/home/u"
                               << ""
                               << "/home/u/.local/share/zenkarta/";
    QTest::newRow("installed, XDG_DATA_HOME") << ""
                                              << "/home/u"
                                              << "/x/y/"
                                              << "/x/y/zenkarta/";
    QTest::newRow("installed, relative XDG") << ""
                                             << "/home/u"
                                             << "x"
                                             << "/home/u/.local/share/zenkarta/";
    QTest::newRow("installed, no home") << ""
                                        << ""
                                        << ""
                                        << "";
    QTest::newRow("installed, relative home") << ""
                                              << "u"
                                              << ""
                                              << "";
}

void TestPlatform::layout() {
    QFETCH(QString, holds);
    QFETCH(QString, home);
    QFETCH(QString, xdg);
    QFETCH(QString, user);
    QTemporaryDir root;
    const QString exe = root.filePath(QStringLiteral("usr/lib/zenkarta"));
    QVERIFY(QDir().mkpath(holds.isEmpty() ? exe : exe + u'/' + holds));
    const ProgramLayout layout = ProgramLayout::of(exe, home, xdg);
    QCOMPARE(layout.installed, user != u'=');
    QCOMPARE(layout.userFolder, user == u'=' ? exe + u'/' : user);
    QCOMPARE(layout.sharedFolder,
             layout.installed ? root.filePath(QStringLiteral("usr/share/zenkarta/")) : exe + u'/');
}

void TestPlatform::installedFolderIsReadied() {
    QTemporaryDir root;
    auto put = [&](const QString &relative, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(root.filePath(relative)).path());
        QFile file(root.filePath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    auto read = [&](const QString &relative) {
        QFile file(root.filePath(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    };
    QDir().mkpath(root.filePath(QStringLiteral("usr/lib/zenkarta")));
    put(QStringLiteral("usr/share/zenkarta/data/主食/ご飯.cal"), "v1\r\n");
    const auto layoutFor = [&](const QString &home) {
        return ProgramLayout::of(root.filePath(QStringLiteral("usr/lib/zenkarta")),
                                 root.filePath(home), {});
    };
    const ProgramLayout layout = layoutFor(QStringLiteral("home"));
    const QString user = QStringLiteral("home/.local/share/zenkarta/");

    // A new user gets the folder and the bundle; an upgrade brings a new
    // table and keeps the edited one.
    QCOMPARE(PrepareProgramLayout(layout), QString());
    QCOMPARE(read(user + QStringLiteral("data/主食/ご飯.cal")), QByteArray("v1\r\n"));
    QVERIFY(QFileInfo(root.filePath(user + QStringLiteral("record"))).isDir());
    QVERIFY(QFileInfo(root.filePath(user + QStringLiteral("setting"))).isDir());
    put(user + QStringLiteral("data/主食/ご飯.cal"), "edited\r\n");
    put(QStringLiteral("usr/share/zenkarta/data/主食/ご飯.cal"), "v2\r\n");
    put(QStringLiteral("usr/share/zenkarta/data/主食/麺.cal"), "new\r\n");
    QCOMPARE(PrepareProgramLayout(layout), QString());
    QCOMPARE(read(user + QStringLiteral("data/主食/ご飯.cal")), QByteArray("edited\r\n"));
    QCOMPARE(read(user + QStringLiteral("data/主食/麺.cal")), QByteArray("new\r\n"));

    // A folder that cannot be used stops the start and gets nothing: no
    // home, a file where a folder must be, a portable copy living there.
    QVERIFY_THROWS_EXCEPTION(
        Error, PrepareProgramLayout(
                   ProgramLayout::of(root.filePath(QStringLiteral("usr/lib/zenkarta")), {}, {})));
    put(QStringLiteral("file/.local/share"), "a file");
    QVERIFY_THROWS_EXCEPTION(Error, PrepareProgramLayout(layoutFor(QStringLiteral("file"))));
    put(QStringLiteral("old/.local/share/zenkarta/zenkarta"), "a portable program");
    QVERIFY_THROWS_EXCEPTION(Error, PrepareProgramLayout(layoutFor(QStringLiteral("old"))));
    QVERIFY(!QFileInfo::exists(root.filePath(QStringLiteral("old/.local/share/zenkarta/data"))));
}

void TestPlatform::freeMemoryIsKnown() {
    QVERIFY(freePhysicalMemory() > 0);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
