#pragma once

#include "records/intakeamount.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace zk {

// The amount the user last chose for each food, kept in setting/amounts.dat:
// a list file of the table's name, the food's name and the amount cell
// ("150g", "1.5人前"), the most recent last. A food added again starts at it.
class LastAmounts {
public:
    // The most foods kept; the oldest choice goes first.
    static constexpr qsizetype limit = 2000;

    // The amount last chosen for the food, of the unit given; nothing when
    // none was, or its line does not read as an amount.
    std::optional<Amount> of(const QString &table, const QByteArray &food, Amount::Unit unit);
    // Remembers the amounts of foods at once and writes the file; zk::Error
    // names the file when it cannot be, and the choices stay in memory.
    struct Choice {
        QString table;
        QByteArray food;
        Amount amount;
    };
    void remember(const QList<Choice> &choices);
    // The file was put back from a backup: it is read again when next needed.
    void reload() {
        m_loaded = false;
        m_rows.clear();
    }

private:
    void load();

    bool m_loaded = false;
    ListRows m_rows;
};

} // namespace zk
