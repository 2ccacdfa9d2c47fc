// A date text that reads writes back to a text that reads the same date, and
// day numbers always give a date the pickers can show.
#include "common/error.h"
#include "common/platform.h"
#include "fuzzsupport.h"
#include "records/datetext.h"

#include <cstdint>
#include <cstring>

using zk::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    zk::fuzz::useJapaneseRegional();

    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const QDate date = zk::ParseDateText(text);
        const QByteArray written = zk::FormatDateText(date);
        check(zk::ParseDateText(written) == date);
        check(zk::FormatDateText(zk::ParseDateText(written)) == written);
        check(zk::DateTextInRange(written, written, written));
        check(zk::DaysToDate(zk::DateToDays(date)) == date || date.year() < 1);
    } catch (const zk::Error &) {
    }

    if (size >= sizeof(double)) {
        double days;
        std::memcpy(&days, data, sizeof days);
        const QDate date = zk::DaysToDate(days);
        check(date.isValid() && date.year() >= 1 && date.year() <= 9999);
        check(zk::DaysToDate(zk::DateToDays(date)) == date);
    }
    return 0;
}
