#include "records/ui/imagesizedialog.h"

#include "common/ui/dialogbuttons.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zk {

ImageSizeDialog::ImageSizeDialog(QSize shown, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ImageSize"));
    setWindowTitle(QStringLiteral("画像の大きさ"));

    const auto field = [this](const char *name, const QString &accessible, int value) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(accessible);
        box->setRange(Smallest, Largest);
        box->setValue(value);
        return box;
    };
    updWidth = field("updWidth", QStringLiteral("幅"), shown.width());
    updHeight = field("updHeight", QStringLiteral("高さ"), shown.height());
    auto *grid = new QGridLayout;
    int row = 0;
    for (const auto &[caption, box] : {std::pair(QStringLiteral("幅(&W)"), updWidth),
                                       std::pair(QStringLiteral("高さ(&H)"), updHeight)}) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("ピクセル"), this), row, 2);
        ++row;
    }

    const DialogButtons buttons =
        okCancelHelpButtons(this, {}, {}, {.orientation = Qt::Horizontal, .named = true});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons.layout);
    setFixedSize(sizeHint());
    updWidth->setFocus();
    updWidth->selectAll();
}

QSize ImageSizeDialog::chosenSize() const {
    return {updWidth->value(), updHeight->value()};
}

} // namespace zk
