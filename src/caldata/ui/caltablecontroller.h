#pragma once

#include "caldata/caltableviewer.h"
#include "common/ui/windowprompt.h"

#include <QObject>

class QAction;
class QLabel;
class QLineEdit;
class QStatusBar;
class QTreeView;

namespace zk {

class TFiles;

// Connects the calorie-file window, the food tree `trvCal`, its title
// `pnlTitle`, its filter box `txtFilter` and the view commands of the main
// window to the table viewer.
class CalTableController : public QObject {
    Q_OBJECT
public:
    struct Controls {
        TFiles *files;
        QTreeView *trvCal;
        QLabel *pnlTitle;
        QLineEdit *txtFilter;   // narrows the food tree as the user types
        QAction *mnuCalFiles;   // shows or hides the calorie-file window
        QAction *mnuStandard;   // "標準"
        QAction *mnuDictionary; // "一覧"
        QStatusBar *stb;        // the nutrients of the food the user is on
    };

    explicit CalTableController(const Controls &controls, QObject *parent = nullptr);

    CalTableViewer &viewer() { return m_viewer; }
    // The food selected in the food tree; nullptr when a heading or nothing is.
    const FoodNode *selectedFood() const;

private:
    void showLoaded();
    void filterChanged(const QString &text);
    void enterTree();
    void showNutrients(const QModelIndex &current);

    Controls m_c;
    PromptFor m_prompt; // a table that cannot be shown is reported over the food tree's window
    CalTableViewer m_viewer;
    QString m_nutrientMessage; // what showNutrients() put in the status bar
};

} // namespace zk
