#include "records/ui/intakecsvdialog.h"

#include "common/csv.h"
#include "common/platform.h"
#include "common/savefile.h"
#include "common/ui/datepicker.h"
#include "common/ui/dialogbuttons.h"
#include "common/ui/guard.h"
#include "common/ui/windowprompt.h"
#include "records/csvexport.h"
#include "records/intakediary.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zk {

IntakeCsvDialog::IntakeCsvDialog(QDate from, QDate to, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("IntakeCsv"));
    setWindowTitle(QStringLiteral("摂取記録をCSVで保存"));

    auto *Label1 = new QLabel(QStringLiteral("保存する期間(&P)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    dtpFrom = newDatePicker(QStringLiteral("dtpFrom"), from, this);
    dtpFrom->setAccessibleName(QStringLiteral("最初の日付"));
    Label1->setBuddy(dtpFrom);
    auto *Label2 = new QLabel(QStringLiteral("から、"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    dtpTo = newDatePicker(QStringLiteral("dtpTo"), to, this);
    dtpTo->setAccessibleName(QStringLiteral("最後の日付"));
    auto *Label3 = new QLabel(QStringLiteral("まで"), this);
    Label3->setObjectName(QStringLiteral("Label3"));

    const DialogButtons buttons =
        okCancelHelpButtons(this, {}, {}, {.orientation = Qt::Horizontal, .named = true});
    btnOK = buttons.ok;
    btnCancel = buttons.cancel;

    auto *range = new QHBoxLayout;
    range->addWidget(dtpFrom);
    range->addWidget(Label2);
    range->addWidget(dtpTo);
    range->addWidget(Label3);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(range);
    layout->addSpacing(8);
    layout->addLayout(buttons.layout);
    setFixedSize(sizeHint());
    dtpFrom->setFocus();
}

QDate IntakeCsvDialog::from() const {
    return dtpFrom->date();
}

QDate IntakeCsvDialog::to() const {
    return dtpTo->date();
}

void saveIntakeCsv(QWidget *parent) {
    guarded(parent, [&] {
        const QList<QDate> days = IntakeDays();
        const QDate today = Regional::current().today();
        IntakeCsvDialog dialog(days.isEmpty() ? today : days.first(),
                               days.isEmpty() ? today : days.last(), parent);
        if (WindowPrompt::of(parent).exec(dialog) != QDialog::Accepted)
            return;
        const QList<QStringList> rows = IntakeCsvRows(dialog.from(), dialog.to());
        const std::optional<QString> path = WindowPrompt::of(parent).saveFileName(
            QStringLiteral("摂取記録をCSVで保存"), QStringLiteral("摂取記録.csv"),
            {QStringLiteral("CSV (*.csv)")});
        if (path)
            SaveStringToFile(*path, CsvFileBytes(rows));
    });
}

} // namespace zk
