#pragma once

#include "app/intakereport.h"

#include <QWidget>

#include <functional>

class QChartView;
class QComboBox;
class QLabel;
class QPushButton;

namespace zk {

// The window "ﾚﾎﾟｰﾄ": a week or a month of the food diary at a time, its
// summary against the daily standard, a bar chart of the daily intake with
// the standard as a line, and the change of a record item; printed (or to
// PDF through the print dialog) and saved as CSV.
class TReport : public QWidget {
    Q_OBJECT
public:
    // `standard` gives the daily standard each time the report is made.
    explicit TReport(std::function<int()> standard, QWidget *parent = nullptr);

    // Shows the period holding today (the items listed anew) and raises the window.
    void showReport();
    const IntakeReport &report() const { return m_report; }

private:
    void refresh();
    void step(int periods);
    void btnPrintClick();
    void btnCsvClick();

    std::function<int()> m_standard;
    ReportRange m_range;
    IntakeReport m_report;
    QComboBox *cmbPeriod, *cmbItem;
    QPushButton *btnPrev, *btnNext, *btnThis;
    QLabel *lblRange, *lblSummary;
    QChartView *chtDays;
    QPushButton *btnPrint, *btnCsv, *btnClose;
};

} // namespace zk
