#pragma once

#include <QDialog>
#include <QHash>

#include <functional>

class QLabel;
class QTimer;

namespace zk {

// "ﾊﾞｰｼﾞｮﾝ情報": a frameless white box with the product name, the credits as
// link labels, the free physical memory refreshed twice a second and the
// copyright line. A mouse release anywhere but on a link closes it.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    static constexpr int RefreshMs = 500;

    // Where the free memory comes from; zk::freePhysicalMemory unless replaced.
    void setMemorySource(std::function<quint64()> source) { m_memory = std::move(source); }

Q_SIGNALS:
    // A link was clicked; the box itself opens nothing.
    void addressClicked(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QLabel *addLink(const QString &name, const QString &text, const QString &address);
    void tmrMemoryTimer();
    void highlight(QLabel *hovered);
    QLabel *linkAt(const QPoint &globalPos) const;

    std::function<quint64()> m_memory;
    QHash<QLabel *, QString> m_links; // link label -> its address
    QLabel *lblMemory;
    QTimer *tmrMemory;
};

} // namespace zk
