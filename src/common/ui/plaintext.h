#pragma once

#include <QString>

namespace zk {

// A tooltip that shows the text as it stands. Qt takes a tooltip that looks
// like markup for rich text, and names from files or the user may well look
// like markup ("<b>x<b>").
QString plainToolTip(const QString &text);

} // namespace zk
