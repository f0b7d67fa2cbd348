#pragma once

#include <QDate>
#include <QString>
#include <QVector>

#include <functional>

class QTextStream;

namespace tk {

class Table;

// The lines the command-line runs write about each employee.

// "Personal-Nr. 10 (Anna Berger)" for the current row of the personnel table, the form the
// command-line runs report each employee with.
QString EmployeeLabel(Table &personal);

int EmployeeNumber(Table &personal);
QString EmployeeField(Table &personal, const char *field);

// A message of several lines on one line of a run's report.
QString OneLine(QString message);

// Runs work for every employee of personal in PersonalNummer order (only the one with the
// number onlyEmployee when it is above 0). An employee whose work throws a UserError gets
// the line "label: message" on out and counts as failed; returns the failures.
int ForEachEmployee(Table &personal, int onlyEmployee, QTextStream &out,
                    const std::function<void(int personalNummer)> &work);
// The same, handing each failure to failed with the employee's label and the message.
int ForEachEmployee(
    Table &personal, int onlyEmployee, const std::function<void(int personalNummer)> &work,
    const std::function<void(const QString &label, const QString &message)> &failed);

// What a run computed for one employee; error holds why it could not be computed.
template <class Value>
struct EmployeeResult
{
    int number = 0;
    QString name;
    QString vorname;
    QString label; // EmployeeLabel
    Value value{};
    QString error;
};

// compute() for every employee as ForEachEmployee walks them, failures kept as results.
template <class Value>
QVector<EmployeeResult<Value>> EmployeeResults(Table &personal, int onlyEmployee,
                                               const std::function<Value()> &compute)
{
    QVector<EmployeeResult<Value>> results;
    const auto current = [&personal] {
        EmployeeResult<Value> result;
        result.number = EmployeeNumber(personal);
        result.name = EmployeeField(personal, "Name");
        result.vorname = EmployeeField(personal, "Vorname");
        result.label = EmployeeLabel(personal);
        return result;
    };
    ForEachEmployee(
        personal, onlyEmployee,
        [&](int) {
            EmployeeResult<Value> result = current();
            result.value = compute();
            results.append(result);
        },
        [&](const QString &, const QString &message) {
            EmployeeResult<Value> result = current();
            result.error = message;
            results.append(result);
        });
    return results;
}

} // namespace tk
