#pragma once

#include "settings/colortext.h"

#include <QWidget>

namespace zk {

// A filled circle showing one colour of a font row. Releasing the left
// button over it (or Space while it has the focus) opens the colour chooser.
class ColorCircle : public QWidget {
    Q_OBJECT
public:
    explicit ColorCircle(QWidget *parent = nullptr);

    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);

    QSize sizeHint() const override { return {41, 41}; }

Q_SIGNALS:
    void colorChanged(zk::ColorValue color);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choose();
    ColorValue m_color = 0;
};

} // namespace zk
