#include "settings/ui/colorpalette.h"

#include <QApplication>
#include <QWidget>

#include <array>

namespace zk {

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette role nearest to each system colour index.
constexpr std::array<SystemRole, systemColorCount> systemRoles{{
    {QPalette::Active, QPalette::Button},            // scroll bar
    {QPalette::Active, QPalette::Dark},              // desktop
    {QPalette::Active, QPalette::Highlight},         // active caption
    {QPalette::Inactive, QPalette::Highlight},       // inactive caption
    {QPalette::Active, QPalette::Window},            // menu
    {QPalette::Active, QPalette::Base},              // window
    {QPalette::Active, QPalette::Shadow},            // window frame
    {QPalette::Active, QPalette::WindowText},        // menu text
    {QPalette::Active, QPalette::Text},              // window text
    {QPalette::Active, QPalette::HighlightedText},   // caption text
    {QPalette::Active, QPalette::Window},            // active border
    {QPalette::Inactive, QPalette::Window},          // inactive border
    {QPalette::Active, QPalette::Mid},               // application work space
    {QPalette::Active, QPalette::Highlight},         // highlight
    {QPalette::Active, QPalette::HighlightedText},   // highlight text
    {QPalette::Active, QPalette::Button},            // button face
    {QPalette::Active, QPalette::Dark},              // button shadow
    {QPalette::Disabled, QPalette::Text},            // grey text
    {QPalette::Active, QPalette::ButtonText},        // button text
    {QPalette::Inactive, QPalette::HighlightedText}, // inactive caption text
    {QPalette::Active, QPalette::Light},             // button highlight
    {QPalette::Active, QPalette::Shadow},            // 3D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 3D light
    {QPalette::Active, QPalette::ToolTipText},       // info text
    {QPalette::Active, QPalette::ToolTipBase},       // info background
}};

constexpr ColorValue noColor = 0x1FFFFFFF;

} // namespace

QColor toQColor(ColorValue color) {
    if (isSystemColor(color)) {
        const SystemRole &r = systemRoles[color - systemColorBase];
        return QApplication::palette().color(r.group, r.role);
    }
    if (color == noColor || (color & 0xFF000000u) != 0)
        return {};
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

ColorValue fromQColor(const QColor &color) {
    const QColor rgb = color.toRgb();
    return plainColor(rgb.red(), rgb.green(), rgb.blue());
}

void applyFontSpec(QWidget *widget, const FontSpec &partFont) {
    if (!widget)
        return;
    QFont font = widget->font();
    font.setFamily(partFont.family);
    if (partFont.pointSize > 0)
        font.setPointSize(partFont.pointSize);
    font.setBold(partFont.style.bold);
    font.setItalic(partFont.style.italic);
    font.setUnderline(partFont.style.underline);
    font.setStrikeOut(false);
    widget->setFont(font);

    QPalette palette = widget->palette();
    if (const QColor fg = toQColor(partFont.color); fg.isValid()) {
        palette.setColor(QPalette::Text, fg);
        palette.setColor(QPalette::WindowText, fg);
    }
    if (const QColor bg = toQColor(partFont.background); bg.isValid()) {
        palette.setColor(QPalette::Base, bg);
        palette.setColor(QPalette::Window, bg);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

} // namespace zk
