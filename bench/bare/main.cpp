// A bare Qt Widgets window of about the main window's parts (a menu bar, a
// tool bar with icons, a tree and a list beside each other, a status bar), to
// tell what Qt itself costs at start from what the program adds
// (bench/startup.sh times both).
#include <QApplication>
#include <QIcon>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    for (const QString &title : {QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("編集(&E)"),
                                 QStringLiteral("表示(&V)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")})
        window.menuBar()->addMenu(title)->addAction(title);
    QToolBar *tools = window.addToolBar(QStringLiteral("tools"));
    tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const char *icon : {"diary", "graph", "report", "find", "setting", "web", "help"})
        tools->addAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))),
                         QLatin1String(icon));
    auto *splitter = new QSplitter(&window);
    auto *tree = new QTreeWidget(splitter);
    for (int i = 0; i < 20; ++i)
        new QTreeWidgetItem(tree, {QStringLiteral("食品 %1").arg(i)});
    auto *list = new QListWidget(splitter);
    list->addItem(QStringLiteral("ご飯"));
    window.setCentralWidget(splitter);
    window.statusBar()->showMessage(QStringLiteral("準備完了"));
    window.resize(785, 505);
    window.show();
    return QApplication::exec();
}
