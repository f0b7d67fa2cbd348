#pragma once

#include "core/common/DatePeriod.h"

namespace tk {

class DayEvaluation;
class Table;

// The evaluation period of the employee table's current employee for month and year.
// Throws DateEncodingError when none can be formed (AuswertBegin empty, 0 or beyond the
// month's days, as with an empty employee table).
DatePeriod CurrentEvaluationPeriod(Table *personal, int month, int year);

// Restricts the day records to the current employee's evaluation period and evaluates it
// with recalc (0: create the missing day records only; 1: also re-evaluate the existing
// ones). Afterwards the first day of the period is the current day record. When no period
// can be formed, DateEncodingError is thrown before anything changes. On a database open
// for reading only nothing is evaluated: the restriction shows the records there are.
DatePeriod SelectEvaluationPeriod(DayEvaluation &evaluation, int month, int year,
                                  qint16 recalc = 0);

} // namespace tk
