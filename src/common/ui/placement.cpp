#include "common/ui/placement.h"

#include <QWidget>

namespace zk {

void centreOnFirstShow(QWidget *window, const QWidget *owner) {
    static const char *const placed = "zkPlaced";
    if (!owner || window->property(placed).toBool())
        return;
    window->setProperty(placed, true);
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize(); // the size the first show would give it
    window->move(owner->window()->frameGeometry().center() - window->rect().center());
}

} // namespace zk
