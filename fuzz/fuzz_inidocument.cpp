// An INI document written and read again gives the same values, and a value
// set through the store reads back as it was set.
#include "common/inidocument.h"
#include "fuzzsupport.h"

#include <cstdint>

using zk::fuzz::check;

namespace {

// The names and values the program itself writes hold no line ends or NUL;
// a key holds no '=' and does not look like a comment or a section.
bool writable(QByteArrayView text) {
    return !text.contains('\r') && !text.contains('\n') && !text.contains('\0');
}
bool writableKey(QByteArrayView key) {
    return writable(key) && !key.contains('=') && !key.startsWith(';') && !key.startsWith('[');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const zk::IniDocument doc = zk::IniDocument::parse(bytes);
    const QByteArray written = doc.toBytes();
    const zk::IniDocument again = zk::IniDocument::parse(written);
    check(again.toBytes() == written);

    // Every key line of the input reads the same from the written document.
    QByteArray section;
    bool inSection = false;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n' && bytes[end] != '\0')
            ++end;
        const QByteArrayView line = bytes.sliced(start, end - start);
        if (end < bytes.size() && bytes[end] == '\0')
            break;
        if (line.size() >= 2 && line.startsWith('[') && line.endsWith(']')) {
            section = line.sliced(1, line.size() - 2).toByteArray();
            inSection = true;
        } else if (inSection && !line.startsWith(';') && line.contains('=')) {
            const QByteArrayView key = line.first(line.indexOf('='));
            check(doc.value(section, key) == again.value(section, key));
        }
        start = end + 1;
    }

    // Split the rest of the input into a section, a key and a value to set.
    const QList<QByteArray> parts = bytes.toByteArray().split('\x01');
    if (parts.size() >= 3 && writable(parts[0]) && writableKey(parts[1]) && writable(parts[2])) {
        zk::IniDocument set = doc;
        set.setValue(parts[0], parts[1], parts[2]);
        check(set.value(parts[0], parts[1]) == parts[2]);
        check(zk::IniDocument::parse(set.toBytes()).value(parts[0], parts[1]) == parts[2]);
    }
    return 0;
}
