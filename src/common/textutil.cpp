#include "common/textutil.h"

#include "common/error.h"

#include <QFile>
#include <QFileInfo>

#include <limits>

namespace zk {

QList<QByteArray> Split(QByteArrayView text, char separator) {
    QList<QByteArray> fields;
    const qsizetype end = text.indexOf('\0');
    const QByteArrayView body = end < 0 ? text : text.first(end);
    qsizetype start = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] == separator) {
            fields.append(body.sliced(start, i - start).toByteArray());
            start = i + 1;
        }
    }
    fields.append(body.sliced(start).toByteArray());
    return fields;
}

QList<QByteArray> splitLines(QByteArrayView text) {
    QList<QByteArray> lines;
    const qsizetype nul = text.indexOf('\0');
    const QByteArrayView body = nul < 0 ? text : text.first(nul);
    const qsizetype n = body.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const char c = body[i];
        if (c == '\r' || c == '\n') {
            lines.append(body.sliced(start, i - start).toByteArray());
            i += (c == '\r' && i + 1 < n && body[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(body.sliced(start).toByteArray());
    return lines;
}

QString splitdigit(const QString &digits) {
    const bool negative = digits.startsWith(u'-');
    QString rest = negative ? digits.mid(1) : digits;
    QString result;
    while (rest.size() > 3) {
        result.prepend(u',' + rest.right(3));
        rest.chop(3);
    }
    result.prepend(rest);
    return negative ? u'-' + result : result;
}

QString splitdigit(qint64 value) {
    return splitdigit(QString::number(value));
}

QString kcalText(qint64 kcal) {
    return splitdigit(kcal) + QStringLiteral(" kcal");
}

int EliminateComma(QStringView text) {
    qint64 value = 0;
    bool any = false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            continue;
        any = true;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<int>::max())
            return 0;
    }
    return any ? int(value) : 0;
}

QByteArray readFileBytes(const QString &path) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("ファイル %1 は開けません").arg(path));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("ファイル %1 は開けません").arg(path));
    return bytes;
}

} // namespace zk
