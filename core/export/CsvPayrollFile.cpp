#include "core/export/CsvPayrollFile.h"

#include "core/common/ClockText.h"
#include "core/common/CsvField.h"
#include "core/export/PayrollMonth.h"

namespace tk {

namespace {

const char *const Heading = "Personalnummer;Name;Vorname;Von;Bis;Soll;Gesamt;Anwesend;Krank;"
                            "Urlaub;Feiertag;Unbezahlt;Saldo;Urlaubstage;Stundenlohn;Brutto";

// A name the spreadsheet would run as a formula gets a leading '.
QString textField(QString text)
{
    if (!text.isEmpty() && QStringLiteral("=+-@").contains(text.at(0)))
        text.prepend(QLatin1Char('\''));
    return CsvField(text);
}

} // namespace

QByteArray CsvPayrollFile(const PayrollMonth &month)
{
    using C = MonthSheetCounters;
    QStringList lines{QLatin1String(Heading)};
    for (const PayrollRow &row : month.rows) {
        const EmployeePayroll &p = row.value;
        lines << QStringList{QString::number(row.number),
                             textField(row.name),
                             textField(row.vorname),
                             GermanDateText(p.period.from),
                             GermanDateText(p.period.to),
                             PayrollHours(p.sums[C::Soll]),
                             PayrollHours(p.sums[C::Gesamt]),
                             PayrollHours(p.sums[C::Ist]),
                             PayrollHours(p.sums[C::Krank]),
                             PayrollHours(p.sums[C::Urlaub]),
                             PayrollHours(p.sums[C::Feiertag]),
                             PayrollHours(p.sums[C::Unbezahlt]),
                             PayrollHours(p.balance),
                             PayrollDays(p.vacationDays),
                             PayrollMoney(p.rate),
                             PayrollMoney(p.gross)}
                     .join(QLatin1Char(';'));
    }
    return QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

} // namespace tk
