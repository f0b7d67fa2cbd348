#include "core/export/PayrollMonth.h"

#include "core/recording/TimeAccount.h"

namespace tk {

qint64 PayrollMonth::minutes(const EmployeePayroll &payroll, PayrollSettings::Sum sum)
{
    using C = MonthSheetCounters;
    switch (sum) {
    case PayrollSettings::Anwesend:
        return payroll.sums[C::Ist];
    case PayrollSettings::Krank:
        return payroll.sums[C::Krank];
    case PayrollSettings::Urlaub:
        return payroll.sums[C::Urlaub];
    case PayrollSettings::Feiertag:
        return payroll.sums[C::Feiertag];
    default:
        return payroll.sums[C::Unbezahlt];
    }
}

QString PayrollHours(qint64 minutes)
{
    return AccountHoursText(minutes);
}

QString PayrollMoney(double value)
{
    if (qAbs(value) < 0.005)
        value = 0.0; // no "-0,00"
    return QString::number(value, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString PayrollDays(double days)
{
    return AccountDaysText(days);
}

} // namespace tk
