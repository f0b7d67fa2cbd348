#pragma once

#include <QString>

#include "core/export/PayrollFigures.h"
#include "core/export/PayrollSettings.h"

namespace tk {

// Everything an export file is written from.
struct PayrollMonth
{
    int month = 0;
    int year = 0;
    PayrollSettings settings;
    QVector<PayrollRow> rows; // employees without error only

    // The minutes of one exported sum of an employee.
    static qint64 minutes(const EmployeePayroll &payroll, PayrollSettings::Sum sum);
};

// The number forms the export files share: hours 12,50 (minus sign when negative), money
// 1234,56 without grouping, days 2,5 (dates: GermanDateText).
QString PayrollHours(qint64 minutes);
QString PayrollMoney(double value);
QString PayrollDays(double days);

} // namespace tk
