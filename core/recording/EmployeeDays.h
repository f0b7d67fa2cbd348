#pragma once

#include <QDate>
#include <QString>

#include "core/db/Table.h"

namespace tk {

// The rows of a table keyed by PersonalNummer and Datum (auswert, AuswPos) for one employee
// from..to, with the columns given ("Datum, Soll"), read at once.
Query EmployeeDays(const QString &table, const QString &columns, int personalNummer,
                   const QDate &from, const QDate &to);

} // namespace tk
