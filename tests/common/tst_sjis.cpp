#include "common/error.h"
#include "common/sjis.h"

#include <QStringDecoder>
#include <QTest>

using namespace zk;

class TestSjis : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decode_data();
    void decode();
    void decodeAgreesWithTheConverterOnEveryPair();
    void escapedBytesRoundTrip_data();
    void escapedBytesRoundTrip();
    void encodeFoldsLookalikes_data();
    void encodeFoldsLookalikes();
    void encodeRefusesWhatCp932CannotHold_data();
    void encodeRefusesWhatCp932CannotHold();
};

void TestSjis::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("kanji") << QByteArray("\x93\xfa\x96\x7b") << QStringLiteral("日本");
    QTest::newRow("0x5C as second byte")
        << QByteArray("\x83\x5c\x95\x5c") << QStringLiteral("ソ表");
    QTest::newRow("backslash alone") << QByteArray("a\\b") << QStringLiteral("a\\b");
    QTest::newRow("half-width katakana")
        << QByteArray("\xba\xdb\xd8\xb0") << QStringLiteral("ｺﾛﾘｰ");
    QTest::newRow("control bytes stay")
        << QByteArray("\x1a\x1c\x7f") << QStringLiteral("\x1a\x1c\x7f");
    QTest::newRow("invalid single bytes")
        << QByteArray("a\x80\xa0\xfd\xfe\xff") << QStringLiteral("a\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    QTest::newRow("lead byte at the end") << QByteArray("a\x93") << QStringLiteral("a\uFFFD");
    QTest::newRow("lead byte before ASCII") << QByteArray("\x93\x0a") << QStringLiteral("\uFFFD\n");
    QTest::newRow("unmapped pair") << QByteArray("\x85\x40x") << QStringLiteral("\uFFFD@x");
    QTest::newRow("resync after unmapped lead")
        << QByteArray("\x85\x82\xa0") << QStringLiteral("\uFFFDあ");
    QTest::newRow("user-defined area") << QByteArray("\xf0\x40") << QStringLiteral("\uE000");
    QTest::newRow("NEC special") << QByteArray("\x87\x40") << QStringLiteral("①");
}

void TestSjis::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(sjis::decode(bytes), text);
}

// Pairs are decoded from a table made once; each must give what the converter
// gives for it alone (a character, or nothing for a pair CP932 lacks).
void TestSjis::decodeAgreesWithTheConverterOnEveryPair() {
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!sjis::isLeadByte(uchar(lead)) || !sjis::isTrailByte(uchar(trail)))
                continue;
            const char bytes[] = {char(lead), char(trail)};
            const QByteArray pair(bytes, 2);
            QStringDecoder converter("windows-31j", QStringConverter::Flag::Stateless);
            const QString expected = converter.decode(pair);
            const bool maps = !converter.hasError() && expected.size() == 1 &&
                              expected != QStringLiteral("\uFFFD") && expected != u"\x1a";
            const QString text = sjis::decode(pair);
            if (maps) {
                ++mapped;
                QCOMPARE(text, expected);
            } else {
                QCOMPARE(text.size(), 2);
                QCOMPARE(text.front(), QChar(0xFFFD));
            }
        }
    }
    QVERIFY(mapped > 7000);
}

void TestSjis::escapedBytesRoundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain") << QByteArray("\x82\xa0\x82\xa2 abc");
    QTest::newRow("invalid bytes") << QByteArray("\x80\xa0\xfd\xfe\xff");
    QTest::newRow("trailing lead byte") << QByteArray("x\x9f");
    QTest::newRow("unmapped pair") << QByteArray("\x85\x40\x82\xa0");
    QTest::newRow("controls") << QByteArray("\x1a\x1c\x7f\x00z", 5);
    QTest::newRow("every single byte") << [] {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b) + QByteArray(" ");
        return all;
    }();
    QTest::newRow("unmapped pair before a character") << QByteArray("\x85\x82\xa0");
}

void TestSjis::escapedBytesRoundTrip() {
    QFETCH(QByteArray, bytes);
    const QString text = sjis::decode(bytes, sjis::Invalid::Escape);
    QCOMPARE(sjis::encode(text), bytes);
}

void TestSjis::encodeFoldsLookalikes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("wave dash") << QStringLiteral("\u301C") << QByteArray("\x81\x60");
    QTest::newRow("full-width tilde") << QStringLiteral("\uFF5E") << QByteArray("\x81\x60");
    QTest::newRow("em dash") << QStringLiteral("\u2014") << QByteArray("\x81\x5c");
    QTest::newRow("double vertical line") << QStringLiteral("\u2016") << QByteArray("\x81\x61");
    QTest::newRow("minus sign") << QStringLiteral("\u2212") << QByteArray("\x81\x7c");
    QTest::newRow("yen sign") << QStringLiteral("\u00A5") << QByteArray("\\");
    QTest::newRow("overline") << QStringLiteral("\u203E") << QByteArray("~");
    QTest::newRow("broken bar") << QStringLiteral("\u00A6") << QByteArray("\xfa\x55");
    QTest::newRow("control 0x1A") << QStringLiteral("\x1a") << QByteArray("\x1a");
    QTest::newRow("mixed") << QStringLiteral("ご飯 茶碗1杯(150g):234")
                           << QByteArray("\x82\xb2\x94\xd1 \x92\x83\x98\x71\x31\x94\x74"
                                         "(150g):234");
}

void TestSjis::encodeFoldsLookalikes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(sjis::encode(text), bytes);
}

void TestSjis::encodeRefusesWhatCp932CannotHold_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("emoji") << QStringLiteral("体重😀") << QStringLiteral("U+1F600");
    QTest::newRow("hangul") << QStringLiteral("a한") << QStringLiteral("U+D55C");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QStringLiteral("U+D800");
    QTest::newRow("euro sign") << QStringLiteral("€") << QStringLiteral("U+20AC");
}

void TestSjis::encodeRefusesWhatCp932CannotHold() {
    QFETCH(QString, text);
    QFETCH(QString, named);
    try {
        sjis::encode(text);
        QFAIL("no error");
    } catch (const Error &e) {
        QVERIFY2(e.text().contains(named), qPrintable(e.text()));
    }
}

QTEST_GUILESS_MAIN(TestSjis)
#include "tst_sjis.moc"
