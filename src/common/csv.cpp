#include "common/csv.h"

namespace zk {
namespace {

QString csvField(const QString &field) {
    const bool quoted = field.contains(u',') || field.contains(u'"') || field.contains(u'\r') ||
                        field.contains(u'\n');
    if (!quoted)
        return field;
    QString doubled = field;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

} // namespace

QByteArray CsvFileBytes(const QList<QStringList> &rows) {
    QByteArray bytes("\xEF\xBB\xBF");
    for (const QStringList &row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString &field : row)
            fields.append(csvField(field));
        bytes += fields.join(u',').toUtf8() + "\r\n";
    }
    return bytes;
}

} // namespace zk
