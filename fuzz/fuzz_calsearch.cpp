// The search's line reader: a search for a text finds exactly the lines that
// reading every line finds with that text in the food name, and a search with
// a calorie range as well adds exactly the lines whose value is in range.
// The first byte of the input gives the length of the text searched for.
#include "caldata/calsearch.h"
#include "common/error.h"
#include "common/sjis.h"
#include "fuzzsupport.h"

#include <climits>
#include <cstdint>

using zk::fuzz::check;

namespace {

bool sameRows(const QList<zk::CalorieRow> &a, const QList<zk::CalorieRow> &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].foods != b[i].foods || a[i].value != b[i].value || a[i].calory != b[i].calory ||
            a[i].foodsText != b[i].foodsText || a[i].category != b[i].category)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1)
        return 0;
    const qsizetype textSize = qMin(qsizetype(data[0] % 8), qsizetype(size - 1));
    const QByteArray text(reinterpret_cast<const char *>(data + 1), textSize);
    // A text typed into one line holds no line ends.
    if (text.contains('\r') || text.contains('\n') || text.contains('\0'))
        return 0;
    const QByteArrayView table(reinterpret_cast<const char *>(data + 1 + textSize),
                               qsizetype(size) - 1 - textSize);
    const QString name = QStringLiteral("t");

    zk::SearchCondition every;
    every.caloryOn = true;
    every.minimum = INT_MIN;
    every.maximum = INT_MAX;
    const QList<zk::CalorieRow> all = zk::searchTable(table, zk::SearchPlan(every), name);

    // The window hands on what was typed; only a text that Shift-JIS spells
    // as these bytes is one the byte search can be asked for.
    zk::SearchCondition byText;
    try {
        byText.text = zk::sjis::decode(text);
        if (zk::sjis::encode(byText.text) != text)
            return 0;
    } catch (const zk::Error &) {
        return 0;
    }
    const QByteArray lower = zk::lowerAscii(text);
    QList<zk::CalorieRow> expected;
    if (!text.isEmpty()) {
        for (const zk::CalorieRow &row : all) {
            if (zk::containsText(row.foods, lower))
                expected.append(row);
        }
    }
    check(sameRows(zk::searchTable(table, zk::SearchPlan(byText), name), expected));

    zk::SearchCondition both = byText;
    both.caloryOn = true;
    both.minimum = 0;
    both.maximum = 1000;
    QList<zk::CalorieRow> expectedBoth;
    for (const zk::CalorieRow &row : all) {
        if ((row.value >= 0 && row.value <= 1000) ||
            (!text.isEmpty() && zk::containsText(row.foods, lower)))
            expectedBoth.append(row);
    }
    check(sameRows(zk::searchTable(table, zk::SearchPlan(both), name), expectedBoth));
    return 0;
}
