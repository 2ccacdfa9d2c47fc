#include "app/intakelist.h"

#include "app/lastamounts.h"
#include "common/error.h"
#include "common/prompt.h"
#include "common/sjis.h"
#include "common/textutil.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace zk {

int GetStandartCalory(const QString &limitItemText) {
    const qsizetype i = limitItemText.lastIndexOf(u':') + 1; // 1-based, 0 when none
    const qsizetype count = limitItemText.size() - i - 6;
    const QString number = count > 0 ? limitItemText.mid(i + 1, count) : QString();
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    bool ok = false;
    const int limit = number.toInt(&ok);
    return ok && decimal.match(number).hasMatch() ? limit : 1000;
}

IntakeList::IntakeList(SortKey &sortKey, Prompt &prompt, LastAmounts *lastAmounts, QObject *parent)
    : QObject(parent)
    , m_sortKey(sortKey)
    , m_prompt(prompt)
    , m_lastAmounts(lastAmounts)
    , m_selection(&m_model) {
    connect(&m_model, &IntakeListModel::amountEdited, this, &IntakeList::setAmount);
}

QList<int> IntakeList::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex &index : m_selection.selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

IntakeRow IntakeList::newRow(const QByteArray &name, const QString &category,
                             const IntakeFood &food) {
    const std::optional<Amount> last =
        m_lastAmounts ? m_lastAmounts->of(category, name, food.basis.unit) : std::nullopt;
    return IntakeRow::added(name, category, food, last.value_or(food.basis));
}

bool IntakeList::add(const QByteArray &name, const QString &category, const IntakeFood &food,
                     DuplicatesPolicy policy) {
    if (!admits(m_model.rows(), name, category, policy))
        return false;
    m_model.append(newRow(name, category, food));
    calc();
    Q_EMIT rowsChanged();
    return true;
}

int IntakeList::add(const QList<CalorieRow> &foods, DuplicatesPolicy policy) {
    TableFoods tables;
    int added = 0;
    for (const CalorieRow &found : foods) {
        if (!admits(m_model.rows(), found.foods, found.category, policy))
            continue;
        // The table's food when it still has the calories found; otherwise
        // the row counts by the portion of its figure.
        const std::optional<TableFood> food = tables.find(found.category, found.foods);
        m_model.append(newRow(found.foods, found.category,
                              food && food->calory == found.value
                                  ? IntakeFood::of(*food)
                                  : IntakeFood::of(found.value, nullptr)));
        ++added;
    }
    if (added > 0) {
        calc();
        Q_EMIT rowsChanged();
    }
    return added;
}

bool IntakeList::admits(const QList<IntakeRow> &rows, const QByteArray &name,
                        const QString &category, DuplicatesPolicy policy) {
    if (policy == DuplicatesPolicy::Allow)
        return true;
    for (const IntakeRow &row : rows) {
        if (row.list.foods != name || row.list.category != category)
            continue;
        if (policy == DuplicatesPolicy::Forbid)
            return false;
        // Asked once for every row of the same food.
        if (!m_prompt.question(QStringLiteral("「") + sjis::decode(name) + QStringLiteral("」（") +
                               category +
                               QStringLiteral("）は既にリストにありますが、追加しますか？")))
            return false;
    }
    return true;
}

void IntakeList::setRows(const QList<IntakeRow> &rows) {
    m_model.clear();
    m_model.append(rows);
    calc();
}

void IntakeList::setAmount(int row, const Amount &amount) {
    applyAmounts({{row, amount}});
}

void IntakeList::stepAmounts(const QList<int> &rows, int steps) {
    QList<std::pair<int, Amount>> changes;
    for (const int r : rows)
        changes.append({r, m_model.row(r).amount.stepped(steps)});
    applyAmounts(changes);
}

bool IntakeList::setTypedAmount(const QList<int> &rows, const QString &text) {
    QList<std::pair<int, Amount>> changes;
    for (const int r : rows) {
        const std::optional<Amount> amount = Amount::typed(text, m_model.row(r).amount.unit);
        if (!amount) {
            m_prompt.error(QStringLiteral("「%1」は量として使えません。\n").arg(text) +
                           typedAmountLabel(rows));
            return false;
        }
        changes.append({r, *amount});
    }
    applyAmounts(changes);
    return true;
}

