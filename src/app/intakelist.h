#pragma once

#include "caldata/calorielist.h"

#include <QItemSelectionModel>
#include <QObject>
#include <QString>

namespace zk {

class Prompt;

// What to do when the same food from the same table is added again.
enum class DuplicatesPolicy { Allow, Forbid, Ask };

// The total bar as the intake list's rows and the chosen limit make it.
struct TotalBar {
    enum class Colour { Silver, Navy, Maroon, Red };
    QString text;     // "総取得ｶﾛﾘｰ : 1,850 kcal／2,500 kcal"; empty for an empty list
    int maximum = 0;  // gauge range 0 .. maximum
    int position = 0; // held inside the range
    QString percent;  // "74%"
    Colour colour = Colour::Silver;
};

// The daily limit of a limit item "name : 2500 kcal": the text between ": "
// and the " kcal" suffix read as a decimal integer; 1000 when it is not one.
int GetStandartCalory(const QString &limitItemText);

// The intake list: the foods the user picked, their selection, the shared
// sort key and the total against the daily limit. Questions go through the
// prompt; the main window only shows the rows and passes the user's actions on.
class IntakeList : public QObject {
    Q_OBJECT
public:
    IntakeList(SortKey &sortKey, Prompt &prompt, QObject *parent = nullptr);

    CalorieListModel *model() { return &m_model; }
    QItemSelectionModel *selection() { return &m_selection; }
    QList<int> selectedRows() const; // top to bottom

    // Adds a food unless the policy refuses it; false when nothing was added.
    bool add(const QByteArray &name, int calory, const QString &category, DuplicatesPolicy policy);
    // Adds foods (their name, calories and table) in order, each under the
    // policy, as one change of the list; the number added.
    int add(const QList<CalorieRow> &foods, DuplicatesPolicy policy);
    // Whether the policy lets the food join the rows (asking when it says so).
    bool admits(const QList<CalorieRow> &rows, const QByteArray &name, const QString &category,
                DuplicatesPolicy policy);
    // Shows other rows (another day's list) and recomputes the total; the
    // selection is cleared and rowsChanged() is not sent.
    void setRows(const QList<CalorieRow> &rows);
    void deleteSelected(); // one row at once, several after a question
    void deleteAll();      // after a warning; a message when empty
    void deleteOnDoubleClick();
    void sortByColumn(int column); // column 0..2, as a header click

    // The text of the selected limit item. Setting it recomputes nothing:
    // only a user's choice of limit does, through calc().
    void setLimitText(const QString &limitItemText) { m_limitText = limitItemText; }
    TotalBar total() const;
    void calc() { Q_EMIT totalChanged(total()); }
    // The limit list was rebuilt: a shown total follows the limit now chosen.
    void limitListRebuilt();

    // Caption of the context menu's delete item for the current selection;
    // `previous` when nothing is selected.
    QString deleteCaption(const QString &previous) const;

Q_SIGNALS:
    // The rows or the limit changed the total bar.
    void totalChanged(const TotalBar &total);
    // The user added, deleted or sorted rows.
    void rowsChanged();

private:
    SortKey &m_sortKey;
    Prompt &m_prompt;
    CalorieListModel m_model;
    QItemSelectionModel m_selection;
    QString m_limitText;
};

} // namespace zk
