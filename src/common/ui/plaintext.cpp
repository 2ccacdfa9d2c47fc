#include "common/ui/plaintext.h"

#include <QWidget>

namespace zk {

QString plainToolTip(const QString &text) {
    if (text.isEmpty())
        return text; // no tooltip at all
    // Lines break where the text does, never inside one: Qt's own conversion
    // leaves Japanese text free to wrap between any two characters.
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

void setPlainToolTip(QWidget *widget, const QString &text) {
    widget->setToolTip(plainToolTip(text));
    widget->setAccessibleDescription(text);
}

} // namespace zk
