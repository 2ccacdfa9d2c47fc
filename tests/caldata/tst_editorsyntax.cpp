#include "caldata/editorindent.h"
#include "caldata/editorsettings.h"
#include "caldata/editorsyntax.h"
#include "common/error.h"

#include "support/tempprogramfolder.h"

#include <QTest>

using namespace zk;

using Spans = QList<SyntaxSpan>;
using K = SyntaxSpan::Kind;

class TestEditorSyntax : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void spans_data();
    void spans();
    void newLineIndent_data();
    void newLineIndent();
    void stepBack_data();
    void stepBack();
    void settingsRoundTrip();
    void tableNames_data();
    void tableNames();
};

void TestEditorSyntax::spans_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<Spans>("spans");
    QTest::newRow("food") << QStringLiteral("\tご飯:168")
                          << Spans{{K::Reserved, 3, 1}, {K::Number, 4, 3}};
    QTest::newRow("heading is a comment")
        << QStringLiteral("@主食 100") << Spans{{K::Comment, 0, 7}};
    QTest::newRow("reserved words, any case, whole words")
        << QStringLiteral("Author:x authors url")
        << Spans{{K::Reserved, 0, 7}, {K::Reserved, 17, 3}};
    QTest::newRow("number after Japanese, not inside a word")
        << QStringLiteral("卵1個 a12") << Spans{{K::Number, 1, 1}};
    QTest::newRow("mail address is not a comment")
        << QStringLiteral("mail:a.b@example.jp @memo")
        << Spans{{K::Reserved, 0, 5}, {K::Link, 5, 14}, {K::Comment, 20, 5}};
    QTest::newRow("web address inside a comment")
        << QStringLiteral("@see https://x.jp/a") << Spans{{K::Comment, 0, 5}, {K::Link, 5, 14}};
}

void TestEditorSyntax::spans() {
    QFETCH(QString, line);
    QFETCH(Spans, spans);
    QCOMPARE(syntaxSpans(line), spans);
}

void TestEditorSyntax::newLineIndent_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("indent");
    QTest::newRow("tabs") << QStringLiteral("\t\ta:1") << 5 << QStringLiteral("\t\t");
    QTest::newRow("mixed") << QStringLiteral(" \tb") << 3 << QStringLiteral(" \t");
    QTest::newRow("caret inside the indent")
        << QStringLiteral("\t\ta") << 1 << QStringLiteral("\t");
    QTest::newRow("full-width space is text") << QStringLiteral("\u3000a") << 2 << QString();
}

void TestEditorSyntax::newLineIndent() {
    QFETCH(QString, line);
    QFETCH(int, column);
    QFETCH(QString, indent);
    QCOMPARE(zk::newLineIndent(line, column), indent);
}

void TestEditorSyntax::stepBack_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("removed");
    QTest::newRow("nothing before") << QString() << 0;
    QTest::newRow("one tab of two") << QStringLiteral("\t\t") << 1;
    QTest::newRow("spaces to the previous stop") << QStringLiteral("\t  ") << 2;
    QTest::newRow("six spaces") << QStringLiteral("      ") << 2;
    QTest::newRow("space before a tab") << QStringLiteral(" \t") << 2;
    QTest::newRow("text before the caret") << QStringLiteral("\ta") << 0;
}

void TestEditorSyntax::stepBack() {
    QFETCH(QString, before);
    QFETCH(int, removed);
    QCOMPARE(indentStepBack(before, 4), qsizetype(removed));
}

void TestEditorSyntax::settingsRoundTrip() {
    test::TempProgramFolder folder;
    QCOMPARE(EditorSettings::load(), EditorSettings{});
    EditorSettings s;
    s.overwrite = true;
    s.fontFamily = QStringLiteral("ＭＳ ゴシック");
    s.fontPixelSize = 16;
    s.italic = true;
    s.save();
    QCOMPARE(EditorSettings::load(), s);
    QVERIFY(folder.read(QStringLiteral("setting/caleditor.ini"))
                .startsWith("[actOverWrite]\r\nChecked=1\r\n\r\n[Editor]\r\nFontName=\x82\x6c"));
    folder.write(QStringLiteral("setting/caleditor.ini"), "[Editor]\r\nFontHeight=abc\r\n");
    QCOMPARE(EditorSettings::load().fontPixelSize, 12);
}

void TestEditorSyntax::tableNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ok");
    QTest::newRow("plain") << QStringLiteral("果物") << true;
    QTest::newRow("empty") << QStringLiteral(" ") << false;
    QTest::newRow("folder separator") << QStringLiteral("a/b") << false;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
    QTest::newRow("dot first") << QStringLiteral("..") << false;
    QTest::newRow("exists") << QStringLiteral("old") << false;
}

void TestEditorSyntax::tableNames() {
    QFETCH(QString, name);
    QFETCH(bool, ok);
    test::TempProgramFolder folder;
    folder.write(QStringLiteral("data/old.cal"), "a:1\r\n");
    if (ok)
        QCOMPARE(newTablePath(name), folder.path(QStringLiteral("data/%1.cal").arg(name)));
    else
        QVERIFY_THROWS_EXCEPTION(Error, newTablePath(name));
}

QTEST_APPLESS_MAIN(TestEditorSyntax)
#include "tst_editorsyntax.moc"
