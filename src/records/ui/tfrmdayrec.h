#pragma once

#include "records/dayrecentry.h"

#include <QByteArray>
#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zk {

// The entry dialog of the diary: one value of one item for one date.
class TfrmDayRec : public QDialog {
    Q_OBJECT
public:
    // `name` selects the record file, `key` (the item entry) names the item.
    TfrmDayRec(const QByteArray &name, const QString &key, QWidget *parent = nullptr);

    // Change mode for a listed row: the date is the row's and cannot be
    // changed. Throws when the row's date text is not a date.
    void setChange(const QByteArray &date, const QByteArray &value);
    EntryMode mode() const { return m_mode; }

Q_SIGNALS:
    // The record file was rewritten; the diary shows it again.
    void recordWritten();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void btnOKClick();
    QByteArray valueBytes() const;

    QDateEdit *dtp;
    QLabel *lblKey;
    QLineEdit *txtValue;
    QPushButton *btnOK;
    QPushButton *btnCancel;

    QByteArray m_name;
    EntryMode m_mode = EntryMode::Add;
    QByteArray m_changeDate;
    QByteArray m_changeValue;
};

} // namespace zk
