#include "common/ui/fonts.h"

#include <QStringList>

namespace zk {

void installFontSubstitutions() {
    const QString mincho = QStringLiteral("IPAMincho"), pmincho = QStringLiteral("IPAPMincho");
    const QString gothic = QStringLiteral("IPAGothic"), pgothic = QStringLiteral("IPAPGothic");
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), {pmincho, mincho});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), {mincho, pmincho});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {pgothic, gothic});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), {gothic, pgothic});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans"), pgothic});
}

QFont designFont(const QString &family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace zk
