#pragma once

#include <QByteArrayView>
#include <QStringView>

#include <optional>

namespace zk {

// An integer as the program's files write it: decimal digits with an optional
// sign, or "$" and up to eight hexadecimal digits (a 32-bit pattern, so
// "$FFFFFFFF" is -1). Anything else, or a decimal beyond 32 bits, gives none.
std::optional<qint32> parseIntText(QStringView text);
std::optional<qint32> parseIntText(QByteArrayView text);

} // namespace zk
