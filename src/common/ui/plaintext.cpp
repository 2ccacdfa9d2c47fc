#include "common/ui/plaintext.h"

#include <QTextDocument>

namespace zk {

QString plainToolTip(const QString &text) {
    if (text.isEmpty())
        return text; // no tooltip at all
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap);
}

} // namespace zk
