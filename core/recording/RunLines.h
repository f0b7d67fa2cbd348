#pragma once

#include <QDate>
#include <QString>

#include <functional>

class QTextStream;

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

// Runs work for every employee of personal in PersonalNummer order (only the one with the
// number onlyEmployee when it is above 0). An employee whose work throws a UserError gets
// the line "label: message" on out and counts as failed; returns the failures.
int ForEachEmployee(Table &personal, int onlyEmployee, QTextStream &out,
                    const std::function<void(int personalNummer)> &work);

} // namespace tk
