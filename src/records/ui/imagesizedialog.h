#pragma once

#include <QDialog>
#include <QSize>

class QSpinBox;

namespace zk {

// "画像の大きさ": the width and height in pixels of a saved graph picture,
// offered as the graph is shown.
class ImageSizeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int Smallest = 100;
    static constexpr int Largest = 8000;

    explicit ImageSizeDialog(QSize shown, QWidget *parent = nullptr);

    QSize chosenSize() const;

private:
    QSpinBox *updWidth;
    QSpinBox *updHeight;
};

} // namespace zk
