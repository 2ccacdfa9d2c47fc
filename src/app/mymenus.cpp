#include "app/mymenus.h"

#include "caldata/foodtree.h"
#include "caldata/nutrients.h"
#include "common/error.h"
#include "common/platform.h"
#include "common/savefile.h"
#include "common/sjis.h"
#include "common/textutil.h"

#include <QFile>
#include <QFileInfo>

#include <numeric>

namespace zk {
namespace {

constexpr char separator = '\xFF';

// The line end the file already uses; CR LF for a new file.
QByteArray lineEndOf(QByteArrayView bytes) {
    const qsizetype lf = bytes.indexOf('\n');
    const qsizetype cr = bytes.indexOf('\r');
    if (lf < 0 && cr < 0)
        return "\r\n";
    if (cr < 0 || (lf >= 0 && lf < cr))
        return "\n";
    return cr + 1 == lf ? "\r\n" : "\r";
}

// The bytes with lines added on lines of their own at the end of the text:
// before a NUL, which ends what a reader reads, the bytes after it kept.
QByteArray appended(const QByteArray &bytes, const QByteArray &lines) {
    const qsizetype nul = bytes.indexOf('\0');
    QByteArray text = nul < 0 ? bytes : bytes.left(nul);
    if (!text.isEmpty() && !text.endsWith('\n') && !text.endsWith('\r'))
        text += lineEndOf(text);
    return text + lines + (nul < 0 ? QByteArray() : bytes.sliced(nul));
}

// Each line with its line end, as the file holds it.
QList<QByteArray> linesWithEnds(const QByteArray &bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        lines.append(bytes.sliced(start, i + 1 - start));
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start));
    return lines;
}

QByteArray withoutEnd(QByteArray line) {
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

int foodsNamed(const QByteArray &calBytes, const QByteArray &name, const qint32 *calory = nullptr) {
    const FoodTree tree = FoodTree::parse(calBytes);
    int count = 0;
    for (int i = 0; i < tree.size(); ++i) {
        const FoodNode &node = tree.node(i);
        if (node.isFood() && node.text == name && (!calory || node.calory == *calory))
            ++count;
    }
    return count;
}

// The table with every food line of the name given the value; the rest
// keeps its bytes, and so does all from a NUL on, which
// a reader never reads. Nothing when no line has the name.
std::optional<QByteArray> withValue(const QByteArray &cal, const QByteArray &name,
                                    const QByteArray &value) {
    const qsizetype nul = cal.indexOf('\0');
    QByteArray table;
    bool found = false;
    for (const QByteArray &line : linesWithEnds(nul < 0 ? cal : cal.left(nul))) {
        const QByteArray text = withoutEnd(line);
        const QByteArray content = text.sliced(calIndentation(text));
        const qsizetype colon = content.lastIndexOf(':');
        if (content.startsWith('@') || colon < 0 || content.left(colon) != name) {
            table += line;
            continue;
        }
        found = true;
        table +=
            text.left(text.size() - content.size() + colon + 1) + value + line.sliced(text.size());
    }
    if (!found)
        return std::nullopt;
    return nul < 0 ? table : table + cal.sliced(nul);
}

// A gram value as a nutrient file writes it: one decimal, "0" for zero.
QByteArray gramsCell(double grams) {
    QByteArray text = QByteArray::number(grams, 'f', 1);
    if (text.endsWith(".0"))
        text.chop(2);
    return text;
}

QByteArray nutrientLine(const MyMenus::Menu &menu, const QByteArray &lineEnd) {
    const auto cell = [&](IntakeNutrient n) {
        return menu.nutrients[n] ? gramsCell(*menu.nutrients[n]) : QByteArray();
    };
    // name, amount, protein, fat, carbohydrate, fibre (not counted), salt
    return QByteArrayList{menu.name,          sjis::encode(u"1人前"), cell(Protein), cell(Fat),
                          cell(Carbohydrate), QByteArray(),           cell(Salt)}
               .join(separator) +
           lineEnd;
}

QByteArray firstCell(const QByteArray &line) {
    const QByteArray text = withoutEnd(line);
    const char by = text.contains(separator) ? separator : '\t';
    const qsizetype end = text.indexOf(by);
    return end < 0 ? text : text.left(end);
}

// The file's bytes; none for a missing file.
std::optional<QByteArray> readIfThere(const QString &path) {
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    if (!info.isFile())
        throw Error(QStringLiteral("ファイル %1 は開けません").arg(path));
    return readFileBytes(path);
}

} // namespace

QString MyMenus::tableName() {
    return QStringLiteral("Myﾒﾆｭｰ");
}

QString MyMenus::tablePath() {
    return ProgramFolder::file(QStringLiteral("data/")) + tableName() + QStringLiteral(".cal");
}

