#pragma once

#include <QVector>

#include "core/recording/RunLines.h"
#include "core/recording/WorkingTimeLaw.h"

class QTextStream;

namespace tk {

class TimeRecordingTables;

// The working-time findings of the current employee of tables.personal within the employee's
// evaluation period of the month; the day before the period is read for the rest before its
// first day. Plans are the day records' shift plans (the employee's where a day has none),
// holidays those of the state. Throws DbError or DateEncodingError.
QVector<LawFinding> CheckEmployeeLaw(TimeRecordingTables &tables, int month, int year,
                                     const QString &state);

using EmployeeFindings = EmployeeResult<QVector<LawFinding>>;

// The findings of every employee in PersonalNummer order (only the one numbered
// onlyEmployee when it is above 0), on their own tables, with the firm's state.
// Throws DbError when the tables cannot be read.
QVector<EmployeeFindings> LawFindingsOfMonth(int month, int year, int onlyEmployee = 0);

// "taktora --check": PersonalNummer;TT.MM.JJJJ;Regel;Text per finding in employee, date and
// rule order, then "N Befunde". Returns the number of employees that could not be checked.
int WriteLawChecks(int month, int year, int onlyEmployee, QTextStream &out);

} // namespace tk
