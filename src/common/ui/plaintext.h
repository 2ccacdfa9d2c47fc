#pragma once

#include <QString>

class QWidget;

namespace zk {

// A tooltip that shows the text as it stands. Qt takes a tooltip that looks
// like markup for rich text, and names from files or the user may well look
// like markup ("<b>x<b>").
QString plainToolTip(const QString &text);
// Gives the widget that tooltip, and tells assistive technology the text
// itself: a screen reader takes a widget's tooltip for its description, and
// would read the markup made for the tooltip.
void setPlainToolTip(QWidget *widget, const QString &text);

} // namespace zk
