#include "app/intakelist.h"

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

IntakeList::IntakeList(SortKey &sortKey, Prompt &prompt, QObject *parent)
    : QObject(parent)
    , m_sortKey(sortKey)
    , m_prompt(prompt)
    , m_selection(&m_model) {}

QList<int> IntakeList::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex &index : m_selection.selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

namespace {

CalorieRow newRow(const QByteArray &name, int calory, const QString &category) {
    // The cell keeps the sign of an exercise entry (-100 kcal), and the total
    // subtracts it.
    return {name,   category,           splitdigit(calory) + QStringLiteral(" kcal"),
            calory, sjis::decode(name), {}};
}

} // namespace

bool IntakeList::add(const QByteArray &name, int calory, const QString &category,
                     DuplicatesPolicy policy) {
    return add(QList<CalorieRow>{newRow(name, calory, category)}, policy) > 0;
}

int IntakeList::add(const QList<CalorieRow> &foods, DuplicatesPolicy policy) {
    int added = 0;
    for (const CalorieRow &food : foods) {
        if (!admits(m_model.rows(), food.foods, food.category, policy))
            continue;
        m_model.append(newRow(food.foods, food.value, food.category));
        ++added;
    }
    if (added > 0) {
        calc();
        Q_EMIT rowsChanged();
    }
    return added;
}

bool IntakeList::admits(const QList<CalorieRow> &rows, const QByteArray &name,
                        const QString &category, DuplicatesPolicy policy) {
    if (policy == DuplicatesPolicy::Allow)
        return true;
    for (const CalorieRow &row : rows) {
        if (row.foods != name || row.category != category)
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

void IntakeList::setRows(const QList<CalorieRow> &rows) {
    m_model.clear();
    m_model.append(rows);
    calc();
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
    for (const CalorieRow &row : m_model.rows())
        total += row.value;
    const int limit = GetStandartCalory(m_limitText);

    TotalBar bar;
    if (!m_model.rows().isEmpty())
        bar.text = QStringLiteral("総取得ｶﾛﾘｰ : ") + splitdigit(total) + QStringLiteral(" kcal／") +
                   splitdigit(limit) + QStringLiteral(" kcal");
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
    const QString first = m_model.row(rows.first()).foodsText;
    if (rows.size() == 1)
        return QStringLiteral("「") + first + QStringLiteral("」を削除");
    return QStringLiteral("「") + first + QStringLiteral("」以下%1件を削除").arg(rows.size());
}

} // namespace zk
