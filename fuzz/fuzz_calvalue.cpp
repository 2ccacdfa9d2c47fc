// The calorie value reader: a value it reads is written back by the table
// editor as a decimal that reads the same, and decimal texts read as the C
// library reads them when they fit in 32 bits.
#include "caldata/calvalue.h"
#include "fuzzsupport.h"

#include <QByteArray>

#include <cerrno>
#include <cstdint>
#include <string>

using zk::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const qint32 value = zk::readCalory(text);
    check(zk::readCalory(QByteArray::number(value)) == value);

    // Spaces, a sign and decimal digits only: compare with strtoll.
    const std::string s(text.data(), std::size_t(text.size()));
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    std::size_t j = i < s.size() && (s[i] == '-' || s[i] == '+') ? i + 1 : i;
    const std::size_t digits = j;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9')
        ++j;
    if (j == s.size() && j > digits && j - digits < 30) {
        errno = 0;
        const long long expected = std::strtoll(s.c_str() + i, nullptr, 10);
        const bool fits = errno == 0 && expected >= INT32_MIN && expected <= INT32_MAX;
        check(value == (fits ? qint32(expected) : 0));
    }
    return 0;
}
