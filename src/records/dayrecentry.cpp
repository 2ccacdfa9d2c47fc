#include "records/dayrecentry.h"

#include "common/platform.h"
#include "common/prompt.h"
#include "common/sjis.h"
#include "common/textutil.h"

#include <algorithm>

namespace zk {

namespace {

QString notFound(const QByteArray &date, const QString &consequence) {
    return QStringLiteral("日付 : ") + sjis::decode(date) +
           QStringLiteral(" の記録がファイルに見つからないため、") + consequence;
}

} // namespace

ListRows DayRecRows(const RecordLines &lines, const OptionalRange &range) {
    ListRows rows;
    rows.reserve(lines.size());
    for (const QByteArray &line : lines) {
        if (!range) {
            rows.append(Split(line, '\xFF'));
            continue;
        }
        const RecordLine record = SplitRecordLine(line);
        if (range->contains(record.date))
            rows.append({record.date, record.value});
    }
    const Regional &regional = Regional::current();
    const auto less = [&](const ListRow &a, const ListRow &b) {
        return regional.compareBytes(a.value(0), b.value(0)) < 0;
    };
    // Files the program wrote are in order already.
    if (!std::is_sorted(rows.begin(), rows.end(), less))
        std::stable_sort(rows.begin(), rows.end(), less);
    return rows;
}

QString OverwriteQuestion(const QString &date, const QString &key, const QString &oldValue) {
    return QStringLiteral("日付 : ") + date + u'\r' + QStringLiteral("はすでに記録済みです。") +
           key + QStringLiteral("の値は、「") + oldValue +
           QStringLiteral("」となっていますが上書きしますか？");
}

EntryOutcome WriteDayRecValue(Prompt &prompt, const QByteArray &name, const QString &key,
                              EntryMode mode, const QByteArray &date, const QByteArray &value) {
    EnsureRecordFile(name);
    if (value.isEmpty()) {
        prompt.message(sjis::decode(name) + QStringLiteral("の値が記入されていません！"));
        return EntryOutcome::Kept;
    }
    RecordLines lines = LoadRecordLines(name);
    const qsizetype found = FindRecordLine(lines, date);
    if (mode == EntryMode::Change) {
        if (found < 0) {
            prompt.message(notFound(date, QStringLiteral("値を変更できません。")));
            return EntryOutcome::Refused;
        }
        ReplaceRecordLine(name, lines, found, date, value);
        return EntryOutcome::Saved;
    }
    if (found < 0) {
        AddRecordLine(name, lines, date, value);
        return EntryOutcome::Saved;
    }
    const QString oldValue = sjis::decode(SplitRecordLine(lines[found]).value);
    if (!prompt.warning(OverwriteQuestion(sjis::decode(date), key, oldValue)))
        return EntryOutcome::Kept;
    ReplaceRecordLine(name, lines, found, date, value);
    return EntryOutcome::Saved;
}

bool DeleteDayRecValue(Prompt &prompt, const QByteArray &name, const QByteArray &date) {
    EnsureRecordFile(name);
    RecordLines lines = LoadRecordLines(name);
    if (FindRecordLine(lines, date) < 0) {
        prompt.message(notFound(date, QStringLiteral("削除できません。")));
        return false;
    }
    DeleteRecordLines(name, lines, date);
    return true;
}

} // namespace zk
