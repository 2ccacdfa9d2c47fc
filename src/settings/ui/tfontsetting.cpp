#include "settings/ui/tfontsetting.h"

#include "common/ui/dialogbuttons.h"
#include "settings/ui/colorcircle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zk {

namespace {

QLabel *buddyLabel(const QString &text, QWidget *buddy) {
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TFontSetting::TFontSetting(QWidget *parent)
    : QDialog(parent)
    , cmbFont(new QComboBox)
    , cmbSize(new QComboBox)
    , chkBold(new QCheckBox(QStringLiteral("太字(&B)")))
    , chkItalic(new QCheckBox(QStringLiteral("斜体(&I)")))
    , chkUnderline(new QCheckBox(QStringLiteral("下線(&U)")))
    , shpColor(new ColorCircle)
    , shpBkColor(new ColorCircle) {
    setObjectName(QStringLiteral("FontSetting"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    cmbFont->setObjectName(QStringLiteral("cmbFont"));
    cmbFont->setEditable(true);
    cmbFont->setInsertPolicy(QComboBox::NoInsert);
    cmbFont->addItems(QFontDatabase::families());
    cmbFont->setEditText(QStringLiteral("ＭＳ Ｐ明朝"));
    cmbSize->setObjectName(QStringLiteral("cmbSize"));
    cmbSize->setEditable(true);
    cmbSize->setInsertPolicy(QComboBox::NoInsert);
    for (int size : {8, 9, 10, 11, 12, 14, 18, 20, 22, 24, 28, 36})
        cmbSize->addItem(QString::number(size));
    cmbSize->setEditText(QStringLiteral("10"));
    chkBold->setObjectName(QStringLiteral("chkBold"));
    chkItalic->setObjectName(QStringLiteral("chkItalic"));
    chkUnderline->setObjectName(QStringLiteral("chkUnderline"));
    shpColor->setObjectName(QStringLiteral("shpColor"));
    shpColor->setAccessibleName(QStringLiteral("文字色"));
    shpBkColor->setObjectName(QStringLiteral("shpBkColor"));
    shpBkColor->setAccessibleName(QStringLiteral("背景色"));

    auto *fields = new QGridLayout;
    fields->addWidget(buddyLabel(QStringLiteral("ﾌｫﾝﾄ(&F)"), cmbFont), 0, 0);
    fields->addWidget(cmbFont, 1, 0);
    fields->addWidget(buddyLabel(QStringLiteral("ｻｲｽﾞ(&S)"), cmbSize), 0, 1);
    fields->addWidget(cmbSize, 1, 1);
    fields->setColumnStretch(0, 3);
    fields->setColumnStretch(1, 1);

    auto *styles = new QGroupBox(QStringLiteral("ﾌｫﾝﾄｽﾀｲﾙ"));
    auto *styleLayout = new QHBoxLayout(styles);
    styleLayout->addWidget(chkBold);
    styleLayout->addWidget(chkItalic);
    styleLayout->addWidget(chkUnderline);

    auto *colors = new QHBoxLayout;
    colors->addWidget(buddyLabel(QStringLiteral("文字色(&C)"), shpColor));
    colors->addWidget(shpColor);
    colors->addSpacing(16);
    colors->addWidget(buddyLabel(QStringLiteral("背景色(&G)"), shpBkColor));
    colors->addWidget(shpBkColor);
    colors->addStretch();

    const DialogButtons buttons =
        okCancelHelpButtons(this, {}, [this] { Q_EMIT helpRequested(8); });

    auto *left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(styles);
    left->addLayout(colors);
    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons.layout);
    resize(389, 181);
}

void TFontSetting::setRow(const QString &partName, const QString &fontName, const QString &sizeText,
                          int style, ColorValue color, ColorValue background) {
    setWindowTitle(QStringLiteral("「%1」の設定").arg(partName));
    cmbFont->setEditText(fontName);
    cmbSize->setEditText(sizeText);
    const FontStyle s = IntToFontStyle(style);
    chkBold->setChecked(s.bold);
    chkItalic->setChecked(s.italic);
    chkUnderline->setChecked(s.underline);
    shpColor->setColor(color);
    shpBkColor->setColor(background);
}

FontSpec TFontSetting::partFont() const {
    FontSpec s;
    s.family =
        cmbFont->currentText().isEmpty() ? QStringLiteral("ＭＳ Ｐ明朝") : cmbFont->currentText();
    s.pointSize = fontSizeFromText(cmbSize->currentText());
    s.style = {chkBold->isChecked(), chkItalic->isChecked(), chkUnderline->isChecked()};
    s.color = shpColor->color();
    s.background = shpBkColor->color();
    return s;
}

} // namespace zk
