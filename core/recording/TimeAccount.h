#pragma once

#include <QDate>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include "core/recording/RunLines.h"

class QTextStream;

namespace tk {

class TimeRecordingTables;

// An employee's hours account and vacation for the evaluation period of a month. The period
// of month m belongs to the year of month m.
struct AccountFigures
{
    qint64 soll = 0;        // the period's target minutes
    qint64 gesamt = 0;      // the period's total minutes
    qint64 carried = 0;     // balance carried in: the year's SaldoVortrag plus the earlier periods
    qint64 period = 0;      // the period's balance
    double entitlement = 0; // vacation days: Urlaubsanspruch + UrlaubVortrag of the year
    double taken = 0;       // vacation days taken in the year through this period
    double periodTaken = 0; // vacation days taken in this period

    qint64 balance() const { return carried + period; }
    double remaining() const { return entitlement - taken; }
};

// The rules of the account:
// - a day's balance is Summe - Soll of its day record; a working day without a record counts
//   its plan's full target as missing; days outside the employment count nothing;
// - a day's vacation is Urlaub / Soll rounded to the nearest half day (0 when Soll is 0).
// For the current employee of tables.personal. Throws DbError or DateEncodingError.
AccountFigures AccountOf(TimeRecordingTables &tables, int month, int year);

// Hours as 12,50 (minus sign when negative) and days as 2,5, as the account shows them.
QString AccountHoursText(qint64 minutes);
QString AccountDaysText(double days);

// The window's line: "Zeitkonto: Vortrag 3,25  Zeitraum -11,75  neu -8,50  Urlaub Rest 31,0".
QString AccountLineText(const AccountFigures &figures);

// One evaluation period of an employee in the balance history.
struct PeriodBalance
{
    int month = 0;
    int year = 0;
    qint64 period = 0;  // the period's balance
    qint64 balance = 0; // the balance after it
};

// The balances of the employee numbered personalNummer for the count periods that ended by
// today, the latest last. Throws DbError (also for an unknown employee) or
// DateEncodingError.
QVector<PeriodBalance> BalanceHistory(int personalNummer, const QDate &today, int count = 12);

using EmployeeAccount = EmployeeResult<AccountFigures>;

// The accounts of every employee in PersonalNummer order (only the one numbered onlyEmployee
// when it is above 0), on their own tables. Throws DbError when the tables cannot be read.
QVector<EmployeeAccount> EmployeeAccounts(int month, int year, int onlyEmployee = 0);

// "taktora --account": a heading line, then one line per employee (or only the one given):
// PersonalNummer;Name;Vorname;Soll;Gesamt;Saldo Vortrag;Saldo Zeitraum;Saldo neu;
// Urlaub Anspruch;Urlaub genommen;Urlaub Rest, hours as 12,50, days as 2,5. Returns the
// number of employees that failed; their lines name the error.
int WriteAccounts(int month, int year, int onlyEmployee, QTextStream &out);

} // namespace tk
