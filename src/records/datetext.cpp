#include "records/datetext.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"

#include <cmath>

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

namespace {

QDate dayZero() {
    return QDate(1899, 12, 30);
}

} // namespace

double DateToDays(QDate date) {
    return double(dayZero().daysTo(date));
}

QDate DaysToDate(double days) {
    // The whole part is the day, also below zero (-1.25 is 29 December 1899, 6 a.m.).
    const double whole = std::trunc(days);
    if (!(whole >= DateToDays(QDate(1, 1, 1)) && whole <= DateToDays(QDate(9999, 12, 31))))
        return dayZero();
    return dayZero().addDays(qint64(whole));
}

} // namespace zk
