#include "settings/fontrows.h"

#include "common/error.h"
#include "common/inttext.h"
#include "common/sjis.h"

namespace zk {

namespace {

ListRow designRow(const char *part, const char *font, const char *size, const char *color,
                  const char *background) {
    return {part, font, size, "0", color, background};
}

} // namespace

FontStyle IntToFontStyle(int style) {
    return {(style & 1) != 0, (style & 2) != 0, (style & 4) != 0};
}

int FontStyleToInt(const FontStyle &style) {
    return (style.bold ? 1 : 0) + (style.italic ? 2 : 0) + (style.underline ? 4 : 0);
}

// The parts and fonts in Shift-JIS, as font.dat holds them: written out here,
// the settings are read without the converter.
ListRows designFontRows() {
    const char *const msPMincho = "\x82\x6C\x82\x72\x20\x82\x6F\x96\xBE\x92\xA9"; // ＭＳ Ｐ明朝
    return {
        designRow("\xB6\xDB\xD8\xB0\xC3\xDE\xB0\xC0\xCC\xA7\xB2\xD9", // ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ
                  msPMincho, "10", "clBlack", "clWindow"),
        designRow("\xB6\xDB\xD8\xB0\xD8\xBD\xC4", // ｶﾛﾘｰﾘｽﾄ
                  msPMincho, "10", "clBlack", "clWindow"),
        designRow("\xCF\xB2\x81\x45\xB6\xDB\xD8\xB0\xD8\xBD\xC4", // ﾏｲ・ｶﾛﾘｰﾘｽﾄ
                  "Tahoma", "8", "clBlack", "clWindow"),
        designRow("\xB6\xC3\xBA\xDE\xD8\xCA\xDF\xC8\xD9", // ｶﾃｺﾞﾘﾊﾟﾈﾙ
                  msPMincho, "10", "clWhite", "clNavy"),
        designRow("\x91\x8D\xB6\xDB\xD8\xB0\xCA\xDF\xC8\xD9", // 総ｶﾛﾘｰﾊﾟﾈﾙ
                  "Tahoma", "8", "clBlack", "clWindow"),
    };
}

int fontSizeFromText(const QString &text) {
    return parseIntText(QStringView(text)).value_or(10);
}

ListRow completeFontRow(const ListRows &rows, int index) {
    if (index < rows.size() && rows[index].size() >= fontRowFields)
        return rows[index];
    ListRow row = designFontRows().at(index < fontPartCount ? index : 0);
    if (index < rows.size() && !rows[index].isEmpty())
        row[0] = rows[index][0];
    return row;
}

ColorValue fontRowColor(const ListRows &rows, int index, int field, QString *problem) {
    const ListRow row = completeFontRow(rows, index);
    const QString text = sjis::decode(row[field]);
    try {
        return ColorFromText(text);
    } catch (const Error &e) {
        if (problem) {
            *problem =
                e.text() + QStringLiteral("。「%1」の%2は既定の色にします。")
                               .arg(sjis::decode(row[0]), field == 4 ? QStringLiteral("文字色")
                                                                     : QStringLiteral("背景色"));
        }
        const ListRow design = designFontRows().at(index < fontPartCount ? index : 0);
        return ColorFromText(sjis::decode(design[field]));
    }
}

FontSpec fontSpecFor(const ListRows &rows, int part, QStringList *problems) {
    const ListRow row = completeFontRow(rows, part);
    FontSpec partFont;
    partFont.family = sjis::decode(row[1]);
    partFont.pointSize = parseIntText(QByteArrayView(row[2])).value_or(10);
    partFont.style = IntToFontStyle(parseIntText(QByteArrayView(row[3])).value_or(0));
    for (const int field : {4, 5}) {
        QString problem;
        (field == 4 ? partFont.color : partFont.background) =
            fontRowColor(rows, part, field, &problem);
        if (problems && !problem.isEmpty())
            problems->append(problem);
    }
    return partFont;
}

ListRow fontRowWith(const ListRow &row, const FontSpec &partFont) {
    const auto stored = [&](int field) { return sjis::decode(row.value(field)); };
    // A number or colour the dialog left as it was keeps the text it was stored as.
    const auto number = [&](int field, int value) {
        const std::optional<int> old = parseIntText(QByteArrayView(row.value(field)));
        return old == value ? stored(field) : QString::number(value);
    };
    const auto color = [&](int field, ColorValue value) {
        try {
            if (ColorFromText(stored(field)) == value)
                return stored(field);
        } catch (const Error &) {
        }
        return ColorText(value);
    };
    return editedRow(row, {stored(0), partFont.family, number(2, partFont.pointSize),
                           number(3, FontStyleToInt(partFont.style)), color(4, partFont.color),
                           color(5, partFont.background)});
}

} // namespace zk
