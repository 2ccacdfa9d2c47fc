#include "common/ui/datepicker.h"

#include "common/platform.h"

#include <QCalendarWidget>
#include <QDateEdit>

namespace zk {

QDateEdit *newDatePicker(const QString &name, QDate date, QWidget *parent) {
    auto *picker = new QDateEdit(date, parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    picker->setLocale(japanese);
    picker->calendarWidget()->setLocale(japanese);
    // Set after the locale, which would otherwise bring its own pattern.
    picker->setDisplayFormat(Regional::current().shortDatePattern());
    return picker;
}

} // namespace zk
