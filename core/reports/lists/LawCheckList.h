#pragma once

#include "core/reports/engine/Report.h"

#include <QDate>

namespace tk {

// The list "Arbeitszeitprüfung": for one month, the working-time findings of every employee's
// evaluation period, under a heading line per employee, each with its date, rule and text,
// and the number of findings at the end. A4 portrait, Arial 10 pt. An employee who cannot be
// checked gets a line with the reason. Employees without findings are left out; a month
// without any findings has no pages. The findings are computed anew at every generation.
class LawCheckList
{
public:
    LawCheckList();

    // The first day of the selected month; year and month are taken from it.
    void setMonth(const QDate &firstDay);

    Report &report() { return m_report; }
    // Throws DbError when the tables cannot be read.
    ReportDocument generate() { return m_report.generate(); }

private:
    void buildBands();
    void readFindings();

    MemoryDataSource m_findings;
    Report m_report;
    QDate m_month;
    int m_count = 0;
};

} // namespace tk
