// A record file that loads and saves again gives the same lines; a value
// added to it is found under its date, keeps a sorted file sorted, and is
// gone again after its date is deleted.
#include "common/error.h"
#include "common/platform.h"
#include "common/textutil.h"
#include "fuzzsupport.h"
#include "records/recordfile.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>

using zk::fuzz::check;

namespace {

const QByteArray name("item");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static QTemporaryDir folder;
    zk::ProgramFolder::set(folder.path());
    zk::fuzz::useJapaneseRegional();

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    zk::RecordLines lines = zk::splitLines(bytes);
    zk::SaveRecordLines(name, lines);
    check(zk::LoadRecordLines(name) == lines);
    for (const QByteArray &line : lines) {
        const zk::RecordLine split = zk::SplitRecordLine(line);
        check(line.contains('\xFF') ? split.date + '\xFF' + split.value == line
                                    : split.date.isEmpty() && split.value == line);
    }

    // The first line names a date and a value to add.
    if (lines.isEmpty())
        return 0;
    const zk::RecordLine added = zk::SplitRecordLine(lines.first());
    const zk::Regional &regional = zk::Regional::current();
    const auto less = [&](const QByteArray &a, const QByteArray &b) {
        return regional.compareBytesNoCase(a, b) < 0;
    };
    const bool wasSorted = std::is_sorted(lines.begin(), lines.end(), less);
    const qsizetype before = lines.size();
    try {
        zk::AddRecordLine(name, lines, added.date, added.value);
    } catch (const zk::Error &) {
        check(lines.size() == before); // refused: nothing changed
        return 0;
    }
    check(lines.size() == before + 1);
    check(zk::LoadRecordLines(name) == lines);
    check(zk::FindRecordLine(lines, added.date) >= 0);
    if (wasSorted)
        check(std::is_sorted(lines.begin(), lines.end(), less));
    zk::DeleteRecordLines(name, lines, added.date);
    check(zk::FindRecordLine(lines, added.date) < 0);
    check(zk::LoadRecordLines(name) == lines);
    return 0;
}
