#pragma once

#include <QtGlobal>

namespace tk {

class Table;

// The years of an employee's hours account (table Zeitkonto): per year the balance carried
// in (minutes) and the vacation entitlement and carried vacation (days, half days allowed).

// Refuses the current row of a Zeitkonto table with a German message (UserError) when a
// figure is impossible: a year outside 1900..2100, a balance beyond 100000 hours either way,
// vacation days that are not whole or half days, a negative entitlement or more than 366 days.
void CheckAccountYear(Table &zeitkonto);

// What a new year takes over from the year before: the balance at the end of that year's
// last period and the vacation days left.
struct YearCarry
{
    qint64 balance = 0;
    double vacation = 0;
    double entitlement = 0; // the year before's Urlaubsanspruch, proposed again
};

// The carry into year for the employee numbered personalNummer, from the stored days of the
// year before; nothing when the year before has no account row. Throws DbError (also for an unknown
// employee) or DateEncodingError.
YearCarry CarryIntoYear(int personalNummer, int year);

} // namespace tk
