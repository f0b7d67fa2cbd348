#include "core/export/PayrollFigures.h"

#include <cmath>

#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/recording/MonthClosing.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/TimeAccount.h"
#include "core/recording/TimeRecordingTables.h"

namespace tk {

namespace {

EmployeePayroll payrollOf(TimeRecordingTables &tables, Table &days, int month, int year)
{
    Table &personal = tables.personal;
    EmployeePayroll payroll;
    payroll.period = CurrentEvaluationPeriod(&personal, month, year);
    payroll.rate = personal.field(QStringLiteral("BruttoLohn")).asFloat();
    if (!std::isfinite(payroll.rate) || payroll.rate < 0)
        throw UserError(
            QStringLiteral("Ungültiger Stundenlohn %1.").arg(QString::number(payroll.rate)));
    const int number = EmployeeNumber(personal);
    days.openRange({number, payroll.period.from}, {number, payroll.period.to});
    payroll.sums = MonthSheetCounters::periodTotals(days);
    payroll.gross = MonthSheetCounters::paidMinutes(payroll.sums) / 60.0 * payroll.rate;
    tables.tagplan.refresh();
    const AccountFigures account = AccountOf(tables, month, year);
    payroll.balance = account.balance();
    payroll.vacationDays = account.periodTaken;
    const auto closed = ClosedPeriodWithin(number, payroll.period);
    payroll.closed = closed && closed->period.from == payroll.period.from
        && closed->period.to == payroll.period.to;
    return payroll;
}

} // namespace

QVector<PayrollRow> PayrollOfMonth(int month, int year)
{
    TimeRecordingTables tables;
    tables.open();
    Table days(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    days.setReadOnly(true);
    return EmployeeResults<EmployeePayroll>(tables.personal, 0,
                                            [&] { return payrollOf(tables, days, month, year); });
}

} // namespace tk
