#include "settings/ui/teditcaldata.h"

#include "common/error.h"
#include "common/sjis.h"
#include "common/ui/dialogbuttons.h"
#include "common/ui/windowprompt.h"
#include "settings/standardcalorie.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace zk {

TEditCalData::TEditCalData(Mode mode, QWidget *parent)
    : QDialog(parent)
    , txtTitle(new QLineEdit)
    , updStandardCalory(new QSpinBox) {
    setObjectName(QStringLiteral("EditCalData"));
    setWindowTitle(QStringLiteral("基準ｶﾛﾘｰの編集") +
                   (mode == Mode::Add ? QStringLiteral("(追加)") : QStringLiteral("(変更)")));
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    updStandardCalory->setObjectName(QStringLiteral("updStandardCalory"));
    updStandardCalory->findChild<QLineEdit *>()->setObjectName(QStringLiteral("txtStandardCalory"));
    // "1,000" whatever the user's locale.
    QLocale grouped = QLocale::c();
    grouped.setNumberOptions({});
    updStandardCalory->setLocale(grouped);
    updStandardCalory->setGroupSeparatorShown(true);
    updStandardCalory->setRange(0, dailyStandardMax);
    updStandardCalory->setValue(1000);
    updStandardCalory->setAlignment(Qt::AlignRight);

    auto *titleLabel = new QLabel(QStringLiteral("ﾀｲﾄﾙ(&T)"));
    titleLabel->setBuddy(txtTitle);
    auto *valueLabel = new QLabel(QStringLiteral("基準ｶﾛﾘｰの設定(&S)"));
    valueLabel->setBuddy(updStandardCalory);
    auto *fields = new QGridLayout;
    fields->addWidget(titleLabel, 0, 0, 1, 2);
    fields->addWidget(txtTitle, 1, 0, 1, 2);
    fields->addWidget(valueLabel, 2, 0, 1, 2);
    fields->addWidget(updStandardCalory, 3, 0);
    fields->addWidget(new QLabel(QStringLiteral("kcal")), 3, 1);
    fields->setRowStretch(4, 1);

    const DialogButtons buttons =
        okCancelHelpButtons(this, {}, [this] { Q_EMIT helpRequested(7); });

    auto *top = new QHBoxLayout(this);
    top->addLayout(fields, 1);
    top->addLayout(buttons.layout);
    resize(323, 179);
    // Typing goes to the title first, not to the button column built before it.
    setTabOrder(txtTitle, updStandardCalory);
    txtTitle->setFocus();
}

QString TEditCalData::title() const {
    return txtTitle->text();
}

int TEditCalData::calory() const {
    return updStandardCalory->value();
}

void TEditCalData::setLimit(const QString &title, int calory) {
    txtTitle->setText(title);
    updStandardCalory->setValue(calory);
}

void TEditCalData::accept() {
    if (txtTitle->text().isEmpty()) {
        WindowPrompt::of(this).message(QStringLiteral("タイトルを記入して下さい。"));
        return;
    }
    // A title that cannot be stored is refused here too, before anything typed is lost.
    try {
        sjis::encode(txtTitle->text());
    } catch (const Error &e) {
        WindowPrompt::of(this).error(e.text());
        return;
    }
    QDialog::accept();
}

} // namespace zk
