#pragma once

#include <QByteArray>

namespace tk {

struct PayrollMonth;

// The spreadsheet file: UTF-8 with a byte order mark (so a German spreadsheet program reads
// the umlauts), ';' between fields, CRLF after every line. One heading line, then a line per
// employee:
//
//   Personalnummer;Name;Vorname;Von;Bis;Soll;Gesamt;Anwesend;Krank;Urlaub;Feiertag;
//   Unbezahlt;Saldo;Urlaubstage;Stundenlohn;Brutto
//
// hours 12,50, dates TT.MM.JJJJ, money 1234,56, days 2,5. A name holding ';', '"' or a line
// break is quoted ("" inside); one starting with =, +, - or @ gets a leading ' so that the
// spreadsheet never runs it as a formula.
QByteArray CsvPayrollFile(const PayrollMonth &month);

} // namespace tk
