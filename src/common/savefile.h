#pragma once

#include <QByteArray>
#include <QString>

namespace zk {

// Writes the bytes to the file, creating missing folders first. The write is
// atomic: on any failure the old file stays whole and zk::Error is thrown,
// naming the path and the reason.
void SaveStringToFile(const QString &path, const QByteArray &bytes);

} // namespace zk
