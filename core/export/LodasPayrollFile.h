#pragma once

#include <QByteArray>

namespace tk {

struct PayrollMonth;

// The ASCII movement-data import of the payroll bureau program LODAS, Windows-1252, CRLF:
//
//   [Allgemein]
//   Ziel=LODAS
//   BeraterNr=<BeraterNr>
//   MandantenNr=<MandantenNr>
//   Feldtrennzeichen=;
//   Zahlenkomma=,
//   Datumsformat=TT.MM.JJJJ
//
//   [Satzbeschreibung]
//   10;u_lod_bwd_buchung_standard;abrechnung_zeitraum#bwd;pnr#bwd;la_eigene#bwd;bs_nr#bwd;bs_wert_butab#bwd;
//
//   [Bewegungsdaten]
//   10;01.MM.JJJJ;PNR;LOHNART;1;STUNDEN;
//
// one movement line per employee and wage type whose hours are above 0, in employee order
// and in the order Anwesend, Krank, Urlaub, Feiertag, Unbezahlt; hours with two places.
QByteArray LodasPayrollFile(const PayrollMonth &month);

} // namespace tk
