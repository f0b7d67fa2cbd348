#pragma once

#include "core/reports/engine/Report.h"
#include "core/reports/engine/TableDataSource.h"

#include <memory>

namespace tk {

class Table;

// The personnel list "Personal Liste": the master data of every employee (also those who
// have left) in a three-line block, in PersonalNummer order. A4 portrait, Arial 10 pt.
// Takes no parameters and computes nothing.
class TReportPers01
{
public:
    // Opens the list's own employee table; throws DbError when it cannot.
    TReportPers01();
    ~TReportPers01();
    TReportPers01(const TReportPers01 &) = delete;
    TReportPers01 &operator=(const TReportPers01 &) = delete;

    Table *tblPersonal = nullptr;

    Report &report() { return m_report; }
    ReportDocument generate() { return m_report.generate(); }

private:
    void buildBands();

    std::unique_ptr<Table> m_personal;
    TableDataSource m_employees;
    Report m_report;
};

} // namespace tk