QString IntakeList::typedAmountLabel(const QList<int> &rows) const {
    QStringList ranges;
    for (const Amount::Unit unit : {Amount::Unit::Grams, Amount::Unit::Portions}) {
        const bool any = std::any_of(rows.begin(), rows.end(),
                                     [&](int r) { return m_model.row(r).amount.unit == unit; });
        if (any)
            ranges.append(Amount{unit, Amount::minimum(unit)}.text() + QStringLiteral("～") +
                          Amount{unit, Amount::maximum(unit)}.text());
    }
    return QStringLiteral("量を数で入力してください（%1）:").arg(ranges.join(QStringLiteral("、")));
}

QString IntakeList::commonQuantity(const QList<int> &rows) const {
    QString common;
    for (const int r : rows) {
        const Amount &amount = m_model.row(r).amount;
        const QString quantity = amount.text().remove(Amount::unitName(amount.unit)).trimmed();
        if (!common.isEmpty() && quantity != common)
            return {};
        common = quantity;
    }
    return common;
}

void IntakeList::applyAmounts(const QList<std::pair<int, Amount>> &changes) {
    QList<LastAmounts::Choice> chosen;
    TableFoods tables;
    for (const auto &[r, amount] : changes) {
        IntakeRow row = m_model.row(r);
        if (row.amount == amount)
            continue;
        row.setAmount(amount, tables);
        chosen.append({row.list.category, row.list.foods, row.amount});
        m_model.replaceRow(r, std::move(row));
    }
    if (chosen.isEmpty())
        return;
    calc();
    Q_EMIT rowsChanged();
    if (!m_lastAmounts)
        return;
    try {
        m_lastAmounts->remember(chosen);
    } catch (const Error &e) {
        Q_EMIT amountsNotKept(e.text());
    }
}

void IntakeList::deleteSelected() {
    const QList<int> rows = selectedRows();
    if (rows.size() >= 2 &&
        !m_prompt.question(
            QStringLiteral("この%1個のデータを削除しても構わないでしょうか？").arg(rows.size())))
        return;
    m_model.removeRowsAt(rows);
    calc();
    if (!rows.isEmpty())
        Q_EMIT rowsChanged();
}

void IntakeList::deleteAll() {
    const int n = m_model.rowCount();
    if (n == 0) {
        m_prompt.message(QStringLiteral("リスト内にデータがありません。"));
        return;
    }
    if (!m_prompt.warning(
            QStringLiteral("リスト内にある%1件のデータを削除しても構いませんか？").arg(n)))
        return;
    m_model.clear();
    calc();
    Q_EMIT rowsChanged();
}

void IntakeList::deleteOnDoubleClick() {
    const QList<int> rows = selectedRows();
    if (!rows.isEmpty())
        m_model.removeRowsAt({rows.first()});
    calc();
    if (!rows.isEmpty())
        Q_EMIT rowsChanged();
}

void IntakeList::sortByColumn(int column) {
    m_model.sortBy(m_sortKey.click(column + 1));
    Q_EMIT rowsChanged();
}

TotalBar IntakeList::total() const {
    qint64 total = 0;
    for (const IntakeRow &row : m_model.rows())
        total += row.list.value;
    const int limit = GetStandartCalory(m_limitText);

    TotalBar bar;
    if (!m_model.rows().isEmpty())
        bar.text = QStringLiteral("総取得ｶﾛﾘｰ : ") + kcalText(total) + u'／' + kcalText(limit);
    // A limit of 0 (or a hand-edited negative one) has no percentage: the
    // gauge shows 0%, silver while nothing counts and red once anything does.
    bar.maximum = std::max(limit, 0);
    bar.position = int(std::clamp<qint64>(total, 0, bar.maximum));
    if (bar.maximum == 0) {
        bar.percent = QStringLiteral("0%");
        bar.colour = total > 0 ? TotalBar::Colour::Red : TotalBar::Colour::Silver;
        return bar;
    }
    bar.percent = QString::number(qint64(bar.position) * 100 / bar.maximum) + u'%';
    const double q = std::trunc(double(total) / double(limit) * 100.0 + 0.5);
    bar.colour = q <= 50    ? TotalBar::Colour::Silver
                 : q <= 80  ? TotalBar::Colour::Navy
                 : q <= 100 ? TotalBar::Colour::Maroon
                            : TotalBar::Colour::Red;
    return bar;
}

