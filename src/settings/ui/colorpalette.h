#pragma once

#include "settings/colortext.h"
#include "settings/fontrows.h"

#include <QColor>
#include <QPalette>

class QWidget;

namespace zk {

// The colour a stored value stands for: a plain colour as it is, a system
// colour as the matching role of the application's palette; "clNone" (or
// anything else without a meaning here) gives an invalid colour.
QColor toQColor(ColorValue color);
// A chosen colour as a plain colour value (0x00BBGGRR).
ColorValue fromQColor(const QColor &color);

// Gives one part of the windows the font and colours of its font row.
void applyFontSpec(QWidget *widget, const FontSpec &partFont);

} // namespace zk
