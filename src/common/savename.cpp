#include "common/savename.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace zk {

QString FilterExtension(const QString &filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    return pattern.match(filter).captured(1);
}

NameUnderFilter NameForFilter(const QString &typed, const QString &filter) {
    const QString extension = FilterExtension(filter);
    const QString suffix = QFileInfo(typed).suffix();
    if (extension.isEmpty() || suffix.compare(extension, Qt::CaseInsensitive) == 0)
        return {typed, {}};
    // Letters make an extension; digits alone are a date or a version.
    static const QRegularExpression kind(QStringLiteral("^(?=.*[A-Za-z])[A-Za-z0-9]{1,5}$"));
    const bool other = kind.match(suffix).hasMatch();
    const QString base = typed.endsWith(u'.') ? typed.chopped(1) : typed;
    return {base + u'.' + extension, other ? suffix : QString()};
}

} // namespace zk
