// The lists of the bundled tables a program folder has had (.bundled-tables)
// and of their checksums (.bundled-sums): whatever they hold, every path read
// is a whole line's, and a list written from the paths reads the same.
#include "common/bundledtables.h"
#include "fuzzsupport.h"

#include <cstdint>

using zk::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const bool sums : {false, true}) {
        const QSet<QString> paths = zk::ListedBundledPaths(bytes, sums);
        QByteArray written;
        for (const QString &path : paths) {
            check(!path.isEmpty() && !path.contains(u'\n'));
            written += QByteArray(sums ? 66 : 0, ' ') + path.toUtf8() + '\n';
        }
        check(zk::ListedBundledPaths(written, sums) == paths);
    }
    return 0;
}
