#pragma once

#include "core/reports/lists/MonthSheet.h"

#include <memory>

namespace tk {

// The monthly detail sheet "Personal-Monatsliste (Detail)": the summary sheet with each
// day's time entries below its day row (from and to as clock text, the entry code as a
// word). Saturdays and Sundays without recorded time have no day row. A4 portrait, Arial
// 9 pt throughout.
class TReportAusw02 : public MonthSheet
{
public:
    // Opens the sheet's own day-record and time-entry tables; throws DbError when it cannot.
    TReportAusw02();
    ~TReportAusw02() override;

    // The time entries of the current day record (AuswPos, linked on PersonalNummer, Datum).
    Table *tblAuswPos = nullptr;

private:
    bool leavesOutDayRow() const;

    std::unique_ptr<Table> m_auswPos;
    std::unique_ptr<TableDataSource> m_entries;
};

} // namespace tk
