// The list of a backup's files: whatever it holds, a list that reads as
// whole names files below record/, setting/ or data/ only, and writes back to
// a list that reads the same.
#include "common/backups.h"
#include "fuzzsupport.h"

#include <cstdint>

using zk::fuzz::check;

namespace {

bool same(const zk::BackupEntry &a, const zk::BackupEntry &b) {
    if (a.made != b.made || a.cause != b.cause || a.unreadable != b.unreadable ||
        a.files.size() != b.files.size())
        return false;
    for (qsizetype i = 0; i < a.files.size(); ++i) {
        if (a.files[i].path != b.files[i].path || a.files[i].sha256 != b.files[i].sha256 ||
            a.files[i].size != b.files[i].size)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<zk::BackupEntry> entry = zk::parseBackupList(bytes);
    if (!entry)
        return 0;
    check(entry->made.isValid());
    for (const zk::BackupEntry::File &f : entry->files) {
        check(f.size >= 0 && f.sha256.size() == 64);
        check(!f.path.split(u'/').contains(QStringLiteral("..")));
        check(f.path.startsWith(QStringLiteral("record/")) ||
              f.path.startsWith(QStringLiteral("setting/")) ||
              f.path.startsWith(QStringLiteral("data/")));
    }
    const std::optional<zk::BackupEntry> again = zk::parseBackupList(zk::backupListBytes(*entry));
    check(again && same(*entry, *again));
    return 0;
}
