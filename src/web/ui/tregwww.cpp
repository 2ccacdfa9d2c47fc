#include "web/ui/tregwww.h"

#include "common/listtable.h"
#include "common/ui/guard.h"
#include "common/ui/helptopics.h"
#include "common/ui/windowprompt.h"
#include "web/websitelist.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zk {

TRegWWW::TRegWWW(ListTableModel &sites, int row, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
    , m_sites(sites)
    , m_row(row) {
    setObjectName(QStringLiteral("RegWWW"));
    setWindowTitle(QStringLiteral("ｲﾝﾀｰﾈｯﾄｻｲﾄの編集"));

    auto *lblSite = new QLabel(QStringLiteral("ｻｲﾄ名(&S) : ﾒﾆｭｰに登録されるｱｲﾃﾑ名です..."), this);
    lblSite->setObjectName(QStringLiteral("lblSite"));
    txtSite = new QLineEdit(this);
    txtSite->setObjectName(QStringLiteral("txtSite"));
    lblSite->setBuddy(txtSite);
    auto *lblURL = new QLabel(QStringLiteral("URL(&U)"), this);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    txtURL = new QLineEdit(QStringLiteral("http://"), this);
    txtURL->setObjectName(QStringLiteral("txtURL"));
    lblURL->setBuddy(txtURL);
    if (row >= 0) {
        txtSite->setText(sites.cellText(row, WebSites::Name));
        txtURL->setText(sites.cellText(row, WebSites::Address));
    }

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);
    btnHelp = new QPushButton(QStringLiteral("&Help"), this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnHelp->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnHelp);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblSite);
    layout->addWidget(txtSite);
    layout->addSpacing(6);
    layout->addWidget(lblURL);
    layout->addWidget(txtURL);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    resize(360, sizeHint().height());

    connect(btnOK, &QPushButton::clicked, this, &TRegWWW::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TRegWWW::reject);
    connect(btnHelp, &QPushButton::clicked, this, [] { HelpTopics::showTopic(9); });
}

void TRegWWW::btnOKClick() {
    const QString problem = WebSites::problem(txtSite->text(), txtURL->text());
    if (!problem.isEmpty()) {
        WindowPrompt::of(this).message(problem);
    } else if (!guarded(this, [&] {
                   WebSites::store(m_sites, m_row, txtSite->text(), txtURL->text());
               })) {
        // A character Shift-JIS cannot hold: keep the text for correction.
        return;
    }
    accept();
}

} // namespace zk
