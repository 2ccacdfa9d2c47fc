#pragma once

#include <QByteArrayView>
#include <QtGlobal>

namespace zk {

// Reads a calorie value: optional spaces, an optional sign, then decimal
// digits or a hexadecimal number after "$", "x", "X" or "0x". Anything else
// (an empty text, a trailing space, "1,000", "1.5", a unit, full-width
// digits, a number beyond the signed 32-bit range) gives 0.
qint32 readCalory(QByteArrayView text);

} // namespace zk
