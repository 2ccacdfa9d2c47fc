// A list file that loads and saves again gives the same rows.
#include "common/listtable.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const zk::ListRows rows = zk::parseListFile(bytes);
    const QByteArray saved = zk::listFileBytes(rows);
    if (zk::parseListFile(saved) != rows)
        std::abort();
    if (zk::listFileBytes(zk::parseListFile(saved)) != saved)
        std::abort();
    return 0;
}
