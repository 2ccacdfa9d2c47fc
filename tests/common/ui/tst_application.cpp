#include "common/error.h"
#include "common/ui/application.h"
#include "common/ui/guard.h"

#include "support/ui/scriptedwindowprompt.h"

#include <QTest>

#include <functional>
#include <stdexcept>

using namespace zk;

class TestApplication : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void guardShowsErrorOverTheAskerAndGoesOn();
    void escapedErrorIsShown_data();
    void escapedErrorIsShown();
};

void TestApplication::escapedErrorIsShown_data() {
    QTest::addColumn<bool>("ownError");
    QTest::newRow("program error") << true;
    QTest::newRow("standard exception") << false;
}

namespace {

// Runs a command on every event of its own type, with no guard around it.
class Commander : public QObject {
public:
    explicit Commander(std::function<void()> command)
        : m_command(std::move(command)) {}
    bool event(QEvent *event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        m_command();
        return true;
    }

private:
    std::function<void()> m_command;
};

} // namespace

// A command without a guard of its own: its error is shown and the program
// goes on taking events. (The error is thrown straight from the receiver:
// one thrown through a signal of Qt's own classes would cross code that is
// not written for exceptions.)
void TestApplication::escapedErrorIsShown() {
    QFETCH(bool, ownError);
    test::ScriptedWindowPrompt prompt;
    int runs = 0;
    Commander commander([&] {
        ++runs;
        if (ownError)
            throw Error(QStringLiteral("ファイル x は開けません"));
        throw std::runtime_error("no memory");
    });
    QEvent command(QEvent::User);
    QCoreApplication::sendEvent(&commander, &command);
    QCoreApplication::postEvent(&commander, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&commander);
    QCOMPARE(runs, 2);
    const QString text = ownError ? QStringLiteral("ファイル x は開けません") : "no memory";
    QCOMPARE(prompt.texts(), (QStringList{text, text}));
    QCOMPARE(prompt.asked.first().kind, QStringLiteral("error"));
}

void TestApplication::guardShowsErrorOverTheAskerAndGoesOn() {
    test::ScriptedWindowPrompt prompt;
    QWidget window;
    QWidget asker(&window);
    bool after = false;
    QVERIFY(!guarded(&asker, [&] {
        throw Error(QStringLiteral("ファイル x を作成できません"));
        after = true;
    }));
    QVERIFY(!after);
    QCOMPARE(prompt.asked.size(), 1);
    QCOMPARE(prompt.asked[0].kind, QStringLiteral("error"));
    QCOMPARE(prompt.asked[0].text, QStringLiteral("ファイル x を作成できません"));
    QCOMPARE(prompt.askingWindow(), &window);
    QVERIFY(guarded(&asker, [] {}));
}

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
