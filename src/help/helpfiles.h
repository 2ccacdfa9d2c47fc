#pragma once

#include <QString>
#include <QUrl>

namespace zk {

// The two help sets beside the program: the contents set, opened from the
// main window's help command, and the topic set, whose sections are keyed by
// the context numbers the windows pass (1, 2, 5, 6, 7, 8, 9).
namespace HelpFiles {

QString contentsFile(); // "help/index.html", relative to the shared folder
QString topicFile();    // "help/topics.html"

// The page of a set with the topic as its fragment ("#topic5").
QUrl contentsUrl();
QUrl topicUrl(int context);
QString topicAnchor(int context);

// "ヘルプファイル『…』が見つかりません。"
QString missingMessage(const QString &file);

} // namespace HelpFiles

// The about box's memory line: "1,234,567,890 Byte Free".
QString memoryText(quint64 bytes);

} // namespace zk
