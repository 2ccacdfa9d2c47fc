#include "caldata/nutrients.h"

#include "common/error.h"
#include "common/textutil.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace zk {
namespace {

// "1人前" in Shift-JIS.
constexpr QByteArrayView onePortion("1\x90\x6C\x91\x4F");

QByteArrayView trimmed(QByteArrayView cell) {
    while (!cell.isEmpty() && (cell.front() == ' ' || cell.front() == '\t'))
        cell = cell.sliced(1);
    while (!cell.isEmpty() && (cell.back() == ' ' || cell.back() == '\t'))
        cell.chop(1);
    return cell;
}

// A decimal number of digits with at most one point ("37.1", "0", ".5").
std::optional<double> readDecimal(QByteArrayView text) {
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit)
        return std::nullopt;
    bool ok = false;
    const double value = text.toByteArray().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt; // more digits than a number holds
    return value;
}

// The amount the values are for: grams, or 0 for one portion.
std::optional<double> readAmount(QByteArrayView cell) {
    cell = trimmed(cell);
    if (cell == onePortion)
        return 0.0;
    if (!cell.endsWith('g'))
        return std::nullopt;
    const std::optional<double> grams = readDecimal(trimmed(cell.chopped(1)));
    if (!grams || *grams <= 0)
        return std::nullopt;
    return grams;
}

std::optional<Nutrients> readRow(const QList<QByteArray> &cells) {
    constexpr int firstValue = 2;
    if (cells.size() < firstValue + Nutrients::KindCount || cells[0].isEmpty())
        return std::nullopt;
    Nutrients n;
    const std::optional<double> amount = readAmount(cells[1]);
    if (!amount)
        return std::nullopt;
    n.grams = *amount;
    for (int k = 0; k < Nutrients::KindCount; ++k) {
        const QByteArrayView cell = trimmed(cells[firstValue + k]);
        if (cell.isEmpty())
            continue;
        n.values[k] = readDecimal(cell);
        if (!n.values[k])
            return std::nullopt;
    }
    if (cells.size() > firstValue + Nutrients::KindCount)
        n.number = trimmed(cells[firstValue + Nutrients::KindCount]).toByteArray();
    return n;
}

QString gramsText(double grams) {
    return QString::number(grams, 'g', 10);
}

} // namespace

NutrientTable NutrientTable::parse(QByteArrayView bytes) {
    NutrientTable table;
    for (const QByteArray &line : splitLines(bytes)) {
        const char separator = line.contains('\xFF') ? '\xFF' : '\t';
        const QList<QByteArray> cells = Split(line, separator);
        if (std::optional<Nutrients> n = readRow(cells); n && !table.m_byName.contains(cells[0]))
            table.m_byName.insert(cells[0], std::move(*n));
    }
    return table;
}

QString NutrientTable::pathFor(const QString &tablePath) {
    const QFileInfo info(tablePath);
    const QString stem = info.suffix().isEmpty()
                             ? info.fileName()
                             : info.fileName().chopped(info.suffix().size() + 1);
    return info.dir().filePath(stem + QStringLiteral(".nutrients"));
}

NutrientTable NutrientTable::loadFor(const QString &tablePath) {
    const QString path = pathFor(tablePath);
    // Only a regular file is read: a pipe would block the load of the table.
    if (!QFileInfo(path).isFile())
        return {};
    try {
        return parse(readFileBytes(path));
    } catch (const Error &) {
        return {}; // unreadable: the table shows its kilocalories alone
    }
}

const Nutrients *NutrientTable::find(QByteArrayView name) const {
    const auto it = m_byName.constFind(name.toByteArray());
    return it == m_byName.cend() ? nullptr : &*it;
}

QStringList nutrientValueLines(const Nutrients &nutrients) {
    static const char16_t *const names[Nutrients::KindCount] = {u"たんぱく質", u"脂質", u"炭水化物",
                                                                u"食物繊維", u"食塩相当量"};
    const auto value = [&](int k) {
        const Nutrients::Value &v = nutrients.values[k];
        return QString::fromUtf16(names[k]) + u' ' +
               (v ? gramsText(*v) + QStringLiteral(" g") : QStringLiteral("−"));
    };
    const QString slash = QStringLiteral(" ／ ");
    return {value(Nutrients::Protein) + slash + value(Nutrients::Fat) + slash +
                value(Nutrients::Carbohydrate),
            value(Nutrients::Fibre) + slash + value(Nutrients::Salt)};
}

QStringList nutrientLines(qint32 calory, const Nutrients &nutrients) {
    const QString basis = nutrients.perPortion()
                              ? QStringLiteral("1人前あたり")
                              : gramsText(nutrients.grams) + QStringLiteral(" g あたり");
    return QStringList{basis + u' ' + kcalText(calory)} + nutrientValueLines(nutrients);
}

QString nutrientSummary(qint32 calory, const Nutrients &nutrients) {
    return nutrientLines(calory, nutrients).join(QStringLiteral(" ／ "));
}

} // namespace zk
