// A colour text that reads writes back to a text that reads the same colour,
// and that written text is stable.
#include "common/error.h"
#include "common/sjis.h"
#include "settings/colortext.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    zk::ColorValue color = 0;
    try {
        color = zk::ColorFromText(zk::sjis::decode(bytes));
    } catch (const zk::Error &) {
        return 0;
    }
    const QString text = zk::ColorText(color);
    if (zk::ColorFromText(text) != color)
        std::abort();
    if (zk::ColorText(zk::ColorFromText(text)) != text)
        std::abort();
    return 0;
}
