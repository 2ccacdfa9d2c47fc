#pragma once

class QWidget;

namespace zk {

// Centres a modeless window over its owner the first time it is shown; later
// showings keep wherever the user moved it.
void centreOnFirstShow(QWidget *window, const QWidget *owner);

} // namespace zk
