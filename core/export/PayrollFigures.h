#pragma once

#include <QVector>

#include "core/common/DatePeriod.h"
#include "core/recording/MonthSheetCounters.h"
#include "core/recording/RunLines.h"

namespace tk {

// What payroll gets of an employee for a month: the figures of the employee's evaluation
// period of that month, as the summary sheet's total row, the account and the gross wage
// list have them.
struct EmployeePayroll
{
    DatePeriod period;
    MonthSheetCounters::Values sums{}; // minutes: Soll, Gesamt, Ist (Anwesend), ...
    qint64 balance = 0;                // the account's balance after the period
    double vacationDays = 0;           // vacation days taken in the period
    double rate = 0;                   // BruttoLohn, per hour
    double gross = 0;                  // paid hours x rate, as the gross wage list
    bool closed = false;               // the period is closed
};

using PayrollRow = EmployeeResult<EmployeePayroll>;

// Every employee's figures for the month, in PersonalNummer order, read only. An employee
// whose period cannot be formed or whose hourly rate is not a finite number of 0 or more has
// the reason in error. Throws DbError when the tables cannot be read.
QVector<PayrollRow> PayrollOfMonth(int month, int year);

} // namespace tk
