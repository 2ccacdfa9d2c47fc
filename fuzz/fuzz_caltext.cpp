// The editor's reader of calorie tables: a table read and written again
// without an edit gives its bytes back with every line ended by CR LF, and a
// table whose every line was retyped as shown reads back as the same text.
// Lines holding bytes CP932 does not map are left out of the retyping: an
// escaped lead byte joins the first byte of what follows it once written,
// however that was typed.
#include "caldata/caltext.h"
#include "common/error.h"
#include "common/sjis.h"
#include "fuzzsupport.h"

#include <cstdint>

using zk::fuzz::check;

namespace {

QStringList texts(const QList<zk::CalTextLine> &lines) {
    QStringList out;
    for (const zk::CalTextLine &line : lines)
        out.append(line.text);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<zk::CalTextLine> lines = zk::readCalText(bytes);
    const QByteArray written = zk::writeCalText(lines);
    check(texts(zk::readCalText(written)) == texts(lines));
    check(zk::writeCalText(zk::readCalText(written)) == written);
    QByteArray breaks = bytes;
    breaks.replace("\r\n", "");
    if (!breaks.contains('\r') && !breaks.contains('\n') && !bytes.endsWith('\x1A'))
        check(written == bytes);

    QList<zk::CalTextLine> retyped = lines;
    for (zk::CalTextLine &line : retyped) {
        if (!zk::sjis::hasEscapes(line.text))
            line.raw.reset();
    }
    try {
        check(texts(zk::readCalText(zk::writeCalText(retyped))) == texts(lines));
    } catch (const zk::Error &) {
    }
    return 0;
}
