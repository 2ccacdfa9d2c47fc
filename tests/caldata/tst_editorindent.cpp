#include "caldata/editorindent.h"

#include <QTest>

using namespace zk;

Q_DECLARE_METATYPE(zk::EditorText)

namespace QTest {
template <> char *toString(const zk::EditorText &t) {
    QString s = t.text;
    s.replace(QStringLiteral("\r"), QStringLiteral("\\r"))
        .replace(QStringLiteral("\n"), QStringLiteral("\\n"))
        .replace(QStringLiteral("\t"), QStringLiteral("\\t"));
    return qstrdup(QStringLiteral("\"%1\" [%2, %3]")
                       .arg(s)
                       .arg(t.selStart)
                       .arg(t.selLength)
                       .toUtf8()
                       .constData());
}
} // namespace QTest

class TestEditorIndent : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void indent_data();
    void indent();
    void unindent_data();
    void unindent();
    void offsets_data();
    void offsets();
};

void TestEditorIndent::indent_data() {
    QTest::addColumn<EditorText>("in");
    QTest::addColumn<EditorText>("out");
    const QString abc = QStringLiteral("a\r\nb\r\nc\r\n");
    QTest::newRow("no selection") << EditorText{abc, 3, 0} << EditorText{abc, 3, 0};
    // From the start of line a to the start of line b: lines a .. b-1 only.
    QTest::newRow("whole lines") << EditorText{abc, 0, 6}
                                 << EditorText{QStringLiteral("\ta\r\n\tb\r\nc\r\n"), 0, 8};
    QTest::newRow("into a line") << EditorText{abc, 0, 4}
                                 << EditorText{QStringLiteral("\ta\r\n\tb\r\nc\r\n"), 0, 6};
    QTest::newRow("starting mid-line") << EditorText{QStringLiteral("abc\r\ndef"), 1, 6}
                                       << EditorText{QStringLiteral("a\tbc\r\n\tdef"), 1, 8};
    QTest::newRow("empty line inside") << EditorText{QStringLiteral("a\r\n\r\nb"), 0, 6}
                                       << EditorText{QStringLiteral("\ta\r\n\t\r\n\tb"), 0, 9};
    QTest::newRow("double-byte text") << EditorText{QStringLiteral("あい\r\nう\r\n"), 0, 7}
                                      << EditorText{QStringLiteral("\tあい\r\n\tう\r\n"), 0, 9};
    QTest::newRow("out of range clamped")
        << EditorText{QStringLiteral("ab"), 1, 10} << EditorText{QStringLiteral("a\tb"), 1, 2};
}

void TestEditorIndent::indent() {
    QFETCH(EditorText, in);
    QFETCH(EditorText, out);
    QCOMPARE(SetIndent(in, u"\t"), out);
}

void TestEditorIndent::unindent_data() {
    QTest::addColumn<EditorText>("in");
    QTest::addColumn<EditorText>("out");
    const QString tabbed = QStringLiteral("\ta\r\n\tb\r\n\tc");
    QTest::newRow("no selection") << EditorText{tabbed, 0, 0} << EditorText{tabbed, 0, 0};
    // Ending at the start of a line still takes that line in.
    QTest::newRow("to the start of a tabbed line")
        << EditorText{tabbed, 0, 8} << EditorText{QStringLiteral("a\r\nb\r\nc"), 0, 5};
    QTest::newRow("lines without a tab still shorten")
        << EditorText{QStringLiteral("\ta\r\nb\r\n\tc"), 0, 9}
        << EditorText{QStringLiteral("a\r\nb\r\nc"), 0, 6};
    QTest::newRow("no line has a tab")
        << EditorText{QStringLiteral("a\r\nb"), 0, 4} << EditorText{QStringLiteral("a\r\nb"), 0, 2};
    QTest::newRow("starting mid-line leaves the first line")
        << EditorText{QStringLiteral("\tab\r\n\tc"), 2, 5}
        << EditorText{QStringLiteral("\tab\r\nc"), 2, 4};
    QTest::newRow("inside one line")
        << EditorText{QStringLiteral("\tabc"), 2, 1} << EditorText{QStringLiteral("\tabc"), 2, 1};
    QTest::newRow("one line from its start")
        << EditorText{QStringLiteral("\tab"), 0, 2} << EditorText{QStringLiteral("ab"), 0, 1};
    QTest::newRow("only the first tab goes") << EditorText{QStringLiteral("\t\ta\r\n"), 0, 5}
                                             << EditorText{QStringLiteral("\ta\r\n"), 0, 3};
    QTest::newRow("up to the empty last line")
        << EditorText{QStringLiteral("\ta\r\n"), 0, 4} << EditorText{QStringLiteral("a\r\n"), 0, 2};
    QTest::newRow("space is not a tab") << EditorText{QStringLiteral(" a\r\n\tb"), 0, 6}
                                        << EditorText{QStringLiteral(" a\r\nb"), 0, 4};
}

void TestEditorIndent::unindent() {
    QFETCH(EditorText, in);
    QFETCH(EditorText, out);
    QCOMPARE(SetUnIndent(in, u"\t"), out);
}

void TestEditorIndent::offsets_data() {
    QTest::addColumn<QString>("lfText");
    QTest::addColumn<qsizetype>("lf");
    QTest::addColumn<qsizetype>("crlf");
    const QString t = QStringLiteral("ab\ncd\n");
    QTest::newRow("start") << t << qsizetype(0) << qsizetype(0);
    QTest::newRow("end of line") << t << qsizetype(2) << qsizetype(2);
    QTest::newRow("after a break") << t << qsizetype(3) << qsizetype(4);
    QTest::newRow("end of text") << t << qsizetype(6) << qsizetype(8);
}

void TestEditorIndent::offsets() {
    QFETCH(QString, lfText);
    QFETCH(qsizetype, lf);
    QFETCH(qsizetype, crlf);
    QCOMPARE(crlfOffset(lfText, lf), crlf);
    QCOMPARE(lfOffset(lfText, crlf), lf);
    // Between a CR and its LF: the end of that line.
    QCOMPARE(lfOffset(QStringLiteral("ab\ncd"), 3), qsizetype(2));
}

QTEST_APPLESS_MAIN(TestEditorIndent)
#include "tst_editorindent.moc"
