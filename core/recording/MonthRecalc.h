#pragma once

#include <QString>

class QTextStream;

namespace tk {

// Month-end recalculation, as clerks run it before printing: for every employee in
// PersonalNummer order, the evaluation period of the month is completed (missing day
// records created) and every existing day record re-evaluated. One line per employee goes
// to out. An employee whose period cannot be formed, or whose records fail to store, is
// reported on its line and the run goes on with the next.
//
// Works on the database the process points at (Database::setPath). Returns the number of
// employees that failed; throws DbError when the tables cannot be opened at all.
int RecalcMonth(int month, int year, QTextStream &out);

} // namespace tk
