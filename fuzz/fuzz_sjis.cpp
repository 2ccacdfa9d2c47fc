// Decoding never loses a byte: escaped text encodes back to the very bytes it
// was read from. CP932 maps a few characters twice (NEC and IBM extensions,
// lead bytes 0x87, 0xED, 0xEE, 0xFA-0xFC); those encode to one of their forms,
// so inputs holding such bytes are only checked for decoding the same again.
#include "common/sjis.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = zk::sjis::decode(bytes, zk::sjis::Invalid::Escape);
    const QByteArray again = zk::sjis::encode(text);
    bool duplicates = false;
    for (char c : bytes) {
        const uchar b = uchar(c);
        duplicates = duplicates || b == 0x87 || b == 0xED || b == 0xEE || (b >= 0xFA && b <= 0xFC);
    }
    if (!duplicates && again != bytes)
        std::abort();
    if (zk::sjis::decode(bytes).size() != text.size())
        std::abort();
    return 0;
}
