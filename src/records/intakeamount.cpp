#include "records/intakeamount.h"

#include "common/sjis.h"

#include <algorithm>
#include <cmath>

namespace zk {
namespace {

const QByteArray &portionSuffix() {
    static const QByteArray suffix = sjis::encode(u"人前");
    return suffix;
}

// A plain decimal number of ASCII digits with at most one point: no sign, no
// exponent, no spaces.
std::optional<double> plainNumber(QByteArrayView text) {
    if (text.isEmpty() || text.size() > 16)
        return std::nullopt;
    int points = 0;
    for (const char c : text) {
        if (c == '.')
            ++points;
        else if (c < '0' || c > '9')
            return std::nullopt;
    }
    if (points > 1 || text.front() == '.' || text.back() == '.')
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// Up to two decimals, without trailing zeros: 150, 1.5, 0.25.
QByteArray numberCell(double value) {
    QByteArray text = QByteArray::number(roundHalfUp(value, 2), 'f', 2);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}

} // namespace

bool Amount::isValid() const {
    return quantity >= minimum(unit) && quantity <= maximum(unit);
}

Amount Amount::stepped(int steps) const {
    const double moved = roundHalfUp(quantity + steps * step(unit), 2);
    return {unit, std::clamp(moved, minimum(unit), maximum(unit))};
}

std::optional<Amount> Amount::parse(QByteArrayView cell) {
    Amount amount;
    QByteArrayView number = cell;
    if (cell.endsWith(portionSuffix())) {
        number.chop(portionSuffix().size());
    } else if (cell.endsWith('g')) {
        amount.unit = Unit::Grams;
        number.chop(1);
    } else {
        return std::nullopt;
    }
    const std::optional<double> quantity = plainNumber(number);
    if (!quantity)
        return std::nullopt;
    amount.quantity = *quantity;
    return amount.isValid() ? std::optional(amount) : std::nullopt;
}

QByteArray Amount::cell() const {
    return numberCell(quantity) + (unit == Unit::Grams ? QByteArray("g") : portionSuffix());
}

QString Amount::text() const {
    const QString number = QString::fromLatin1(numberCell(quantity));
    return unit == Unit::Grams ? number + QStringLiteral(" g") : number + QStringLiteral("人前");
}

std::optional<Amount> Amount::typed(const QString &text, Unit unit) {
    // Full-width digits, as an input method gives them, count as digits; any
    // other character outside Latin-1 becomes "?", which no number holds.
    QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    if (plain.endsWith(unitName(unit))) // "150g", "1.5 人前"
        plain = plain.chopped(unitName(unit).size()).trimmed();
    const std::optional<double> quantity = plainNumber(plain.toLatin1());
    if (!quantity)
        return std::nullopt;
    // Whole grams, as the spin box takes them.
    const Amount amount{unit, roundHalfUp(*quantity, unit == Unit::Grams ? 0 : 2)};
    return amount.isValid() ? std::optional(amount) : std::nullopt;
}

QString Amount::unitName(Unit unit) {
    return unit == Unit::Grams ? QStringLiteral("g") : QStringLiteral("人前");
}

QString IntakeNutrientName(IntakeNutrient nutrient) {
    switch (nutrient) {
    case Protein:
        return QStringLiteral("たんぱく質");
    case Fat:
        return QStringLiteral("脂質");
    case Carbohydrate:
        return QStringLiteral("炭水化物");
    case Salt:
    case IntakeNutrientCount:
        break;
    }
    return QStringLiteral("食塩相当量");
}

Amount IntakeRowAmount(const ListRow &row) {
    return Amount::parse(row.value(intakecells::amount)).value_or(Amount());
}

IntakeNutrients IntakeRowNutrients(const ListRow &row) {
    IntakeNutrients nutrients;
    for (int n = 0; n < IntakeNutrientCount; ++n) {
        const std::optional<double> grams = plainNumber(row.value(intakecells::firstNutrient + n));
        if (grams && *grams <= mostNutrientGrams)
            nutrients[n] = grams;
    }
    return nutrients;
}

ListRow IntakeAmountCells(const Amount &amount, const IntakeNutrients &nutrients) {
    // One portion and nothing known is what a row of three cells says.
    if (amount == Amount() && std::none_of(nutrients.begin(), nutrients.end(),
                                           [](const auto &v) { return v.has_value(); }))
        return {};
    ListRow cells{amount.cell()};
    for (const std::optional<double> &grams : nutrients)
        cells.append(grams ? QByteArray::number(roundHalfUp(*grams, 1), 'f', 1) : QByteArray());
    while (cells.size() > 1 && cells.last().isEmpty())
        cells.removeLast();
    return cells;
}

double roundHalfUp(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // Snapped to a millionth of the last place first: 0.44999999999999996
    // is what 0.3 x 1.5 gives, and is meant as 0.45.
    const double snapped = std::round(value * scale * 1e6) / 1e6;
    return std::round(snapped) / scale;
}

QString NutrientText(const std::optional<double> &grams) {
    return grams ? QString::number(roundHalfUp(*grams, 1), 'f', 1) : QStringLiteral("−");
}

} // namespace zk
