#include "records/ui/tfrmdayrec.h"

#include "common/listtable.h"
#include "common/platform.h"
#include "common/sjis.h"
#include "common/ui/datepicker.h"
#include "common/ui/dialogbuttons.h"
#include "common/ui/fonts.h"
#include "common/ui/guard.h"
#include "records/datetext.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zk {

TfrmDayRec::TfrmDayRec(const QByteArray &name, const QString &key, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_name(name) {
    setObjectName(QStringLiteral("frmDayRec"));
    setWindowTitle(QStringLiteral("日々の記録（追加）"));
    setFixedSize(249, 185);

    auto *Label1 = new QLabel(QStringLiteral("日付(&D)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    dtp = newDatePicker(QStringLiteral("dtp"), Regional::current().today(), this);
    Label1->setBuddy(dtp);

    lblKey = new QLabel(key, this);
    lblKey->setObjectName(QStringLiteral("lblKey"));
    lblKey->setTextFormat(Qt::PlainText); // the user's item name
    txtValue = new QLineEdit(this);
    txtValue->setObjectName(QStringLiteral("txtValue"));
    txtValue->setAccessibleName(key);
    lblKey->setBuddy(txtValue);
    // Typed text is filtered key by key; an input method would bypass that.
    txtValue->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtValue->installEventFilter(this);
    auto *Label2 = new QLabel(QStringLiteral("（単位不要）"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(designFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    Label2->setStyleSheet(QStringLiteral("color: #000080;"));

    const DialogButtons buttons = okCancelHelpButtons(
        this, [this] { btnOKClick(); }, {}, {.orientation = Qt::Horizontal, .named = true});
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;

    auto *fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(dtp, 1, 0, 1, 2);
    fields->addWidget(lblKey, 2, 0, 1, 2);
    fields->addWidget(txtValue, 3, 0);
    fields->addWidget(Label2, 3, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons.layout);

    txtValue->setFocus();
}

void TfrmDayRec::setChange(const QByteArray &date, const QByteArray &value) {
    dtp->setDate(ParseDateText(date));
    m_mode = EntryMode::Change;
    m_changeDate = date;
    m_changeValue = value;
    setWindowTitle(QStringLiteral("日々の記録（変更）"));
    txtValue->setText(sjis::decode(value));
    dtp->setEnabled(false);
    QPalette palette = dtp->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    dtp->setPalette(palette);
}

bool TfrmDayRec::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtValue && event->type() == QEvent::KeyPress) {
        // Typed characters other than digits, "." and Backspace are dropped;
        // editing keys and shortcuts (which type control characters) pass.
        const QString text = static_cast<QKeyEvent *>(event)->text();
        if (text.size() == 1 && text[0].isPrint() && !(text[0] >= u'0' && text[0] <= u'9') &&
            text[0] != u'.')
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

QByteArray TfrmDayRec::valueBytes() const {
    const ListRow stored = m_mode == EntryMode::Change ? ListRow{m_changeValue} : ListRow{};
    return editedRow(stored, {txtValue->text()}).first();
}

void TfrmDayRec::btnOKClick() {
    EntryOutcome outcome = EntryOutcome::Kept;
    guarded(this, [&] {
        const QByteArray date =
            m_mode == EntryMode::Change ? m_changeDate : FormatDateText(dtp->date());
        outcome = WriteDayRecValue(WindowPrompt::of(this), m_name, lblKey->text(), m_mode, date,
                                   valueBytes());
    });
    if (outcome == EntryOutcome::Saved) {
        Q_EMIT recordWritten();
        accept();
    } else if (outcome == EntryOutcome::Refused) {
        reject();
    }
}

} // namespace zk
