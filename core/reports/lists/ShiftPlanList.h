#pragma once

#include "core/reports/engine/Report.h"
#include "core/reports/engine/TableDataSource.h"

#include <memory>

namespace tk {

class Table;

// The shift plan list "Schichtplan Liste": every shift plan on a grey row, below it a block
// per day plan with working time, the three breaks, the target and the three overtime
// values as clock text. A4 portrait, Arial 10 pt (the blocks 8 pt). Takes no parameters.
class TReportSchi01
{
public:
    // Opens the list's own shift plan and day plan tables; throws DbError when it cannot.
    TReportSchi01();
    ~TReportSchi01();
    TReportSchi01(const TReportSchi01 &) = delete;
    TReportSchi01 &operator=(const TReportSchi01 &) = delete;

    Table *tblSchicht = nullptr; // every shift plan, by Schichtplan
    Table *tblTagplan = nullptr; // the day plans of the current shift plan

    Report &report() { return m_report; }
    ReportDocument generate() { return m_report.generate(); }

private:
    void buildBands();
    void buildDayPlanBlock(ReportBand &block);

    std::unique_ptr<Table> m_schicht;
    std::unique_ptr<Table> m_tagplan;
    TableDataSource m_plans;
    TableDataSource m_dayPlans;
    Report m_report;
};

} // namespace tk
