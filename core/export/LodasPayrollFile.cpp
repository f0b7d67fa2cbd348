#include "core/export/LodasPayrollFile.h"

#include "core/common/ClockText.h"
#include "core/export/PayrollMonth.h"
#include "core/export/PayrollText.h"

namespace tk {

QByteArray LodasPayrollFile(const PayrollMonth &month)
{
    const PayrollSettings &settings = month.settings;
    QStringList lines{QStringLiteral("[Allgemein]"),
                      QStringLiteral("Ziel=LODAS"),
                      QStringLiteral("BeraterNr=") + settings.beraterNr,
                      QStringLiteral("MandantenNr=") + settings.mandantenNr,
                      QStringLiteral("Feldtrennzeichen=;"),
                      QStringLiteral("Zahlenkomma=,"),
                      QStringLiteral("Datumsformat=TT.MM.JJJJ"),
                      QString(),
                      QStringLiteral("[Satzbeschreibung]"),
                      QStringLiteral("10;u_lod_bwd_buchung_standard;abrechnung_zeitraum#bwd;"
                                     "pnr#bwd;la_eigene#bwd;bs_nr#bwd;bs_wert_butab#bwd;"),
                      QString(),
                      QStringLiteral("[Bewegungsdaten]")};
    const QString period = GermanDateText(QDate(month.year, month.month, 1));
    ForEachWageLine(month, [&](const PayrollRow &row, const QString &wageType, qint64 minutes) {
        lines << QStringLiteral("10;%1;%2;%3;1;%4;")
                     .arg(period, QString::number(row.number), wageType, PayrollHours(minutes));
    });
    return WindowsText(lines);
}

} // namespace tk
