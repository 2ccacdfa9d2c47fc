#include "records/ui/tfrmgraph.h"

#include "common/ui/dialogbuttons.h"
#include "common/ui/guard.h"
#include "common/ui/windowprompt.h"
#include "records/recorditemtable.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zk {

TfrmGraph::TfrmGraph(RecordItemTable &items, Mode mode, int row, QWidget *parent)
    : QDialog(parent)
    , txtItem(new QLineEdit)
    , cmbUnit(new QComboBox)
    , txtTarget(new QLineEdit)
    , m_items(items)
    , m_mode(mode)
    , m_row(row) {
    setObjectName(QStringLiteral("frmGraph"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("ｸﾞﾗﾌ") +
                   (mode == Mode::Add ? QStringLiteral("（追加）") : QStringLiteral("（変更）")));
    txtItem->setObjectName(QStringLiteral("txtItem"));
    cmbUnit->setObjectName(QStringLiteral("cmbUnit"));
    cmbUnit->setEditable(true);
    cmbUnit->setInsertPolicy(QComboBox::NoInsert);
    cmbUnit->addItems({QString(), QStringLiteral("%"), QStringLiteral("mm"), QStringLiteral("cm"),
                       QStringLiteral("m"), QStringLiteral("km"), QStringLiteral("mg"),
                       QStringLiteral("g"), QStringLiteral("kg"), QStringLiteral("cal"),
                       QStringLiteral("kcal")});
    cmbUnit->setEditText(QString());
    cmbUnit->setMinimumWidth(90);
    txtTarget->setObjectName(QStringLiteral("txtTarget"));

    auto *note = new QLabel(QStringLiteral("※単位と目標値は記述しなくても構いません。"));
    note->setObjectName(QStringLiteral("Label3"));
    QPalette navy = note->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
    note->setPalette(navy);
    auto *lblItem = new QLabel(QStringLiteral("項目(&I)"));
    lblItem->setObjectName(QStringLiteral("lblItem"));
    lblItem->setBuddy(txtItem);
    auto *label1 = new QLabel(QStringLiteral("単位(&U)"));
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setBuddy(cmbUnit);
    auto *label2 = new QLabel(QStringLiteral("目標値(&T)"));
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setBuddy(txtTarget);

    auto *grid = new QGridLayout(this);
    grid->addWidget(note, 0, 0, 1, 4);
    grid->addWidget(lblItem, 1, 0);
    grid->addWidget(txtItem, 1, 1, 1, 3);
    grid->addWidget(label1, 2, 0);
    grid->addWidget(cmbUnit, 2, 1);
    grid->addWidget(label2, 2, 2);
    grid->addWidget(txtTarget, 2, 3);
    // Made after the fields, which come first in the tab order.
    const DialogButtons buttons = okCancelHelpButtons(
        this, [this] { btnOKClick(); }, {}, {.orientation = Qt::Horizontal, .named = true});
    grid->addLayout(buttons.layout, 3, 0, 1, 4);
    setTabOrder(txtItem, cmbUnit);
    setTabOrder(cmbUnit, txtTarget);
    setTabOrder(txtTarget, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
    resize(363, 163);

    if (mode == Mode::Change && row >= 0 && row < items.rowCount()) {
        txtItem->setText(items.cellText(row, 0));
        cmbUnit->setEditText(items.cellText(row, 1));
        txtTarget->setText(items.cellText(row, 2));
    }
}

void TfrmGraph::btnOKClick() {
    const QString name = txtItem->text();
    const bool changing = m_mode == Mode::Change && m_row >= 0 && m_row < m_items.rowCount();
    // A name the user left as it was needs no check: it may hold bytes that
    // are not valid CP932, which stay as they are.
    const bool nameKept = changing && !name.isEmpty() && name == m_items.cellText(m_row, 0);
    if (const QString refusal = nameKept ? QString() : m_items.refusal(name, m_mode == Mode::Add);
        !refusal.isEmpty()) {
        WindowPrompt::of(this).message(refusal);
        return;
    }
    const bool done = guarded(this, [&] {
        const QStringList texts{name, cmbUnit->currentText(), txtTarget->text()};
        if (m_mode == Mode::Add)
            m_row = m_items.addItem(editedRow({}, texts));
        else if (changing)
            m_row = m_items.changeItem(m_row, editedRow(m_items.row(m_row), texts));
    });
    if (done)
        accept();
}

} // namespace zk
