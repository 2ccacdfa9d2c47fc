#include "records/datetext.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"

namespace zk {

QByteArray FormatDateText(QDate date) {
    return sjis::encode(date.toString(Regional::current().shortDatePattern()));
}

QDate ParseDateText(const QByteArray &text) {
    const QString decoded = sjis::decode(text);
    const QDate date = QDate::fromString(decoded, Regional::current().shortDatePattern());
    if (!date.isValid())
        throw Error(QStringLiteral("'%1' は日付ではありません").arg(decoded));
    return date;
}

bool DateTextInRange(const QByteArray &date, const QByteArray &from, const QByteArray &to) {
    // QByteArray compares as unsigned bytes, a prefix before its extensions.
    return from <= date && date <= to;
}

} // namespace zk
