#include "common/ui/datepicker.h"

#include "common/platform.h"

#include <QDateEdit>

namespace zk {

QDateEdit *newDatePicker(const QString &name, QDate date, QWidget *parent) {
    auto *picker = new QDateEdit(date, parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    // The calendar takes the picker's locale when it is made, at its first
    // opening: made here it would cost the start of every window with a date.
    picker->setLocale(japanese);
    // Set after the locale, which would otherwise bring its own pattern.
    picker->setDisplayFormat(Regional::current().shortDatePattern());
    return picker;
}

} // namespace zk
