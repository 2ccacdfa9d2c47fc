#pragma once

#include <QFont>
#include <QString>

namespace zk {

// The font names kept in the program's files and designs ("ＭＳ Ｐ明朝",
// "ＭＳ 明朝", "ＭＳ Ｐゴシック", "Tahoma") stay as they are; this maps them to
// installed fonts (the IPA fonts, DejaVu Sans).
void installFontSubstitutions();

// A font by its design name and pixel height.
QFont designFont(const QString &family, int pixelSize, bool bold = false);

} // namespace zk
