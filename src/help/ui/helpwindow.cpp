#include "help/ui/helpwindow.h"

#include "common/ui/fonts.h"
#include "help/helpfiles.h"

#include <QBoxLayout>
#include <QTextBrowser>
#include <QToolButton>

namespace zk {

namespace {

QToolButton *navButton(const QString &name, const QString &caption, QWidget *parent) {
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setAutoRaise(true);
    return button;
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("ﾍﾙﾌﾟ"));
    // An open help window must not keep the program running after its main window closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);

    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setAccessibleName(QStringLiteral("ﾍﾙﾌﾟ"));
    txtHelp->setFont(designFont(QStringLiteral("ＭＳ Ｐゴシック"), 14));
    txtHelp->setOpenExternalLinks(true);

    btnBack = navButton(QStringLiteral("btnBack"), QStringLiteral("戻る(&B)"), this);
    btnForward = navButton(QStringLiteral("btnForward"), QStringLiteral("進む(&F)"), this);
    btnContents = navButton(QStringLiteral("btnContents"), QStringLiteral("目次(&C)"), this);
    btnBack->setEnabled(false);
    btnForward->setEnabled(false);

    auto *bar = new QHBoxLayout;
    bar->addWidget(btnContents);
    bar->addWidget(btnBack);
    bar->addWidget(btnForward);
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(txtHelp);
    resize(560, 520);

    connect(btnBack, &QToolButton::clicked, txtHelp, &QTextBrowser::backward);
    connect(btnForward, &QToolButton::clicked, txtHelp, &QTextBrowser::forward);
    connect(btnContents, &QToolButton::clicked, this,
            [this] { showPage(HelpFiles::contentsUrl()); });
    connect(txtHelp, &QTextBrowser::backwardAvailable, btnBack, &QToolButton::setEnabled);
    connect(txtHelp, &QTextBrowser::forwardAvailable, btnForward, &QToolButton::setEnabled);
    connect(txtHelp, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = txtHelp->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("ﾍﾙﾌﾟ") : title);
    });
}

void HelpWindow::showPage(const QUrl &page) {
    txtHelp->setSource(page);
    // A topic set's page opened again lands on the requested section.
    if (!page.fragment().isEmpty())
        txtHelp->scrollToAnchor(page.fragment());
}

} // namespace zk
