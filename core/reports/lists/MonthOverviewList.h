#pragma once

#include "core/recording/MonthOverview.h"
#include "core/reports/engine/Report.h"

namespace tk {

// The list "Monatsübersicht": the month overview on A4 landscape, a row per employee with
// the code letter of each day in its colour ("fehlt" for a missing working day), the missing
// days at the end of the row, a row with the number absent per day, and a legend. The letters
// make the sheet readable in black and white. The month is read anew at every generation.
class MonthOverviewList
{
public:
    MonthOverviewList();

    // The first day of the selected month.
    void setMonth(const QDate &firstDay);
    // The day up to which a working day without entries counts as missing (default: today).
    void setToday(const QDate &today) { m_today = today; }

    Report &report() { return m_report; }
    // Throws DbError when the tables cannot be read.
    ReportDocument generate() { return m_report.generate(); }

private:
    void buildBands();
    void buildLegend(ReportBand &legend);
    void readMonth();
    QString dayField(int day) const;

    MemoryDataSource m_rows;
    Report m_report;
    QDate m_month;
    QDate m_today;
    MonthOverview m_overview;
    int m_row = 0; // the employee the detail band prints
};

} // namespace tk
