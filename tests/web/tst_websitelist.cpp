#include "common/error.h"
#include "common/listtable.h"
#include "web/websitelist.h"

#include "support/tempprogramfolder.h"

#include <QItemSelectionModel>
#include <QTest>

using namespace zk;

Q_DECLARE_METATYPE(zk::WebMenuEntry)

class TestWebSiteList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTripAfterMoves();
    void changeKeepsUntouchedBytes();
    void unencodableNameLeavesListAlone();
    void problem_data();
    void problem();
    void menuEntries_data();
    void menuEntries();
    void missingFileGivesNoEntries();
    void safeUrl_data();
    void safeUrl();
};

void TestWebSiteList::roundTripAfterMoves() {
    test::TempProgramFolder folder;
    ListTableModel table(WebSites::headers());
    WebSites::store(table, -1, QStringLiteral("検索"), QStringLiteral("http://a.example/"));
    WebSites::store(table, -1, QStringLiteral("R&D"), QStringLiteral("https://b.example/"));
    WebSites::store(table, -1, QStringLiteral("検索"), QStringLiteral("c.example"));
    QItemSelectionModel selection(&table);
    ListViewExchange(table, &selection, 2, 1); // third row up
    ListViewExchange(table, &selection, 0, 1); // first row down
    ListViewSave(table, WebSites::listPath());

    QCOMPARE(folder.read(QStringLiteral("setting/www.dat")), QByteArray("\x8c\x9f\x8d\xf5\xff"
                                                                        "c.example\r\n"
                                                                        "\x8c\x9f\x8d\xf5\xff"
                                                                        "http://a.example/\r\n"
                                                                        "R&D\xff"
                                                                        "https://b.example/\r\n"));

    ListTableModel loaded(WebSites::headers());
    QVERIFY(ListViewLoad(loaded, WebSites::listPath()));
    QCOMPARE(loaded.rows(), table.rows());
    const QList<WebMenuEntry> entries = *loadWebMenu(WebSites::listPath());
    QCOMPARE(entries,
             (QList<WebMenuEntry>{{QStringLiteral("検索"), QStringLiteral("c.example")},
                                  {QStringLiteral("検索"), QStringLiteral("http://a.example/")},
                                  {QStringLiteral("R&D"), QStringLiteral("https://b.example/")}}));
}

void TestWebSiteList::changeKeepsUntouchedBytes() {
    ListTableModel table(WebSites::headers());
    // 0xED40 is an NEC-selected IBM extension; re-encoding would give other bytes.
    table.setRows({{"\xed\x40", "http://old.example/", "extra"}});
    const QString name = table.cellText(0, WebSites::Name);
    WebSites::store(table, 0, name, QStringLiteral("http://new.example/"));
    QCOMPARE(table.row(0), (ListRow{"\xed\x40", "http://new.example/", "extra"}));
}

void TestWebSiteList::unencodableNameLeavesListAlone() {
    ListTableModel table(WebSites::headers());
    table.setRows({{"a", "http://a.example/"}});
    QVERIFY_THROWS_EXCEPTION(
        Error, WebSites::store(table, 0, QStringLiteral("😀"), QStringLiteral("http://b.example/")));
    QVERIFY_THROWS_EXCEPTION(Error, WebSites::store(table, -1, QStringLiteral("b"),
                                                    QStringLiteral("http://😀.example/")));
    QCOMPARE(table.rows(), (ListRows{{"a", "http://a.example/"}}));
}

void TestWebSiteList::problem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("message");
    const QString noName = QStringLiteral("サイト名が空白です。");
    const QString noUrl = QStringLiteral("URLが記入されていません！");
    QTest::newRow("empty name") << QString() << QStringLiteral("http://a.example/") << noName;
    QTest::newRow("empty name wins") << QString() << QString() << noName;
    QTest::newRow("empty address") << QStringLiteral("a") << QString() << noUrl;
    QTest::newRow("bare prefix") << QStringLiteral("a") << QStringLiteral("http://") << noUrl;
    QTest::newRow("bare prefix capitals")
        << QStringLiteral("a") << QStringLiteral("HTTP://") << noUrl;
    QTest::newRow("bare prefix mixed") << QStringLiteral("a") << QStringLiteral("hTtP://") << noUrl;
    QTest::newRow("full-width prefix")
        << QStringLiteral("a") << QStringLiteral("ＨＴＴＰ://") << QString();
    QTest::newRow("https prefix") << QStringLiteral("a") << QStringLiteral("https://") << QString();
    QTest::newRow("single word") << QStringLiteral("a") << QStringLiteral("word") << QString();
    QTest::newRow("prefix with space")
        << QStringLiteral("a") << QStringLiteral("http:// ") << QString();
    QTest::newRow("space as name") << QStringLiteral(" ") << QStringLiteral("x") << QString();
}

void TestWebSiteList::problem() {
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, message);
    QCOMPARE(WebSites::problem(name, address), message);
}

