#pragma once

#include "caldata/calsearch.h"
#include "common/tinisaveprops.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QStatusBar;
class QToolButton;
class QTreeView;

namespace zk {

// The search window "ﾃﾞｰﾀ検索": conditions and target tables on the left, the
// matching foods on the right. Closing it only hides it; conditions and
// results stay for the next opening.
class TFinder : public QWidget {
    Q_OBJECT
public:
    TFinder(CalCatalogue &catalogue, SortKey &sortKey, QWidget *parent = nullptr);

    CalSearch &search() { return m_search; }
    // Shows and activates the window, above all others when asked.
    void showFinder(bool topMost);
    // Starts the search; pressed again while one runs, it does nothing.
    void spdFindClick();

Q_SIGNALS:
    // The user asked for the selected results on the intake list.
    void addToIntake(const QList<CalorieRow> &rows);

private:
    void refillTargets();
    void searchFinished();
    void addSelectedToIntake();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    QLineEdit *txtString;
    QCheckBox *chkFold;
    QCheckBox *chkCalory;
    QSpinBox *txtMinCal; // the edit with its up-down `updMinCal`
    QSpinBox *txtMaxCal; // the edit with its up-down `updMaxCal`
    QListWidget *lstFiles;
    QToolButton *spdFind;
    QTreeView *lsvResult;
    QStatusBar *stb;

    CalCatalogue &m_catalogue;
    CalSearch m_search;
    TIniSaveProps m_foldIsp; // setting/finder.ini
};

} // namespace zk
