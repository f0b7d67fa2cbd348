#pragma once

#include "core/reports/lists/MonthSheet.h"

namespace tk {

// The monthly summary sheet "Personal-Monatsliste (Summen)": one employee's day records of
// a period, one row per day in decimal hours, week sums after every Sunday and after the
// period end, and the period total. A4 portrait, Arial 9 pt (the total row 10 pt).
class TReportAusw01 : public MonthSheet
{
public:
    // Opens the sheet's own day-record table; throws DbError when it cannot.
    TReportAusw01();
};

} // namespace tk
