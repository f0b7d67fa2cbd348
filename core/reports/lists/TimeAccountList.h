#pragma once

#include "core/recording/TimeAccount.h"
#include "core/reports/engine/Report.h"

#include <QDate>

namespace tk {

// The list "Zeitkonto": for one month, a row per employee with the figures of the hours
// account (target and total of the employee's evaluation period, balance carried in, the
// period's balance, new balance) and of the vacation (entitlement, days taken in the year,
// days remaining), then a sum row. A4 landscape, Arial 10 pt. An employee whose account
// cannot be computed gets a row with the reason instead of figures and adds nothing to the
// sums. The accounts are read anew at every generation.
class TimeAccountList
{
public:
    TimeAccountList();

    // The first day of the selected month; year and month are taken from it.
    void setMonth(const QDate &firstDay);

    Report &report() { return m_report; }
    // Throws DbError when the tables cannot be read.
    ReportDocument generate() { return m_report.generate(); }

private:
    void buildBands();
    void readAccounts();

    MemoryDataSource m_accounts;
    Report m_report;
    QDate m_month;
    int m_count = 0;
    AccountFigures m_total;
};

} // namespace tk
