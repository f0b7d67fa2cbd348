#pragma once

#include "core/recording/MonthSheetCounters.h"
#include "core/reports/engine/Report.h"
#include "core/reports/engine/TableDataSource.h"
#include "core/reports/engine/TextMeasure.h"

#include <QDate>

#include <memory>

namespace tk {

class Table;

// The gross wage list "Auswertung: Bruttolohn": for one month, a row per employee with the
// sums of the employee's own evaluation period in decimal hours, the hourly rate and the
// gross wage, and a sum row with the employee count and the grand totals. A4 landscape,
// Arial 10 pt. Employees whose periods start on the 1st and on the 16th mix in one list.
//
// A row whose hourly rate is not a finite number of 0 or more, or one of whose sums or gross
// wage does not fit its column, is printed without its numbers and marked invalid with the
// reason after the name; it adds nothing to the grand totals.
class TReportAusw03
{
public:
    // Opens the list's own employee and day-record tables; throws DbError when it cannot.
    TReportAusw03();
    ~TReportAusw03();
    TReportAusw03(const TReportAusw03 &) = delete;
    TReportAusw03 &operator=(const TReportAusw03 &) = delete;

    Table *tblPersonal = nullptr; // every employee, by PersonalNummer
    Table *tblAuswert = nullptr;  // restricted anew for each employee

    // The first day of the selected month; year and month are taken from it.
    void setMonth(const QDate &firstDay);

    Report &report() { return m_report; }
    // Throws DateEncodingError for an employee whose period cannot be formed.
    ReportDocument generate() { return m_report.generate(); }

    // The columns and counting rules of the monthly sheets' total row, in minutes.
    using Sums = MonthSheetCounters::Values;
    static constexpr int SumCount = MonthSheetCounters::ColumnCount;

private:
    void buildBands();
    void addSumCells(ReportBand &band, const QString &prefix, bool grand);
    void setSumCells(ReportBand &band, const QString &prefix, const Sums &sums);
    // Why the current employee's row cannot be printed with its numbers; empty when it can.
    QString invalidReason(double rate);
    bool fitsColumn(const QString &text, double width);
    void resetTotals();
    // Sums the current employee's evaluation period into the employee sums and gross.
    void sumCurrentEmployee();

    std::unique_ptr<Table> m_personal;
    std::unique_ptr<Table> m_auswert;
    TableDataSource m_employees;
    Report m_report;
    QDate m_month;

    int m_count = 0;
    Sums m_sums{};
    double m_gross = 0.0;
    Sums m_grandSums{};
    double m_grandGross = 0.0;
    bool m_rowInvalid = false;
    TextMeasure m_measure;
};

} // namespace tk
