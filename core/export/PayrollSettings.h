#pragma once

#include <QString>
#include <QVector>

namespace tk {

// The firm's settings for the payroll export, kept in Einstellung: the consultant and client
// numbers of the payroll bureau and the wage-type number of each sum (empty: not exported).
struct PayrollSettings
{
    static constexpr const char *BeraterKey = "BeraterNr";
    static constexpr const char *MandantKey = "MandantenNr";

    // The exported sums with their setting key and the day-record column they come from.
    enum Sum { Anwesend, Krank, Urlaub, Feiertag, Unbezahlt, SumCount };
    static QString wageTypeKey(Sum sum); // "Lohnart.Anwesend", ...
    static QString sumName(Sum sum);     // "Anwesend", ...

    QString beraterNr;
    QString mandantenNr;
    QString wageTypes[SumCount];

    static PayrollSettings read();
    // Refuses (UserError) an export for payroll without the two numbers or any wage type.
    void requireForPayroll() const;
};

} // namespace tk
