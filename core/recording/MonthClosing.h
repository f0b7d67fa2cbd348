#pragma once

#include <QString>

#include <optional>

#include "core/common/DatePeriod.h"
#include "core/common/Errors.h"

class QTextStream;

namespace tk {

// Closing an employee's evaluation period: its sums go to table Abschluss, and from then on
// nothing changes its days (the program refuses, and so does the database). Reopening needs a
// reason, which the change log keeps.

struct ClosedPeriod
{
    int personalNummer = 0;
    QString monat; // JJJJ-MM
    DatePeriod period;
};

// "Der Zeitraum 01.03.2024 – 31.03.2024 ist für Personal-Nr. 10 abgeschlossen."
class PeriodClosedError : public UserError
{
public:
    explicit PeriodClosedError(const ClosedPeriod &closed);
};

// The closed period of the employee that holds date, or overlaps from..to; none when open.
// Throws DbError.
std::optional<ClosedPeriod> ClosedPeriodAt(int personalNummer, const QDate &date);
std::optional<ClosedPeriod> ClosedPeriodWithin(int personalNummer, const DatePeriod &period);

// Throw PeriodClosedError when the day, or a day of the period, is closed.
void RequireOpenDay(int personalNummer, const QDate &date);
void RequireOpenPeriod(int personalNummer, const DatePeriod &period);

// "taktora --close-month": for every employee (only the one numbered onlyEmployee when it is
// above 0) re-evaluates the evaluation period of the month, stores its sums and closes it; a
// line per employee. A period already closed is reported and left. Returns the employees that
// could not be closed.
int CloseMonth(int month, int year, int onlyEmployee, QTextStream &out);

// Reopens the employee's period of the month; the reason is required and goes into the change
// log. Throws UserError (no reason, not closed) or DbError.
void ReopenMonth(int month, int year, int personalNummer, const QString &reason);

} // namespace tk
