#pragma once

#include <QByteArray>

namespace tk {

struct PayrollMonth;

// The ASCII import of the payroll program Lohn und Gehalt, Windows-1252, CRLF:
//
//   BeraterNr;MandantenNr;MM/JJJJ
//   PNR;;;LOHNART;STUNDEN;;;;;;
//
// one line per employee and wage type whose hours are above 0 (order as in LODAS), eleven
// fields: Personalnummer; Kalendertag (empty); Ausfallschlüssel (empty); Lohnart; Stunden;
// Tage (empty); Wert (empty); four empty fields.
QByteArray LugPayrollFile(const PayrollMonth &month);

} // namespace tk
