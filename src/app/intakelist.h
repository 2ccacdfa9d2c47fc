#pragma once

#include "app/intakerow.h"

#include <QItemSelectionModel>
#include <QObject>
#include <QString>

#include <array>
#include <utility>

namespace zk {

class LastAmounts;
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

// The day's nutrients beside the total: the sums of P, F, C and salt, and
// the PFC energy ratio (P and C at 4 kcal/g, F at 9 kcal/g) against the
// targets of 日本人の食事摂取基準（2020年版） for adults.
struct PfcBalance {
    enum class Share { Below, Within, Above };
    struct Target {
        int low, high; // percent of the energy of P, F and C
    };
    static constexpr std::array<Target, 3> targets{{{13, 20}, {20, 30}, {50, 65}}};

    IntakeNutrients totals;       // a nutrient no row knows stays unknown
    int lacking = 0;              // rows with a nutrient unknown
    std::array<int, 3> percent{}; // P, F, C in whole percent; all 0 without energy
    std::array<Share, 3> shares{};
    bool hasRatio = false;

    static PfcBalance of(const QList<IntakeRow> &rows);
    // Of sums (or averages) of nutrients, with the number of foods that lack one.
    static PfcBalance of(const IntakeNutrients &totals, int lacking);
    // "P 25.3 g  F 40.1 g  C 230.0 g  塩分 6.2 g" of the nutrients some row
    // knows; empty when none does.
    QString sumsText() const;
    QString ratioText(int share) const; // "P 15%"
    // "↓" below its target, "↑" above, nothing within: so that the colour
    // is not the only sign.
    QString shareArrow(int share) const;
    QString lackingText() const; // "栄養素のない食品 2件"; empty when none lacks one
    // The targets and what the colours say, for a tool tip.
    static QString targetsText();
};

// The daily limit of a limit item "name : 2500 kcal": the text between ": "
// and the " kcal" suffix read as a decimal integer; 1000 when it is not one.
int GetStandartCalory(const QString &limitItemText);

// The intake list: the foods the user picked and how much of each, their
// selection, the shared sort key and the total against the daily limit.
// Questions go through the prompt; the main window only shows the rows and
// passes the user's actions on.
class IntakeList : public QObject {
    Q_OBJECT
public:
    // `lastAmounts`, when given, supplies the amount a food is added at and
    // keeps each amount the user chooses.
    IntakeList(SortKey &sortKey, Prompt &prompt, LastAmounts *lastAmounts = nullptr,
               QObject *parent = nullptr);

    IntakeListModel *model() { return &m_model; }
    QItemSelectionModel *selection() { return &m_selection; }
    QList<int> selectedRows() const; // top to bottom

    // Adds a food unless the policy refuses it, at the amount last chosen for
    // it or else its basis (100 g, one portion); false when nothing was added.
    bool add(const QByteArray &name, const QString &category, const IntakeFood &food,
             DuplicatesPolicy policy);
    // A food known by its kilocalories for one portion alone.
    bool add(const QByteArray &name, int calory, const QString &category, DuplicatesPolicy policy) {
        return add(name, category, IntakeFood::of(calory, nullptr), policy);
    }
    // Adds found foods (their name, calories and table) in order, each under
    // the policy, as one change of the list, with the nutrients their tables
    // have for them; the number added.
    int add(const QList<CalorieRow> &foods, DuplicatesPolicy policy);
    // Whether the policy lets the food join the rows (asking when it says so).
    bool admits(const QList<IntakeRow> &rows, const QByteArray &name, const QString &category,
                DuplicatesPolicy policy);
    // Shows other rows (another day's list) and recomputes the total; the
    // selection is cleared and rowsChanged() is not sent.
    void setRows(const QList<IntakeRow> &rows);

    // Changes the amount of rows: one row from its editor, the selected
    // rows by steps (+/-), or to a number typed for them all in each row's
    // unit. A typed text that is not a number within every row's range is
    // refused with a message and changes nothing; false then.
    void setAmount(int row, const Amount &amount);
    void stepAmounts(const QList<int> &rows, int steps);
    bool setTypedAmount(const QList<int> &rows, const QString &text);
    // The question for setTypedAmount: the range of the rows' units; and the
    // number it starts with, the rows' quantity when they all have one.
    QString typedAmountLabel(const QList<int> &rows) const;
    QString commonQuantity(const QList<int> &rows) const;
    void deleteSelected(); // one row at once, several after a question
    void deleteAll();      // after a warning; a message when empty
    void deleteOnDoubleClick();
    void sortByColumn(int column); // column 0..2, as a header click

    // The text of the selected limit item. Setting it recomputes nothing:
    // only a user's choice of limit does, through calc().
    void setLimitText(const QString &limitItemText) { m_limitText = limitItemText; }
    TotalBar total() const;
    PfcBalance balance() const { return PfcBalance::of(m_model.rows()); }
    void calc() {
        Q_EMIT totalChanged(total());
        Q_EMIT balanceChanged(balance());
    }
    // The limit list was rebuilt: a shown total follows the limit now chosen.
    void limitListRebuilt();

    // Caption of the context menu's delete item for the current selection;
    // `previous` when nothing is selected.
    QString deleteCaption(const QString &previous) const;

Q_SIGNALS:
    // The rows or the limit changed the total bar.
    void totalChanged(const TotalBar &total);
    void balanceChanged(const PfcBalance &balance);
    // The user added, deleted, sorted rows or changed their amounts.
    void rowsChanged();
    // The amounts chosen could not be kept for the next time; the list has them.
    void amountsNotKept(const QString &error);

private:
    void applyAmounts(const QList<std::pair<int, Amount>> &changes);
    IntakeRow newRow(const QByteArray &name, const QString &category, const IntakeFood &food);

    SortKey &m_sortKey;
    Prompt &m_prompt;
    LastAmounts *m_lastAmounts;
    IntakeListModel m_model;
    QItemSelectionModel m_selection;
    QString m_limitText;
};

} // namespace zk
