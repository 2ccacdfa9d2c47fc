#include "common/ui/dialogprompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
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
    QWidget *parent = nullptr;
    void answerNext(const QString &button) {
        QTimer::singleShot(0, this, [this, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            format = box->textFormat();
            parent = box->parentWidget();
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

class TestDialogPrompt : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
    void choosers_data();
    void choosers();
};

namespace {

// A window with a widget that asks, and the prompt installed for windows.
struct Asking {
    DialogPrompt installed;
    QWidget window;
    QWidget asker{&window};
    Asking() { WindowPrompt::setInstance(&installed); }
    ~Asking() { WindowPrompt::setInstance(nullptr); }
    WindowPrompt &prompt() { return WindowPrompt::of(&asker); }
};

} // namespace

void TestDialogPrompt::answers_data() {
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

void TestDialogPrompt::answers() {
    QFETCH(QString, kind);
    QFETCH(QString, press);
    QFETCH(int, answer);
    QFETCH(QString, caption);
    Asking asking;
    WindowPrompt &prompt = asking.prompt();
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
    QCOMPARE(answerer.parent, &asking.window);
}

void TestDialogPrompt::choosers_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("accept");
    QTest::newRow("text") << "text" << true;
    QTest::newRow("text cancelled") << "text" << false;
    QTest::newRow("colour") << "color" << true;
    QTest::newRow("colour cancelled") << "color" << false;
    QTest::newRow("font cancelled") << "font" << false;
    QTest::newRow("file") << "file" << true;
}

// Each chooser opens over the asking window, starts from what it is given
// and answers nothing when it is cancelled.
void TestDialogPrompt::choosers() {
    QFETCH(QString, kind);
    QFETCH(bool, accept);
    Asking asking;
    // A bare file name is offered in the user's documents folder.
    QTemporaryDir home;
    const QString documents = home.filePath(QStringLiteral("Documents"));
    QVERIFY(QDir().mkpath(documents));
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    });
    QString offered;
    QWidget *parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        parent = dialog->parentWidget();
        if (auto *input = qobject_cast<QInputDialog *>(dialog))
            input->setTextValue(QStringLiteral("間食"));
        if (auto *colors = qobject_cast<QColorDialog *>(dialog)) {
            QCOMPARE(colors->currentColor(), QColor(Qt::red));
            colors->setCurrentColor(QColor(255, 128, 0));
        }
        if (auto *files = qobject_cast<QFileDialog *>(dialog))
            offered = files->selectedFiles().value(0);
        if (auto *fonts = qobject_cast<QFontDialog *>(dialog))
            QCOMPARE(fonts->windowTitle(), QStringLiteral("ﾌｫﾝﾄ"));
        accept ? dialog->accept() : dialog->reject();
    });
    bool answered = false;
    if (kind == QLatin1String("text")) {
        const std::optional<QString> text =
            asking.prompt().text(QStringLiteral("t"), QStringLiteral("name"));
        answered = text.has_value();
        QCOMPARE(text.value_or(QStringLiteral("間食")), QStringLiteral("間食"));
    } else if (kind == QLatin1String("color")) {
        const std::optional<QColor> color = asking.prompt().color(Qt::red);
        answered = color.has_value();
        QCOMPARE(color.value_or(QColor(255, 128, 0)), QColor(255, 128, 0));
    } else if (kind == QLatin1String("file")) {
        const std::optional<QString> file = asking.prompt().saveFileName(
            QStringLiteral("t"), QStringLiteral("摂取記録.csv"), {QStringLiteral("CSV (*.csv)")});
        answered = file.has_value();
        QCOMPARE(offered, QDir(documents).filePath(QStringLiteral("摂取記録.csv")));
        QCOMPARE(file.value_or(offered), offered);
    } else {
        answered = asking.prompt().font(QFont(), QStringLiteral("ﾌｫﾝﾄ")).has_value();
    }
    QCOMPARE(answered, accept);
    QCOMPARE(parent, &asking.window);
}

QTEST_MAIN(TestDialogPrompt)
#include "tst_dialogprompt.moc"
