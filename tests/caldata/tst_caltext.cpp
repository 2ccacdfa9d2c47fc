#include "caldata/caltext.h"
#include "common/error.h"

#include <QTest>

using namespace zk;

using Texts = QStringList;

namespace {
QStringList textsOf(const QList<CalTextLine> &lines) {
    QStringList out;
    for (const CalTextLine &l : lines)
        out << l.text;
    return out;
}
} // namespace

class TestCalText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines_data();
    void lines();
    void untouchedRoundTrip_data();
    void untouchedRoundTrip();
    void editedLineIsEncoded_data();
    void editedLineIsEncoded();
    void unencodableRefused();
};

void TestCalText::lines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Texts>("texts");
    QTest::newRow("empty file") << QByteArray() << Texts{""};
    QTest::newRow("CR LF, final break") << QByteArray("a\r\nb\r\n") << Texts{"a", "b", ""};
    QTest::newRow("no final break") << QByteArray("a\r\nb") << Texts{"a", "b"};
    QTest::newRow("LF") << QByteArray("a\nb\n") << Texts{"a", "b", ""};
    QTest::newRow("CR") << QByteArray("a\rb") << Texts{"a", "b"};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << Texts{"a", "", "b"};
    QTest::newRow("Shift-JIS") << QByteArray("\x83\x5c\x81\x5b\x83\x58:10")
                               << Texts{QStringLiteral("ソース:10")};
    QTest::newRow("Ctrl-Z inside kept") << QByteArray("a\x1A\r\nb") << Texts{"a\x1A", "b"};
    QTest::newRow("final Ctrl-Z dropped") << QByteArray("a\r\n\x1A") << Texts{"a", ""};
    QTest::newRow("only one final Ctrl-Z dropped") << QByteArray("a\x1A\x1A") << Texts{"a\x1A"};
    QTest::newRow("invalid byte escaped")
        << QByteArray("\x80x") << Texts{QString(QChar(0xDC80)) + u'x'};
}

void TestCalText::lines() {
    QFETCH(QByteArray, bytes);
    QFETCH(Texts, texts);
    QCOMPARE(textsOf(readCalText(bytes)), texts);
}

void TestCalText::untouchedRoundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("CR LF") << QByteArray("@a\r\n\tb:1\r\n") << QByteArray("@a\r\n\tb:1\r\n");
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QByteArray("a\r\nb");
    QTest::newRow("LF becomes CR LF") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
    // NEC-selected IBM extension (ED40) decodes to a character that encodes to
    // its IBM code (FA5C): only the bytes as read keep the file unchanged.
    QTest::newRow("duplicate mapping") << QByteArray("\xED\x40\r\n") << QByteArray("\xED\x40\r\n");
    QTest::newRow("invalid bytes")
        << QByteArray("\x80\xA0\xFD\xFF\x81\r\n") << QByteArray("\x80\xA0\xFD\xFF\x81\r\n");
    QTest::newRow("bytes after Ctrl-Z")
        << QByteArray("a\x1A\x7F\x1C\r\nb") << QByteArray("a\x1A\x7F\x1C\r\nb");
}

void TestCalText::untouchedRoundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, saved);
    QCOMPARE(writeCalText(readCalText(bytes)), saved);
}

void TestCalText::editedLineIsEncoded_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("LF file saved as CR LF")
        << QByteArray("a\nb\n") << 0 << QStringLiteral("x") << QByteArray("x\r\nb\r\n");
    QTest::newRow("no final break kept")
        << QByteArray("a\r\nb") << 1 << QStringLiteral("ソ") << QByteArray("a\r\n\x83\x5c");
    QTest::newRow("invalid bytes in an untouched line survive")
        << QByteArray("\xED\x40\x80\r\nb\r\n") << 1 << QStringLiteral("c")
        << QByteArray("\xED\x40\x80\r\nc\r\n");
    QTest::newRow("escaped bytes of an edited line come back")
        << QByteArray("\x80\r\n") << 0 << QString(QChar(0xDC80)) + u'!' << QByteArray("\x80!\r\n");
    QTest::newRow("edited back to the same text")
        << QByteArray("\xED\x40") << 0 << QStringLiteral("\u7E8A") << QByteArray("\xED\x40");
    QTest::newRow("look-alike folded")
        << QByteArray("a") << 0 << QStringLiteral("\u301C") << QByteArray("\x81\x60");
}

void TestCalText::editedLineIsEncoded() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(QByteArray, saved);
    QList<CalTextLine> lines = readCalText(bytes);
    lines[line].text = text;
    QCOMPARE(writeCalText(lines), saved);
}

void TestCalText::unencodableRefused() {
    QList<CalTextLine> lines = readCalText("a\r\nb");
    lines.append({QStringLiteral("\U0001F600"), std::nullopt});
    QVERIFY_THROWS_EXCEPTION(Error, writeCalText(lines));
}

QTEST_APPLESS_MAIN(TestCalText)
#include "tst_caltext.moc"
