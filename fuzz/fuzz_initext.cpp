// The value texts of the INI store: whatever a text reads as, writing that
// value and reading it again gives the same value. Decimal texts read as the
// C library reads them when they fit in 32 bits.
#include "common/inttext.h"
#include "common/tinisaveprops.h"
#include "fuzzsupport.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <string>

using zk::fuzz::check;

namespace {

bool plainDecimal(const std::string &s) {
    std::size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i == s.size() || s.size() > 30)
        return false;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using zk::TIniSaveProps;
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));

    const int integer = TIniSaveProps::readInteger(text);
    check(TIniSaveProps::readInteger(TIniSaveProps::formatInteger(integer)) == integer);

    const bool boolean = TIniSaveProps::readBoolean(text);
    check(TIniSaveProps::readBoolean(TIniSaveProps::formatBoolean(boolean)) == boolean);

    const double date = TIniSaveProps::readDate(text);
    check(std::isfinite(date));
    const QByteArray dateText = TIniSaveProps::formatDate(date);
    const double dateAgain = TIniSaveProps::readDate(dateText);
    check(TIniSaveProps::formatDate(dateAgain) == dateText);
    // Fifteen significant digits keep a normal value to its last few units.
    if (std::isnormal(date))
        check(std::fabs(dateAgain - date) <= std::fabs(date) * 1e-14);

    const std::string s = text.toByteArray().toStdString();
    if (plainDecimal(s)) {
        errno = 0;
        const long long expected = std::strtoll(s.c_str(), nullptr, 10);
        const bool fits = errno == 0 && expected >= INT32_MIN && expected <= INT32_MAX;
        const auto got = zk::parseIntText(text);
        check(fits ? got == qint32(expected) : !got.has_value());
    }
    return 0;
}
