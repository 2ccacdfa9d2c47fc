#include "caldata/calvalue.h"

#include <limits>

namespace zk {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

qint32 readCalory(QByteArrayView text) {
    const qsizetype n = text.size();
    // Most values are a few plain digits; nine of them cannot overflow.
    if (n > 0 && n <= 9) {
        qint32 plain = 0;
        qsizetype k = 0;
        for (; k < n && text[k] >= '0' && text[k] <= '9'; ++k)
            plain = plain * 10 + (text[k] - '0');
        if (k == n)
            return plain;
    }
    qsizetype i = 0;
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return 0;
    // One more than the largest magnitude, so that the lowest int fits.
    const qint64 limit = qint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0);
    qint64 value = 0;
    for (; i < n; ++i) {
        const int digit = base == 16 ? hexDigit(text[i])
                                     : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0)
            return 0;
        value = value * base + digit;
        if (value > limit)
            return 0;
    }
    return qint32(negative ? -value : value);
}

} // namespace zk
