#pragma once

#include "common/listtable.h"
#include "records/datetext.h"
#include "records/recordfile.h"

#include <QByteArray>
#include <QString>

namespace zk {

class Prompt;

// The rows of the diary's data list for one record file: all lines cut at
// every 0xFF, or with a range only the lines whose date text lies in it;
// ascending by date text (locale collation, case-sensitive).
ListRows DayRecRows(const RecordLines &lines, const OptionalRange &range);

enum class EntryMode { Add, Change };

enum class EntryOutcome {
    Saved,   // the record file holds the value
    Kept,    // nothing written; the entry may be corrected or confirmed again
    Refused, // nothing written, and retrying cannot help
};

// The warning asked before a date's value is overwritten. The lone CR between
// the two parts is what the message box shows as its line break.
QString OverwriteQuestion(const QString &date, const QString &key, const QString &oldValue);

// Writes one value entered in the diary's entry dialog to the item's record
// file, asking through `prompt` where the user has to decide:
// - an empty value is reported and nothing is written;
// - Add: a date that already has a line asks before it is overwritten; a new
//   date is inserted and the file sorted;
// - Change: the line of `date` (the listed row's own text) gets the new value
//   in place; when no line carries that date text it is reported and nothing
//   is written, so no other date's line is ever overwritten.
// `key` is the item entry shown in the dialog. Errors of the file throw.
EntryOutcome WriteDayRecValue(Prompt &prompt, const QByteArray &name, const QString &key,
                              EntryMode mode, const QByteArray &date, const QByteArray &value);

// Deletes every line of the date text from the item's record file. When no
// line carries it (a listed line without 0xFF shows whole as its date), that
// is reported through `prompt`, the file is left alone and false is returned.
bool DeleteDayRecValue(Prompt &prompt, const QByteArray &name, const QByteArray &date);

} // namespace zk
