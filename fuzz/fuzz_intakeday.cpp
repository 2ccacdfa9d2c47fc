// The reader of the food diary's day files, row by row as the intake list
// reads them: a row comes back byte for byte while untouched; its amount is
// always one the list can hold, its nutrients finite and not below zero; a
// changed amount writes cells that read back as what the list shows.
#include "app/intakerow.h"
#include "common/listtable.h"
#include "fuzzsupport.h"

#include <cmath>
#include <cstdint>

using zk::fuzz::check;

namespace {

bool sane(const zk::IntakeNutrients &nutrients) {
    for (const std::optional<double> &grams : nutrients)
        if (grams && !(std::isfinite(*grams) && *grams >= 0))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const zk::ListRow &cells : zk::parseListFile(bytes)) {
        zk::IntakeRow row = zk::IntakeRow::stored(cells);
        check(row.cells() == cells);
        check(row.amount.isValid() && sane(row.eaten));
        zk::TableFoods tables;
        row.setAmount(row.amount.stepped(1), tables);
        check(row.amount.isValid() && sane(row.eaten));
        const zk::ListRow written = row.cells();
        check(zk::IntakeRowAmount(written) == row.amount);
        check(zk::IntakeRowNutrients(written) == row.eaten);
    }
    return 0;
}
