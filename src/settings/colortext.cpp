#include "settings/colortext.h"

#include "common/error.h"
#include "common/inttext.h"

#include <algorithm>
#include <array>

namespace zk {

namespace {

struct Ident {
    const char *name;
    ColorValue value;
};

constexpr ColorValue sys(int index) {
    return systemColorBase + ColorValue(index);
}

// Plain colours first, then the system colours in index order.
constexpr std::array<Ident, 42> identifiers{{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", sys(0)},
    {"clBackground", sys(1)},
    {"clActiveCaption", sys(2)},
    {"clInactiveCaption", sys(3)},
    {"clMenu", sys(4)},
    {"clWindow", sys(5)},
    {"clWindowFrame", sys(6)},
    {"clMenuText", sys(7)},
    {"clWindowText", sys(8)},
    {"clCaptionText", sys(9)},
    {"clActiveBorder", sys(10)},
    {"clInactiveBorder", sys(11)},
    {"clAppWorkSpace", sys(12)},
    {"clHighlight", sys(13)},
    {"clHighlightText", sys(14)},
    {"clBtnFace", sys(15)},
    {"clBtnShadow", sys(16)},
    {"clGrayText", sys(17)},
    {"clBtnText", sys(18)},
    {"clInactiveCaptionText", sys(19)},
    {"clBtnHighlight", sys(20)},
    {"cl3DDkShadow", sys(21)},
    {"cl3DLight", sys(22)},
    {"clInfoText", sys(23)},
    {"clInfoBk", sys(24)},
}};

} // namespace

QString ColorText(ColorValue color) {
    for (const Ident &id : identifiers) {
        if (id.value == color)
            return QString::fromLatin1(id.name);
    }
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

ColorValue ColorFromText(const QString &text) {
    // Only ASCII letters fold: no other character may stand for one.
    const bool ascii =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    for (const Ident &id : identifiers) {
        if (ascii && text.compare(QLatin1String(id.name), Qt::CaseInsensitive) == 0)
            return id.value;
    }
    if (const auto v = parseIntText(QStringView(text)))
        return ColorValue(*v);
    throw Error(QStringLiteral("'%1' は整数ではありません").arg(text));
}

} // namespace zk
