#include "records/recordfile.h"

#include "common/error.h"
#include "common/platform.h"
#include "common/savefile.h"
#include "common/sjis.h"
#include "common/storedfiles.h"
#include "common/textutil.h"

#include <QFileInfo>

#include <algorithm>

namespace zk {
namespace {

constexpr char Separator = '\xFF';

QByteArray joinLine(const QByteArray &date, const QByteArray &value) {
    // A line end, NUL or separator inside a field would split the line when
    // it is read back, turning one record into others.
    const auto breaksLine = [](const QByteArray &field) {
        return field.contains('\r') || field.contains('\n') || field.contains('\0') ||
               field.contains(Separator);
    };
    if (breaksLine(date))
        throw Error(QStringLiteral("日付「%1」は記録できません。").arg(sjis::decode(date)));
    if (breaksLine(value))
        throw Error(QStringLiteral("値「%1」には改行などの記録できない文字が含まれています。")
                        .arg(sjis::decode(value)));
    return date + Separator + value;
}

} // namespace

QString RecordNameProblem(const QString &name) {
    // Check what will be stored: "¥" is folded into the byte of "\".
    const QString stored = sjis::foldLookalikes(name);
    if (stored.contains(u'/') || stored.contains(u'\\'))
        return QStringLiteral("項目名に「/」や「\\」は使えません。");
    const QString trimmed = stored.trimmed();
    if (trimmed.isEmpty() || trimmed == u"." || trimmed == u"..")
        return QStringLiteral("項目名「%1」は使えません。別名にして下さい。").arg(name);
    return {};
}

QString RecordFilePath(const QByteArray &name) {
    const QString decoded = sjis::decode(name, sjis::Invalid::Escape);
    if (const QString problem = RecordNameProblem(decoded); !problem.isEmpty())
        throw Error(problem);
    // Undecodable bytes have no faithful file name; two such names could
    // otherwise share one file.
    if (sjis::hasEscapes(decoded))
        throw Error(QStringLiteral("項目名「%1」は記録ファイルの名前に使えません。")
                        .arg(sjis::decode(name)));
    return ProgramFolder::file(storedfiles::recordFolder + decoded + QStringLiteral(".dat"));
}

void EnsureRecordFile(const QByteArray &name) {
    const QString path = RecordFilePath(name);
    if (!QFileInfo::exists(path))
        SaveStringToFile(path, {});
}

RecordLines LoadRecordLines(const QByteArray &name) {
    return splitLines(readFileBytes(RecordFilePath(name)));
}

void SaveRecordLines(const QByteArray &name, const RecordLines &lines) {
    const QString path = RecordFilePath(name);
    QByteArray bytes;
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const QByteArray &line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    SaveStringToFile(path, bytes);
}

RecordLine SplitRecordLine(const QByteArray &line) {
    const qsizetype p = line.indexOf(Separator);
    if (p < 0)
        return {{}, line};
    return {line.left(p), line.mid(p + 1)};
}

qsizetype FindRecordLine(const RecordLines &lines, const QByteArray &date) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (SplitRecordLine(lines[i]).date == date)
            return i;
    }
    return -1;
}

void AddRecordLine(const QByteArray &name, RecordLines &lines, const QByteArray &date,
                   const QByteArray &value) {
    const QByteArray line = joinLine(date, value);
    const Regional &regional = Regional::current();
    const auto less = [&](const QByteArray &a, const QByteArray &b) {
        return regional.compareBytesNoCase(a, b) < 0;
    };
    RecordLines sorted = lines;
    // A file the program wrote is sorted already: the new line then goes
    // where a stable sort of the whole file would put it, found in far fewer
    // comparisons.
    if (std::is_sorted(sorted.begin(), sorted.end(), less)) {
        sorted.insert(std::upper_bound(sorted.begin(), sorted.end(), line, less), line);
    } else {
        sorted.append(line);
        std::stable_sort(sorted.begin(), sorted.end(), less);
    }
    SaveRecordLines(name, sorted);
    lines = std::move(sorted);
}

void ReplaceRecordLine(const QByteArray &name, RecordLines &lines, qsizetype index,
                       const QByteArray &date, const QByteArray &value) {
    if (index < 0 || index >= lines.size())
        throw Error(QStringLiteral("日付 : %1 の記録が見つかりません。").arg(sjis::decode(date)));
    RecordLines changed = lines;
    changed[index] = joinLine(date, value);
    SaveRecordLines(name, changed);
    lines = std::move(changed);
}

void DeleteRecordLines(const QByteArray &name, RecordLines &lines, const QByteArray &date) {
    RecordLines kept = lines;
    for (qsizetype i = kept.size() - 1; i >= 0; --i) {
        if (SplitRecordLine(kept[i]).date == date)
            kept.removeAt(i);
    }
    SaveRecordLines(name, kept);
    lines = std::move(kept);
}

} // namespace zk
