#include "settings/fontrows.h"

#include "common/sjis.h"
#include "settings/inttext.h"

namespace zk {

namespace {

ListRow designRow(const char *part, const char *font, const char *size, const char *color,
                  const char *background) {
    return {sjis::encode(QString::fromUtf8(part)),
            sjis::encode(QString::fromUtf8(font)),
            QByteArray(size),
            QByteArray("0"),
            QByteArray(color),
            QByteArray(background)};
}

} // namespace

FontStyle IntToFontStyle(int style) {
    return {(style & 1) != 0, (style & 2) != 0, (style & 4) != 0};
}

int FontStyleToInt(const FontStyle &style) {
    return (style.bold ? 1 : 0) + (style.italic ? 2 : 0) + (style.underline ? 4 : 0);
}

ListRows designFontRows() {
    return {
        designRow("ｶﾛﾘｰﾃﾞｰﾀﾌｧｲﾙ", "ＭＳ Ｐ明朝", "10", "clBlack", "clWindow"),
        designRow("ｶﾛﾘｰﾘｽﾄ", "ＭＳ Ｐ明朝", "10", "clBlack", "clWindow"),
        designRow("ﾏｲ・ｶﾛﾘｰﾘｽﾄ", "Tahoma", "8", "clBlack", "clWindow"),
        designRow("ｶﾃｺﾞﾘﾊﾟﾈﾙ", "ＭＳ Ｐ明朝", "10", "clWhite", "clNavy"),
        designRow("総ｶﾛﾘｰﾊﾟﾈﾙ", "Tahoma", "8", "clBlack", "clWindow"),
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

FontSpec fontSpecFor(const ListRows &rows, int part) {
    const ListRow row = completeFontRow(rows, part);
    FontSpec partFont;
    partFont.family = sjis::decode(row[1]);
    partFont.pointSize = parseIntText(QByteArrayView(row[2])).value_or(10);
    partFont.style = IntToFontStyle(parseIntText(QByteArrayView(row[3])).value_or(0));
    partFont.color = ColorFromText(sjis::decode(row[4]));
    partFont.background = ColorFromText(sjis::decode(row[5]));
    return partFont;
}

ListRow fontRowWith(const ListRow &row, const FontSpec &partFont) {
    ListRow out = row;
    while (out.size() < fontRowFields)
        out.append(QByteArray());
    out[1] = sjis::encode(partFont.family);
    out[2] = QByteArray::number(partFont.pointSize);
    out[3] = QByteArray::number(FontStyleToInt(partFont.style));
    out[4] = ColorText(partFont.color).toLatin1();
    out[5] = ColorText(partFont.background).toLatin1();
    return out;
}

} // namespace zk
