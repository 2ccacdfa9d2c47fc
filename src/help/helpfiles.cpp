#include "help/helpfiles.h"

#include "common/platform.h"
#include "common/textutil.h"

namespace zk {

namespace HelpFiles {

QString contentsFile() {
    return QStringLiteral("help/index.html");
}

QString topicFile() {
    return QStringLiteral("help/topics.html");
}

QUrl contentsUrl() {
    return QUrl::fromLocalFile(ProgramFolder::sharedFile(contentsFile()));
}

QString topicAnchor(int context) {
    return QStringLiteral("topic%1").arg(context);
}

QUrl topicUrl(int context) {
    QUrl url = QUrl::fromLocalFile(ProgramFolder::sharedFile(topicFile()));
    url.setFragment(topicAnchor(context));
    return url;
}

QString missingMessage(const QString &file) {
    return QStringLiteral("ヘルプファイル『%1』が見つかりません。").arg(file);
}

} // namespace HelpFiles

QString memoryText(quint64 bytes) {
    return splitdigit(QString::number(bytes)) + QStringLiteral(" Byte Free");
}

} // namespace zk
