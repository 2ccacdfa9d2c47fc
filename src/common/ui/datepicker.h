#pragma once

#include <QDate>

class QDateEdit;
class QString;
class QWidget;

namespace zk {

// A date picker of the diary and graph windows: the user's short date
// pattern, and a drop-down calendar that names months and weekdays in
// Japanese whatever the system's locale.
QDateEdit *newDatePicker(const QString &name, QDate date, QWidget *parent);

} // namespace zk