QString MyMenus::refusal(const QString &name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("ﾒﾆｭｰの名前を入力してください。");
    if (trimmed.contains(u'\n') || trimmed.contains(u'\r'))
        return QStringLiteral("ﾒﾆｭｰの名前に改行は使えません。");
    if (trimmed.contains(u':'))
        return QStringLiteral("ﾒﾆｭｰの名前に「:」は使えません。");
    if (trimmed.startsWith(u'@'))
        return QStringLiteral("ﾒﾆｭｰの名前は「@」で始められません（見出しになります）。");
    if (std::any_of(trimmed.cbegin(), trimmed.cend(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QStringLiteral("ﾒﾆｭｰの名前に制御文字は使えません。");
    try {
        sjis::encode(trimmed);
    } catch (const Error &e) {
        return QStringLiteral("ﾒﾆｭｰの名前に使えない文字があります。\n") + e.text();
    }
    return {};
}

MyMenus::Menu MyMenus::of(const QString &name, const QList<IntakeRow> &rows, int servings) {
    servings = std::clamp(servings, 1, mostServings);
    Menu menu;
    menu.name = sjis::encode(name.trimmed());
    const qint64 kcal =
        std::accumulate(rows.cbegin(), rows.cend(), qint64(0),
                        [](qint64 sum, const IntakeRow &r) { return sum + r.list.value; });
    menu.calory = qint32(roundHalfUp(double(kcal) / servings, 0));
    for (int n = 0; n < IntakeNutrientCount && !rows.isEmpty(); ++n) {
        double sum = 0;
        bool known = true;
        for (const IntakeRow &row : rows) {
            known = known && row.eaten[n].has_value();
            sum += row.eaten[n].value_or(0);
        }
        if (known)
            menu.nutrients[n] = roundHalfUp(sum / servings, 1);
    }
    return menu;
}

MyMenus::MyMenus(QString tablePath)
    : m_path(std::move(tablePath)) {}

bool MyMenus::contains(const QByteArray &name) const {
    const QByteArray bytes = readIfThere(m_path).value_or(QByteArray());
    try {
        FoodTree::parse(bytes);
    } catch (const Error &e) {
        throw Error(m_path + u'\n' + e.text());
    }
    return withValue(bytes, name, {}).has_value();
}

MyMenus::Files MyMenus::withMenu(const Files &before, const Menu &menu, QDate made) {
    const QByteArray &cal = before.table;
    const QByteArray value = QByteArray::number(menu.calory);
    const int had =
        foodsNamed(cal, menu.name, &menu.calory); // throws for a table that does not read
    Files after;
    if (const std::optional<QByteArray> replaced = withValue(cal, menu.name, value);
        replaced && foodsNamed(*replaced, menu.name, &menu.calory) > 0) {
        after.table = *replaced;
    } else {
        // Under the month's heading when it is the last one, else under a new one.
        const QByteArray eol = lineEndOf(cal);
        const QByteArray heading =
            '@' + sjis::encode(QStringLiteral("%1年%2月").arg(made.year()).arg(made.month()));
        const QByteArray food = '\t' + menu.name + ':' + value + eol;
        QByteArray lastHeading;
        for (const QByteArray &line : splitLines(cal)) {
            if (calIndentation(line) == 0 && !line.trimmed().isEmpty())
                lastHeading = line;
        }
        after.table = appended(cal, food);
        if (lastHeading != heading || foodsNamed(after.table, menu.name, &menu.calory) != had + 1)
            after.table = appended(cal, heading + eol + food);
        if (foodsNamed(after.table, menu.name, &menu.calory) != had + 1)
            throw Error(QStringLiteral("ﾒﾆｭｰを書き加えられません。"));
    }

    QByteArray nutrients;
    for (const QByteArray &line : linesWithEnds(before.nutrients.value_or(QByteArray()))) {
        if (firstCell(line) != menu.name)
            nutrients += line;
    }
    if (std::any_of(menu.nutrients.cbegin(), menu.nutrients.cend(),
                    [](const auto &v) { return v.has_value(); }))
        nutrients = appended(nutrients, nutrientLine(menu, "\r\n"));
    if (before.nutrients || !nutrients.isEmpty())
        after.nutrients = nutrients;
    return after;
}

void MyMenus::save(const Menu &menu, QDate made) {
    const QString nutrientPath = NutrientTable::pathFor(m_path);
    const Files before{readIfThere(m_path).value_or(QByteArray()), readIfThere(nutrientPath)};
    Files after;
    try {
        after = withMenu(before, menu, made);
    } catch (const Error &e) {
        throw Error(m_path + u'\n' + e.text());
    }
    const std::optional<QByteArray> &oldNutrients = before.nutrients;
    const bool nutrientsChange = after.nutrients != oldNutrients;
    if (nutrientsChange)
        SaveStringToFile(nutrientPath, *after.nutrients);
    try {
        SaveStringToFile(m_path, after.table);
    } catch (const Error &) {
        // The nutrients of a menu the table does not have would mislead.
        if (nutrientsChange) {
            try {
                if (oldNutrients)
                    SaveStringToFile(nutrientPath, *oldNutrients);
                else
                    QFile::remove(nutrientPath);
            } catch (const Error &) {
                // The table's error is the one to tell.
            }
        }
        throw;
    }
}

} // namespace zk
