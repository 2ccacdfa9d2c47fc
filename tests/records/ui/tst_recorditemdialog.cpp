#include "common/sjis.h"
#include "records/recorditemtable.h"
#include "records/ui/tfrmgraph.h"

#include "support/ui/scriptedwindowprompt.h"
#include "support/ui/widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zk;

class TestRecordItemDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordItemDialogRefuses_data();
    void recordItemDialogRefuses();
    void recordItemChangeKeepsStoredBytes();
    void typingFollowsTabOrder();
};

void TestRecordItemDialog::recordItemDialogRefuses_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << 0 << QString() << QStringLiteral("項目名を記入してください。");
    QTest::newRow("duplicate") << 0 << QStringLiteral("体重")
                               << QStringLiteral(
                                      "項目「体重」はすでに登録されています。別名にして下さい。");
    QTest::newRow("path") << 1 << QStringLiteral("../体重")
                          << QStringLiteral("項目名に「/」や「\\」は使えません。");
    QTest::newRow("dot") << 0 << QStringLiteral(".")
                         << QStringLiteral("項目名「.」は使えません。別名にして下さい。");
}

void TestRecordItemDialog::recordItemDialogRefuses() {
    QFETCH(int, mode);
    QFETCH(QString, name);
    QFETCH(QString, message);
    test::ScriptedWindowPrompt prompt;
    RecordItemTable items;
    items.addItem({sjis::encode(u"体重"), "kg", ""});
    TfrmGraph dialog(items, TfrmGraph::Mode(mode), 0);
    dialog.show();
    test::child<QLineEdit>(&dialog, "txtItem")->setText(name);
    test::child<QPushButton>(&dialog, "btnOK")->click();
    QCOMPARE(prompt.texts(), QStringList{message});
    QVERIFY(dialog.isVisible());
    QCOMPARE(items.rows(), (ListRows{{sjis::encode(u"体重"), "kg", ""}}));
}

void TestRecordItemDialog::recordItemChangeKeepsStoredBytes() {
    test::ScriptedWindowPrompt prompt;
    RecordItemTable items;
    items.setRows({{"\x85\x40", "\x80", "60", "extra"}});
    TfrmGraph item(items, TfrmGraph::Mode::Change, 0);
    QCOMPARE(test::child<QComboBox>(&item, "cmbUnit")->currentText(), QStringLiteral("\uFFFD"));
    test::child<QLineEdit>(&item, "txtTarget")->setText(QStringLiteral("55"));
    test::child<QPushButton>(&item, "btnOK")->click();
    QVERIFY2(prompt.asked.isEmpty(), qPrintable(prompt.texts().join(u'\n')));
    QCOMPARE(item.result(), int(QDialog::Accepted));
    QCOMPARE(items.row(0), (ListRow{"\x85\x40", "\x80", "55", "extra"}));
}

void TestRecordItemDialog::typingFollowsTabOrder() {
    test::ScriptedWindowPrompt prompt;
    RecordItemTable items;
    TfrmGraph item(items, TfrmGraph::Mode::Add, -1);
    item.show();
    QVERIFY(QTest::qWaitForWindowActive(&item));
    for (const char *typed : {"w", "kg", "60"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(test::child<QLineEdit>(&item, "txtItem")->text(), QStringLiteral("w"));
    QCOMPARE(test::child<QComboBox>(&item, "cmbUnit")->currentText(), QStringLiteral("kg"));
    QCOMPARE(test::child<QLineEdit>(&item, "txtTarget")->text(), QStringLiteral("60"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnOK"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btnCancel"));
    item.reject();
}

QTEST_MAIN(TestRecordItemDialog)
#include "tst_recorditemdialog.moc"
