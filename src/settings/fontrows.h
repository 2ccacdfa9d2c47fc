#pragma once

#include "common/listtable.h"
#include "settings/colortext.h"

#include <QString>
#include <QStringList>

namespace zk {

// The five parts of the windows whose font and colours the font list sets;
// a row's position, not its caption, decides its part.
enum class FontPart { FileTree, CalorieTree, IntakeList, TitlePanel, TotalPanel };
constexpr int fontPartCount = 5;

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const FontStyle &, const FontStyle &) = default;
};

// Style number: bit 0 bold, bit 1 italic, bit 2 underline; other bits ignored.
FontStyle IntToFontStyle(int style);
int FontStyleToInt(const FontStyle &style);

// What one font row asks of its part.
struct FontSpec {
    QString family;
    int pointSize = 10;
    FontStyle style;
    ColorValue color = 0;
    ColorValue background = 0;
};

constexpr int fontRowFields = 6; // part, font, size, style, colour, background

// The design rows, standing when "setting/font.dat" does not exist.
ListRows designFontRows();

// The row at the index with all six fields: a missing or short row takes the
// design row of its part (the first part's beyond the fifth row), keeping
// its own caption.
ListRow completeFontRow(const ListRows &rows, int index);

// A colour cell (4: font colour, 5: background) of the row at the index. A
// text that is no colour gives the design colour of that cell, and the
// message saying so goes to *problem.
ColorValue fontRowColor(const ListRows &rows, int index, int field, QString *problem = nullptr);

// The font of a part from its complete row (see completeFontRow). A size
// that is not a number counts as 10, a style that is not a number as 0; a
// colour text that is no colour as the design colour, with its message
// appended to *problems.
FontSpec fontSpecFor(const ListRows &rows, int part, QStringList *problems = nullptr);
// The row of a font list as the font dialog leaves it: the cells whose value
// the dialog did not change keep their stored bytes.
ListRow fontRowWith(const ListRow &row, const FontSpec &partFont);

// A size text read as points: 10 when it is not a number.
int fontSizeFromText(const QString &text);

} // namespace zk
