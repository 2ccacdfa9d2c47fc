#include "help/ui/taboutbox.h"

#include "common/platform.h"
#include "common/ui/fonts.h"
#include "help/helpfiles.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace zk {

namespace {

const QColor linkBlue(0, 0, 255);
const QColor linkRed(255, 0, 0);

void setTextColor(QLabel *label, const QColor &color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QFrame *separator(QWidget *parent) {
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// The product's picture: a navy tile with a white "Z".
QPixmap productPicture() {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    painter.setPen(Qt::white);
    QFont font = designFont(QStringLiteral("Tahoma"), 22, true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("Z"));
    return picture;
}

QLabel *plain(const QString &text, QWidget *parent, bool bold = false) {
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_memory(freePhysicalMemory) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setFixedSize(414, 253);
    setCursor(Qt::CrossCursor);
    setFont(designFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    auto *box = new QFrame(this);
    box->setFrameShape(QFrame::Box);

    auto *icon = new QLabel(box);
    icon->setPixmap(productPicture());
    icon->setFixedSize(32, 32);
    auto *product = plain(QStringLiteral("Zenkarta"), box, true);
    product->setObjectName(QStringLiteral("lblProduct"));
    product->setFont(designFont(QStringLiteral("ＭＳ Ｐゴシック"), 20, true));
    setTextColor(product, QColor(0, 0, 128));
    auto *title = new QHBoxLayout;
    title->addWidget(icon);
    title->addSpacing(8);
    title->addWidget(product);
    title->addStretch();

    auto *credits = new QVBoxLayout;
    credits->setSpacing(2);
    credits->addWidget(plain(QStringLiteral("Special Thanks :"), box, true));
    const struct {
        const char *name;
        QString text;
        QString address;
        QString source;
    } thanks[] = {
        {"lblURLQt", QStringLiteral("Qt 6"), QStringLiteral("https://www.qt.io/"),
         QStringLiteral("The Qt Company")},
        {"lblURLIpaFont", QStringLiteral("IPAフォント"),
         QStringLiteral("https://moji.or.jp/ipafont/"), QStringLiteral("情報処理推進機構")},
        {"lblURLFoodTable", QStringLiteral("日本食品標準成分表2020年版（八訂）"),
         QStringLiteral("https://www.mext.go.jp/a_menu/syokuhinseibun/mext_01110.html"),
         QStringLiteral("文部科学省")},
    };
    for (const auto &entry : thanks) {
        auto *credit = new QHBoxLayout;
        credit->setContentsMargins(16, 0, 0, 0);
        credit->setSpacing(10);
        credit->addWidget(addLink(QLatin1String(entry.name), entry.text, entry.address));
        credit->addWidget(plain(entry.source, box));
        credit->addStretch();
        credits->addLayout(credit);
    }
    // The calorie tables are made from the food composition table, which asks
    // to be cited so.
    auto *foodSource = plain(
        QStringLiteral("日本食品標準成分表2020年版（八訂）（文部科学省）を加工して作成"), box);
    foodSource->setObjectName(QStringLiteral("lblFoodTableSource"));
    foodSource->setWordWrap(true);
    foodSource->setContentsMargins(16, 0, 0, 0);
    credits->addWidget(foodSource);

    auto *memory = new QHBoxLayout;
    memory->addWidget(plain(QStringLiteral("Memory Available :"), box, true));
    lblMemory = plain(QString(), box);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    memory->addWidget(lblMemory, 1);

    auto *copyright =
        plain(QStringLiteral("Copyright (C) 2026 Zenkarta の開発者. All rights reserved."), box);

    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->addLayout(title);
    layout->addWidget(separator(box));
    layout->addLayout(credits);
    layout->addWidget(separator(box));
    layout->addLayout(memory);
    layout->addWidget(separator(box));
    layout->addWidget(copyright);
    layout->addStretch();
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(box);

    // Plain texts and the background pass their clicks and the mouse to the box.
    for (QWidget *child : findChildren<QWidget *>()) {
        child->installEventFilter(this);
        child->setMouseTracking(true);
    }

    tmrMemory = new QTimer(this);
    tmrMemory->setObjectName(QStringLiteral("tmrMemory"));
    tmrMemory->setInterval(RefreshMs);
    connect(tmrMemory, &QTimer::timeout, this, &TAboutBox::tmrMemoryTimer);
    tmrMemory->start();
}

QLabel *TAboutBox::addLink(const QString &name, const QString &text, const QString &address) {
    auto *link = plain(text, this);
    link->setObjectName(name);
    link->setToolTip(address);
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    setTextColor(link, linkBlue);
    m_links.insert(link, address);
    return link;
}

void TAboutBox::tmrMemoryTimer() {
    lblMemory->setText(memoryText(m_memory()));
}

void TAboutBox::highlight(QLabel *hovered) {
    for (auto it = m_links.cbegin(); it != m_links.cend(); ++it)
        setTextColor(it.key(), it.key() == hovered ? linkRed : linkBlue);
}

QLabel *TAboutBox::linkAt(const QPoint &globalPos) const {
    for (auto it = m_links.cbegin(); it != m_links.cend(); ++it) {
        if (it.key()->rect().contains(it.key()->mapFromGlobal(globalPos)))
            return it.key();
    }
    return nullptr;
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event) {
    auto *label = qobject_cast<QLabel *>(watched);
    const bool isLink = label && m_links.contains(label);
    switch (event->type()) {
    case QEvent::Enter:
        highlight(isLink ? label : nullptr);
        break;
    case QEvent::MouseMove:
        // A label passes the move on to the box behind it; what counts is
        // where the mouse is, not which widget saw the event.
        highlight(linkAt(static_cast<QMouseEvent *>(event)->globalPosition().toPoint()));
        break;
    case QEvent::Leave:
        if (isLink)
            highlight(nullptr);
        break;
    case QEvent::MouseButtonRelease:
        if (isLink) {
            Q_EMIT addressClicked(m_links.value(label));
        } else {
            accept();
        }
        return true;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::mouseReleaseEvent(QMouseEvent *event) {
    event->accept();
    accept();
}

} // namespace zk
