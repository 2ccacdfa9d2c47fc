#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QAbstractItemModel;
class QPushButton;
class QString;
class QTreeView;

namespace zk {

// A report-style list: whole rows, one selection, no tree decoration.
QTreeView *makeListView(const QString &name, const QString &accessible, QAbstractItemModel *model,
                        QList<int> widths, bool editable);
// A button beside a list, which Enter in the list never presses.
QPushButton *makeButton(const QString &name, const QString &text);

// The selected row of a list, or -1; selecting a row makes it current and in sight.
int selectedRow(const QTreeView *view);
void selectRow(QTreeView *view, int row);

// Calls the handler for a double-click on a list's empty area; a double-click
// on a row goes through the view's own signal.
class EmptyAreaDoubleClick : public QObject {
public:
    EmptyAreaDoubleClick(QTreeView *view, std::function<void()> handler);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTreeView *m_view;
    std::function<void()> m_handler;
};

} // namespace zk
