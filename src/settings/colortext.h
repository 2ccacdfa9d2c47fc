#pragma once

#include <QString>

namespace zk {

// A colour as the font list stores it: 0x00BBGGRR for a plain colour,
// 0x80000000 + index for a system colour, 0x1FFFFFFF for none.
using ColorValue = quint32;

constexpr ColorValue systemColorBase = 0x80000000u;
constexpr int systemColorCount = 25;

inline bool isSystemColor(ColorValue c) {
    return c >= systemColorBase && c < systemColorBase + systemColorCount;
}
constexpr ColorValue plainColor(int red, int green, int blue) {
    return ColorValue(red & 0xFF) | ColorValue(green & 0xFF) << 8 | ColorValue(blue & 0xFF) << 16;
}

// The first identifier of the colour ("clRed", "clWindow"), else "$" and
// eight uppercase hexadecimal digits.
QString ColorText(ColorValue color);
// An identifier (ASCII letters without case), a decimal number or "$" and
// hexadecimal digits; anything else throws "'<text>' は整数ではありません".
ColorValue ColorFromText(const QString &text);

} // namespace zk
