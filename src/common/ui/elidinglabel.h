#pragma once

#include <QLabel>

namespace zk {

// A one-line plain-text label that, when narrower than its text, ends the
// text with "…" instead of cutting it off, and shows it whole as a tooltip.
// text() and what a screen reader is told stay the whole text.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
};

} // namespace zk
