#include "common/error.h"
#include "common/ui/application.h"

#include "support/scriptedprompt.h"

#include <QPushButton>
#include <QTest>

#include <stdexcept>

using namespace zk;

class TestApplication : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void escapedErrorIsShown_data();
    void escapedErrorIsShown();
};

void TestApplication::escapedErrorIsShown_data() {
    QTest::addColumn<bool>("ownError");
    QTest::newRow("program error") << true;
    QTest::newRow("standard exception") << false;
}

// A command without a guard of its own: its error is shown and the program
// goes on taking input.
void TestApplication::escapedErrorIsShown() {
    QFETCH(bool, ownError);
    test::ScriptedPrompt prompt;
    QPushButton button(QStringLiteral("go"));
    int runs = 0;
    connect(&button, &QPushButton::clicked, this, [&] {
        ++runs;
        if (ownError)
            throw Error(QStringLiteral("ファイル x は開けません"));
        throw std::runtime_error("no memory");
    });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(runs, 2);
    const QString text = ownError ? QStringLiteral("ファイル x は開けません") : "no memory";
    QCOMPARE(prompt.texts(), (QStringList{text, text}));
    QCOMPARE(prompt.asked.first().kind, QStringLiteral("error"));
}

int main(int argc, char *argv[]) {
    Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
