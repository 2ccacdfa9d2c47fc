#include "common/ui/messageboxprompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace zk;

// Answers the next message box that opens: presses the button with the given
// text, or Esc when the text is empty; records the box's caption and buttons.
class BoxAnswerer : public QObject {
public:
    QString caption;
    QStringList buttons;
    Qt::TextFormat format = Qt::AutoText;
    void answerNext(const QString &button) {
        QTimer::singleShot(0, this, [this, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            format = box->textFormat();
            for (QAbstractButton *b : box->buttons())
                buttons.append(b->text());
            if (button.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *b : box->buttons())
                if (b->text() == button)
                    b->click();
        });
    }
};

class TestMessageBoxPrompt : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
};

void TestMessageBoxPrompt::answers_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("press");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("caption");
    QTest::newRow("question yes") << "question"
                                  << "はい(&Y)" << int(Prompt::Answer::Yes) << "確認";
    QTest::newRow("question Esc") << "question"
                                  << "" << int(Prompt::Answer::Cancel) << "確認";
    QTest::newRow("warning cancel") << "warning"
                                    << "キャンセル" << int(Prompt::Answer::Cancel) << "警告";
    QTest::newRow("three no") << "warning3"
                              << "いいえ(&N)" << int(Prompt::Answer::No) << "警告";
    QTest::newRow("three Esc") << "warning3"
                               << "" << int(Prompt::Answer::Cancel) << "警告";
    QTest::newRow("message") << "message"
                             << "OK" << int(Prompt::Answer::Yes) << "Vorkasta";
}

void TestMessageBoxPrompt::answers() {
    QFETCH(QString, kind);
    QFETCH(QString, press);
    QFETCH(int, answer);
    QFETCH(QString, caption);
    MessageBoxPrompt prompt;
    BoxAnswerer answerer;
    answerer.answerNext(press);
    Prompt::Answer got = Prompt::Answer::Yes;
    if (kind == QStringLiteral("question"))
        got = prompt.question(QStringLiteral("追加しますか？")) ? Prompt::Answer::Yes
                                                                : Prompt::Answer::Cancel;
    else if (kind == QStringLiteral("warning"))
        got = prompt.warning(QStringLiteral("削除しても構いませんか？")) ? Prompt::Answer::Yes
                                                                         : Prompt::Answer::Cancel;
    else if (kind == QStringLiteral("warning3"))
        got = prompt.warningYesNoCancel(QStringLiteral("保存しますか？"));
    else
        prompt.message(QStringLiteral("「<b>x<b>」が見つかりませんでした。"));
    QCOMPARE(int(got), answer);
    QCOMPARE(answerer.caption, caption);
    QCOMPARE(answerer.format, Qt::PlainText); // a name from a file is never markup
}

QTEST_MAIN(TestMessageBoxPrompt)
#include "tst_messageboxprompt.moc"
