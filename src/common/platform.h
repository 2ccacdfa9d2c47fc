#pragma once

#include <QCollator>
#include <QDate>
#include <QLocale>
#include <QString>

#include <functional>

namespace zk {

// The program folder, ending in "/": the folder of the stored files (data/,
// record/, setting/), every one addressed relative to it. Unless set, the
// folder of the running executable. The shared folder holds what the program
// ships and only reads (help/); it is the program folder itself unless the
// program is installed into the system (see ProgramLayout).
class ProgramFolder {
public:
    static QString path();
    static QString file(const QString &relative) { return path() + relative; }
    static QString sharedFile(const QString &relative);
    // Fixed once at start (and by tests to a folder of their own); set()
    // makes the folder its own shared folder.
    static void set(const QString &folder);
    static void set(const QString &folder, const QString &shared);
};

// The user's regional settings, taken once at start: locale collation, the
// short date pattern and the decimal separator; and "today". Tests replace
// them with fixed ones.
class Regional {
public:
    explicit Regional(const QLocale &locale = QLocale::system());

    static const Regional &current();
    static void setCurrent(const Regional &regional);

    const QLocale &locale() const { return m_locale; }
    // A numeric, year-first pattern of fixed widths ("yyyy/MM/dd"), so that
    // text order of dates is calendar order.
    const QString &shortDatePattern() const { return m_datePattern; }
    QChar decimalPoint() const { return m_decimalPoint; }

    // Locale collation; equal texts under the collator (あ/ア, Ａ/A) are
    // ordered by their bytes, so the order is total and stable.
    int compare(const QString &a, const QString &b) const;
    int compareNoCase(const QString &a, const QString &b) const;
    int compareBytes(const QByteArray &a, const QByteArray &b) const;       // case-sensitive
    int compareBytesNoCase(const QByteArray &a, const QByteArray &b) const; // case-insensitive

    QDate today() const { return m_today ? m_today() : QDate::currentDate(); }
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }

    // The pattern used for a locale's short date format: the locale's own when
    // it is numeric, year-first and of fixed widths, otherwise yyyy/MM/dd.
    static QString datePatternFor(const QString &localePattern);

private:
    QLocale m_locale;
    QString m_datePattern;
    QChar m_decimalPoint;
    QCollator m_collator;
    QCollator m_collatorNoCase;
    std::function<QDate()> m_today;
};

// Free physical memory in bytes, as the system reports it (0 when unknown).
quint64 freePhysicalMemory();

} // namespace zk
