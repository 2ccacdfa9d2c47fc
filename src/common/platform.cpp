#include "common/platform.h"

#include "common/sjis.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <optional>

namespace zk {
namespace {

QString &folderStore() {
    static QString folder;
    return folder;
}

QString &sharedStore() {
    static QString folder;
    return folder;
}

QString endingInSlash(const QString &folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

std::optional<Regional> &regionalStore() {
    static std::optional<Regional> regional;
    return regional;
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

} // namespace

QString ProgramFolder::path() {
    QString &folder = folderStore();
    if (folder.isEmpty())
        set(QCoreApplication::applicationDirPath());
    return folder;
}

QString ProgramFolder::sharedFile(const QString &relative) {
    if (sharedStore().isEmpty())
        path();
    return sharedStore() + relative;
}

void ProgramFolder::set(const QString &folder) {
    set(folder, folder);
}

void ProgramFolder::set(const QString &folder, const QString &shared) {
    folderStore() = endingInSlash(folder);
    sharedStore() = endingInSlash(shared);
}

Regional::Regional(const QLocale &locale)
    : m_locale(locale)
    , m_datePattern(datePatternFor(locale.dateFormat(QLocale::ShortFormat)))
    , m_decimalPoint(locale.decimalPoint().isEmpty() ? QChar(u'.') : locale.decimalPoint()[0])
    , m_collator(locale)
    , m_collatorNoCase(locale) {
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    m_collatorNoCase.setCaseSensitivity(Qt::CaseInsensitive);
}

const Regional &Regional::current() {
    std::optional<Regional> &r = regionalStore();
    if (!r)
        r.emplace();
    return *r;
}

void Regional::setCurrent(const Regional &regional) {
    regionalStore() = regional;
}

int Regional::compare(const QString &a, const QString &b) const {
    if (const int c = m_collator.compare(a, b))
        return sign(c);
    return sign(a.compare(b));
}

int Regional::compareNoCase(const QString &a, const QString &b) const {
    if (const int c = m_collatorNoCase.compare(a, b))
        return sign(c);
    return sign(a.compare(b));
}

int Regional::compareBytes(const QByteArray &a, const QByteArray &b) const {
    if (const int c = m_collator.compare(sjis::decode(a), sjis::decode(b)))
        return sign(c);
    return sign(a.compare(b));
}

int Regional::compareBytesNoCase(const QByteArray &a, const QByteArray &b) const {
    if (const int c = m_collatorNoCase.compare(sjis::decode(a), sjis::decode(b)))
        return sign(c);
    return sign(a.compare(b));
}

QString Regional::datePatternFor(const QString &localePattern) {
    static const QRegularExpression fixedYearFirst(QStringLiteral("^yyyy([^A-Za-z0-9])MM\\1dd$"));
    if (fixedYearFirst.match(localePattern).hasMatch())
        return localePattern;
    return QStringLiteral("yyyy/MM/dd");
}

quint64 freePhysicalMemory() {
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    // Files under /proc report no size, so read them whole rather than to atEnd().
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("MemAvailable:")) {
            const QList<QByteArray> parts = line.simplified().split(' ');
            bool ok = false;
            const quint64 kib = parts.value(1).toULongLong(&ok);
            return ok ? kib * 1024 : 0;
        }
    }
    return 0;
}

} // namespace zk
