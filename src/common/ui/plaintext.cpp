#include "common/ui/plaintext.h"

#include <QTextDocument>
#include <QWidget>

namespace zk {

QString plainToolTip(const QString &text) {
    if (text.isEmpty())
        return text; // no tooltip at all
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap);
}

void setPlainToolTip(QWidget *widget, const QString &text) {
    widget->setToolTip(plainToolTip(text));
    widget->setAccessibleDescription(text);
}

} // namespace zk
