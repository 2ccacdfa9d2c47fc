#include "web/websitelist.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/storedfiles.h"
#include "common/textutil.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace zk {

namespace WebSites {

QStringList headers() {
    return {QStringLiteral("ｻｲﾄ名"), QStringLiteral("URL")};
}

QString listPath() {
    return ProgramFolder::file(storedfiles::wwwDat);
}

namespace {

// Only ASCII letters are lowered: "ＨＴＴＰ://" is an address of its own.
QString asciiLower(const QString &text) {
    QString lowered = text;
    for (QChar &c : lowered) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return lowered;
}

} // namespace

QString problem(const QString &name, const QString &address) {
    if (name.isEmpty())
        return QStringLiteral("サイト名が空白です。");
    if (address.isEmpty() || asciiLower(address) == QLatin1String("http://"))
        return QStringLiteral("URLが記入されていません！");
    return {};
}

void store(ListTableModel &table, int row, const QString &name, const QString &address) {
    const QStringList texts{name, address};
    if (row < 0)
        table.appendRow(editedRow({}, texts));
    else
        table.replaceRow(row, editedRow(table.row(row), texts));
}

} // namespace WebSites

QList<WebMenuEntry> parseWebMenu(QByteArrayView bytes) {
    QList<WebMenuEntry> entries;
    for (const QByteArray &line : splitLines(bytes)) {
        const qsizetype separator = line.indexOf('\xFF');
        if (separator < 0) {
            entries.append({QString(), sjis::decode(line)});
            continue;
        }
        // Cells after the address (a hand-edited row) are not part of it.
        QByteArray address = line.mid(separator + 1);
        const qsizetype end = address.indexOf('\xFF');
        if (end >= 0)
            address.truncate(end);
        entries.append({sjis::decode(line.left(separator)), sjis::decode(address)});
    }
    return entries;
}

std::optional<QList<WebMenuEntry>> loadWebMenu(const QString &path) {
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return parseWebMenu(readFileBytes(path));
}

namespace {

const QString onlyWebAndMail =
    QStringLiteral("Webのアドレス（http://、https://）とメールアドレス（mailto:）だけを開けます。");

[[noreturn]] void refuseLocal(const QString &address) {
    throw Error(QStringLiteral("「%1」はこのコンピューター上のファイルを指すため開けません。\n")
                    .arg(address) +
                onlyWebAndMail);
}

[[noreturn]] void refuse(const QString &address) {
    throw Error(QStringLiteral("「%1」は開けません。\n").arg(address) + onlyWebAndMail);
}

} // namespace

QUrl safeWebUrl(const QString &address) {
    QString text = address.trimmed();
    static const QRegularExpression localPath(QStringLiteral(R"(^([/\\~.]|[A-Za-z]:([/\\]|$)))"));
    if (localPath.match(text).hasMatch())
        refuseLocal(address);

    static const QRegularExpression scheme(QStringLiteral(R"(^([A-Za-z][A-Za-z0-9+.\-]*):(.*)$)"),
                                           QRegularExpression::DotMatchesEverythingOption);
    // "example.com:8080/x" names a host and a port, not a scheme.
    static const QRegularExpression port(QStringLiteral(R"(^\d+([/?#].*)?$)"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = scheme.match(text);
    if (!match.hasMatch() || port.match(match.captured(2)).hasMatch())
        text.prepend(QLatin1String("http://"));

    const QUrl url(text, QUrl::TolerantMode);
    const QString name = url.scheme();
    if (name == QLatin1String("file"))
        refuseLocal(address);
    const bool web = name == QLatin1String("http") || name == QLatin1String("https");
    const bool mail = name == QLatin1String("mailto");
    if (!url.isValid() || (web && url.host().isEmpty()) || (mail && url.path().isEmpty()) ||
        !(web || mail))
        refuse(address);
    return url;
}

} // namespace zk