void IntakeList::limitListRebuilt() {
    if (m_model.rowCount() > 0)
        calc();
}

QString IntakeList::deleteCaption(const QString &previous) const {
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return previous;
    const QString first = m_model.row(rows.first()).list.foodsText;
    if (rows.size() == 1)
        return QStringLiteral("「") + first + QStringLiteral("」を削除");
    return QStringLiteral("「") + first + QStringLiteral("」以下%1件を削除").arg(rows.size());
}

PfcBalance PfcBalance::of(const QList<IntakeRow> &rows) {
    IntakeNutrients totals;
    int lacking = 0;
    for (const IntakeRow &row : rows) {
        for (int n = 0; n < IntakeNutrientCount; ++n)
            if (row.eaten[n])
                totals[n] = totals[n].value_or(0) + *row.eaten[n];
        lacking += row.lacksNutrients();
    }
    return of(totals, lacking);
}

PfcBalance PfcBalance::of(const IntakeNutrients &totals, int lacking) {
    PfcBalance balance;
    balance.totals = totals;
    balance.lacking = lacking;
    const std::array<double, 3> energy{balance.totals[Protein].value_or(0) * 4,
                                       balance.totals[Fat].value_or(0) * 9,
                                       balance.totals[Carbohydrate].value_or(0) * 4};
    const double sum = energy[0] + energy[1] + energy[2];
    balance.hasRatio = sum > 0;
    for (int i = 0; balance.hasRatio && i < 3; ++i) {
        balance.percent[i] = int(roundHalfUp(energy[i] / sum * 100, 0));
        balance.shares[i] = balance.percent[i] < targets[i].low    ? Share::Below
                            : balance.percent[i] > targets[i].high ? Share::Above
                                                                   : Share::Within;
    }
    return balance;
}

QString PfcBalance::sumsText() const {
    static const char16_t *const names[IntakeNutrientCount] = {u"P", u"F", u"C", u"塩分"};
    QStringList parts;
    for (int n = 0; n < IntakeNutrientCount; ++n)
        if (totals[n])
            parts.append(QString::fromUtf16(names[n]) + u' ' + NutrientText(totals[n]) +
                         QStringLiteral(" g"));
    return parts.join(QStringLiteral("  "));
}

QString PfcBalance::ratioText(int share) const {
    static const char16_t letters[3] = {u'P', u'F', u'C'};
    return QChar(letters[share]) + QStringLiteral(" %1%").arg(percent[share]);
}

QString PfcBalance::shareArrow(int share) const {
    static const char16_t *const arrows[3] = {u"↓", u"", u"↑"}; // below, within, above
    return QString::fromUtf16(arrows[int(shares[share])]);
}

QString PfcBalance::lackingText() const {
    return lacking > 0 ? QStringLiteral("栄養素のない食品 %1件").arg(lacking) : QString();
}

QString PfcBalance::targetsText() {
    return QStringLiteral("PFCバランス: たんぱく質(P)・脂質(F)・炭水化物(C)のエネルギーの割合\n"
                          "（P・C 4 kcal/g、F 9 kcal/g として）\n"
                          "目標: P %1～%2%、F %3～%4%、C %5～%6%\n"
                          "（日本人の食事摂取基準（2020年版）、成人）\n"
                          "緑: 目標の範囲内 ／ 青: 目標より少ない ／ 赤: 目標より多い")
        .arg(targets[0].low)
        .arg(targets[0].high)
        .arg(targets[1].low)
        .arg(targets[1].high)
        .arg(targets[2].low)
        .arg(targets[2].high);
}

} // namespace zk
