#include "settings/ui/colorcircle.h"

#include "common/ui/windowprompt.h"
#include "settings/ui/colorpalette.h"

#include <QColor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zk {

ColorCircle::ColorCircle(QWidget *parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ColorCircle::setColor(ColorValue color) {
    if (color == m_color)
        return;
    m_color = color;
    update();
    Q_EMIT colorChanged(color);
}

void ColorCircle::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int d = std::min(width(), height()) - 3;
    const QRectF r((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    p.setPen(QPen(hasFocus() ? palette().color(QPalette::Highlight) : Qt::black, 1));
    const QColor c = toQColor(m_color);
    p.setBrush(c.isValid() ? QBrush(c) : QBrush(Qt::NoBrush));
    p.drawEllipse(r);
}

void ColorCircle::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        choose();
}

void ColorCircle::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Space)
        choose();
    else
        QWidget::keyPressEvent(event);
}

void ColorCircle::choose() {
    if (const std::optional<QColor> chosen = WindowPrompt::of(this).color(toQColor(m_color)))
        setColor(fromQColor(*chosen));
}

} // namespace zk
