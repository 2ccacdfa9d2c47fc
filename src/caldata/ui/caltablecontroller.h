#pragma once

#include "caldata/caltableviewer.h"
#include "common/ui/windowprompt.h"

#include <QObject>

#include <functional>

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

    // The foods eaten most, made when their entry is chosen, and what the
    // status bar says of them.
    struct FrequentView {
        FoodTree foods;
        QString status;
    };
    void setFrequentSource(std::function<FrequentView()> source) {
        m_frequentSource = std::move(source);
    }
    // The food diary changed: a list of the foods eaten most that is shown
    // is made again, the food the user is on staying current.
    void diaryChanged();
    // Files were put back from a backup: what is shown is read again.
    void showAgain();

    CalTableViewer &viewer() { return m_viewer; }
    // The food selected in the food tree; nullptr when a heading or nothing is.
    const FoodNode *selectedFood() const;

private:
    void showLoaded();
    void filterChanged(const QString &text);
    void enterTree();
    void showNutrients(const QModelIndex &current);
    void showEntry(const CalFileNode *node);
    // Shows the foods eaten most; `again`: they were shown already.
    void showFrequent(bool again);

    Controls m_c;
    PromptFor m_prompt; // a table that cannot be shown is reported over the food tree's window
    CalTableViewer m_viewer;
    QString m_nutrientMessage; // what showNutrients() put in the status bar
    std::function<FrequentView()> m_frequentSource;
    QString m_frequentStatus; // what the foods eaten most last said
    bool m_quiet = false;     // the status bar is left alone
};

} // namespace zk
