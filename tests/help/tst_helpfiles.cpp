#include "help/helpfiles.h"

#include "support/tempprogramfolder.h"

#include <QFile>
#include <QTest>

using namespace zk;

class TestHelpFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void memory_data();
    void memory();
    void topicUrl();
    void shippedPagesHoldEveryTopic_data();
    void shippedPagesHoldEveryTopic();
};

void TestHelpFiles::memory_data() {
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << quint64(0) << QStringLiteral("0 Byte Free");
    QTest::newRow("999") << quint64(999) << QStringLiteral("999 Byte Free");
    QTest::newRow("1000") << quint64(1000) << QStringLiteral("1,000 Byte Free");
    QTest::newRow("1234567890") << quint64(1234567890) << QStringLiteral("1,234,567,890 Byte Free");
    // Beyond 32 bits the count must not wrap.
    QTest::newRow("16 GiB") << quint64(17179869184ULL)
                            << QStringLiteral("17,179,869,184 Byte Free");
    QTest::newRow("largest") << quint64(18446744073709551615ULL)
                             << QStringLiteral("18,446,744,073,709,551,615 Byte Free");
}

void TestHelpFiles::memory() {
    QFETCH(quint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(memoryText(bytes), text);
}

void TestHelpFiles::topicUrl() {
    test::TempProgramFolder folder;
    const QUrl url = HelpFiles::topicUrl(9);
    QCOMPARE(url.fragment(), QStringLiteral("topic9"));
    QCOMPARE(url.toLocalFile(), folder.path(QStringLiteral("help/topics.html")));
    QCOMPARE(HelpFiles::missingMessage(HelpFiles::topicFile()),
             QStringLiteral("ヘルプファイル『help/topics.html』が見つかりません。"));
}

void TestHelpFiles::shippedPagesHoldEveryTopic_data() {
    QTest::addColumn<int>("context");
    for (int context : {1, 2, 5, 6, 7, 8, 9})
        QTest::addRow("%d", context) << context;
}

// Every number a window passes must land on a section of the shipped topic set.
void TestHelpFiles::shippedPagesHoldEveryTopic() {
    QFETCH(int, context);
    QFile file(QStringLiteral(ZENKARTA_SOURCE_DIR "/resources/") + HelpFiles::topicFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    QVERIFY(page.contains(QStringLiteral("id=\"%1\"").arg(HelpFiles::topicAnchor(context))));
}

QTEST_GUILESS_MAIN(TestHelpFiles)
#include "tst_helpfiles.moc"
