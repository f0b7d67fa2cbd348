#pragma once

#include <QString>
#include <QStringList>

namespace tk {

enum class PayrollFormat { Csv, Lodas, Lug };

// "csv", "lodas", "lug" (any case); false otherwise.
bool ParsePayrollFormat(const QString &text, PayrollFormat *format);
QString PayrollFormatName(PayrollFormat format);

// Writes the payroll file of a month in a format: every employee's figures for the evaluation
// period of that month. The file appears whole under its name or not at all; no table is
// changed. Refuses (UserError, nothing written) when the payroll program formats lack their
// settings, or when an employee's figures cannot be formed (the message names them all).
// Returns a line per employee: "Personal-Nr. 10 (Anna Berger): 16.03.2024 – 15.04.2024".
QStringList ExportPayroll(PayrollFormat format, int month, int year, const QString &path);

} // namespace tk
