#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

#include "core/export/PayrollMonth.h"

namespace tk {

// What the payroll program files share.

// For every employee and every sum with a wage type and hours above 0, in employee order and
// in the order Anwesend, Krank, Urlaub, Feiertag, Unbezahlt.
void ForEachWageLine(const PayrollMonth &month,
                     const std::function<void(const PayrollRow &row, const QString &wageType,
                                              qint64 minutes)> &line);

// The lines in Windows-1252, each ended by CRLF; a character outside it becomes '?'.
QByteArray WindowsText(const QStringList &lines);

} // namespace tk