void TestWebSiteList::menuEntries_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<WebMenuEntry>>("entries");
    using L = QList<WebMenuEntry>;
    QTest::newRow("empty file") << QByteArray() << L{};
    QTest::newRow("no 0xFF") << QByteArray("http://a.example/\r\n")
                             << L{{QString(), QStringLiteral("http://a.example/")}};
    QTest::newRow("ampersand kept") << QByteArray("&News\xff"
                                                  "n.example\r\n")
                                    << L{{QStringLiteral("&News"), QStringLiteral("n.example")}};
    QTest::newRow("last line without end, lone LF")
        << QByteArray("a\xff"
                      "1\nb\xff"
                      "2")
        << L{{QStringLiteral("a"), QStringLiteral("1")},
             {QStringLiteral("b"), QStringLiteral("2")}};
    QTest::newRow("extra cells are not the address")
        << QByteArray("a\xff"
                      "x.example\xff"
                      "note\r\n")
        << L{{QStringLiteral("a"), QStringLiteral("x.example")}};
    QTest::newRow("empty address")
        << QByteArray("a\xff\r\n") << L{{QStringLiteral("a"), QString()}};
    QTest::newRow("shift-jis name") << QByteArray("\x83\x5c\xff"
                                                  "s.example\r\n")
                                    << L{{QStringLiteral("ソ"), QStringLiteral("s.example")}};
    QTest::newRow("NUL ends") << QByteArray("a\xff"
                                            "1\r\n\0b\xff"
                                            "2\r\n",
                                            12)
                              << L{{QStringLiteral("a"), QStringLiteral("1")}};
}

void TestWebSiteList::menuEntries() {
    QFETCH(QByteArray, bytes);
    QFETCH(QList<WebMenuEntry>, entries);
    QCOMPARE(parseWebMenu(bytes), entries);
}

void TestWebSiteList::missingFileGivesNoEntries() {
    test::TempProgramFolder folder;
    QVERIFY(!loadWebMenu(WebSites::listPath()).has_value());
    folder.write(QStringLiteral("setting/www.dat"), {});
    QCOMPARE(loadWebMenu(WebSites::listPath()), std::optional(QList<WebMenuEntry>{}));
}

void TestWebSiteList::safeUrl_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("url"); // empty: refused

    QTest::newRow("http") << QStringLiteral("http://a.example/x?y=1")
                          << QStringLiteral("http://a.example/x?y=1");
    QTest::newRow("https capitals")
        << QStringLiteral("HTTPS://A.example/") << QStringLiteral("https://a.example/");
    QTest::newRow("mailto") << QStringLiteral("mailto:me@a.example")
                            << QStringLiteral("mailto:me@a.example");
    QTest::newRow("no scheme") << QStringLiteral("www.a.example/page")
                               << QStringLiteral("http://www.a.example/page");
    QTest::newRow("single word") << QStringLiteral("intranet") << QStringLiteral("http://intranet");
    QTest::newRow("host and port")
        << QStringLiteral("a.example:8080/x") << QStringLiteral("http://a.example:8080/x");
    QTest::newRow("localhost port")
        << QStringLiteral("localhost:3000") << QStringLiteral("http://localhost:3000");
    QTest::newRow("surrounding spaces")
        << QStringLiteral("  a.example ") << QStringLiteral("http://a.example");
    QTest::newRow("japanese path")
        << QStringLiteral("http://a.example/検索") << QStringLiteral("http://a.example/検索");

    QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << QString();
    QTest::newRow("file capitals") << QStringLiteral("FILE:///etc/passwd") << QString();
    QTest::newRow("absolute path") << QStringLiteral("/usr/bin/xterm") << QString();
    QTest::newRow("home path") << QStringLiteral("~/x.sh") << QString();
    QTest::newRow("relative path") << QStringLiteral("./run.sh") << QString();
    QTest::newRow("drive path") << QStringLiteral("C:\\Windows\\notepad.exe") << QString();
    QTest::newRow("drive path slash") << QStringLiteral("c:/x") << QString();
    QTest::newRow("UNC") << QStringLiteral("\\\\server\\share") << QString();
    QTest::newRow("network path") << QStringLiteral("//server/share") << QString();
    QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << QString();
    QTest::newRow("ftp") << QStringLiteral("ftp://a.example/") << QString();
    QTest::newRow("smb") << QStringLiteral("smb://server/share") << QString();
    QTest::newRow("data") << QStringLiteral("data:text/html,x") << QString();
    QTest::newRow("custom handler") << QStringLiteral("steam://run/1") << QString();
    QTest::newRow("http without host") << QStringLiteral("http:///etc/passwd") << QString();
    QTest::newRow("http without slashes") << QStringLiteral("http:a.example") << QString();
    QTest::newRow("empty mailto") << QStringLiteral("mailto:") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestWebSiteList::safeUrl() {
    QFETCH(QString, address);
    QFETCH(QString, url);
    if (url.isEmpty()) {
        try {
            const QUrl opened = safeWebUrl(address);
            QFAIL(qPrintable(QStringLiteral("opened ") + opened.toString()));
        } catch (const Error &e) {
            QVERIFY(e.text().contains(u'「' + address + u'」'));
            QVERIFY(e.text().contains(QStringLiteral("開けません")));
        }
        return;
    }
    QCOMPARE(safeWebUrl(address), QUrl(url));
}

QTEST_GUILESS_MAIN(TestWebSiteList)
#include "tst_websitelist.moc"
