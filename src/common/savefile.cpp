#include "common/savefile.h"

#include "common/error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace zk {

void SaveStringToFile(const QString &path, const QByteArray &bytes) {
    const QString folder = QFileInfo(path).path();
    if (!folder.isEmpty() && !QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw Error(QStringLiteral("ディレクトリ") + QDir::toNativeSeparators(folder) +
                    QStringLiteral("が作れません。"));

    auto fail = [&](const QString &reason) {
        return Error(QStringLiteral("ファイル %1 に書き込めません。(%2)").arg(path, reason));
    };
    if (QFileInfo(path).isDir())
        throw fail(QStringLiteral("同じ名前のフォルダがあります"));
    QSaveFile file(path);
    // Writing into the file itself when no temporary file can be made beside
    // it would leave half a file behind a failure.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw fail(file.errorString());
    // A text smaller than the write buffer reaches the disk only on flush, and
    // commit() does not see a failed flush: a failed write must cancel, or the
    // commit would put a file cut short in place of the old one.
    QString writeError;
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        // A failed flush reports only "Unknown error"; the system's reason
        // (a full disk, a file too large) is what the user needs to read.
        writeError = errno != 0 ? qt_error_string(errno) : file.errorString();
        file.cancelWriting();
    }
    if (!file.commit())
        throw fail(writeError.isEmpty() ? file.errorString() : writeError);
}

} // namespace zk
