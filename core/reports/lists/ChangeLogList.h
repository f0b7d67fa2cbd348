#pragma once

#include "core/reports/engine/Report.h"

#include <QDate>

namespace tk {

// The list "Änderungsprotokoll": the changes made in a month (of one employee, or all), a line
// each with time, user and workstation, table and key, field, old and new value and reason.
// A4 landscape, Arial 8 pt. A month without changes has no pages. Read anew at every
// generation.
class ChangeLogList
{
public:
    ChangeLogList();

    void setMonth(const QDate &firstDay);
    // 0: every employee and the master data.
    void setEmployee(int personalNummer) { m_employee = personalNummer; }

    Report &report() { return m_report; }
    ReportDocument generate() { return m_report.generate(); }

private:
    void buildBands();
    void readChanges();

    MemoryDataSource m_rows;
    Report m_report;
    QDate m_month;
    int m_employee = 0;
    int m_count = 0;
};

} // namespace tk
