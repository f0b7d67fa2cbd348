#pragma once

#include <QDate>
#include <QString>

namespace tk {

class Table;

// The lines the command-line runs write about each employee.

// "Personal-Nr. 10 (Anna Berger)" for the current row of the personnel table, the form the
// command-line runs report each employee with.
QString EmployeeLabel(Table &personal);

// TT.MM.JJJJ, whatever locale the shell runs with.
QString GermanDate(const QDate &date);

// A message of several lines on one line of a run's report.
QString OneLine(QString message);

} // namespace tk
