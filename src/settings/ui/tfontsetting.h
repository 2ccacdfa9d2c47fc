#pragma once

#include "settings/fontrows.h"

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace zk {

class ColorCircle;

// The font dialog of one font row: font name, size, style and the two colours.
class TFontSetting : public QDialog {
    Q_OBJECT
public:
    explicit TFontSetting(QWidget *parent = nullptr);

    // Fills the controls from a row's texts; the colours are already read.
    void setRow(const QString &partName, const QString &fontName, const QString &sizeText,
                int style, ColorValue color, ColorValue background);
    // What the dialog was confirmed with: an empty font name gives
    // "ＭＳ Ｐ明朝", a size that is not a number 10.
    FontSpec partFont() const;

Q_SIGNALS:
    void helpRequested(int context);

private:
    QComboBox *cmbFont;
    QComboBox *cmbSize;
    QCheckBox *chkBold;
    QCheckBox *chkItalic;
    QCheckBox *chkUnderline;
    ColorCircle *shpColor;
    ColorCircle *shpBkColor;
};

} // namespace zk
