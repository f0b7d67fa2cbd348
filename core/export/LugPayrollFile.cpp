#include "core/export/LugPayrollFile.h"

#include "core/export/PayrollMonth.h"
#include "core/export/PayrollText.h"

namespace tk {

QByteArray LugPayrollFile(const PayrollMonth &month)
{
    QStringList lines{QStringLiteral("%1;%2;%3/%4")
                          .arg(month.settings.beraterNr, month.settings.mandantenNr)
                          .arg(month.month, 2, 10, QLatin1Char('0'))
                          .arg(month.year)};
    ForEachWageLine(month, [&](const PayrollRow &row, const QString &wageType, qint64 minutes) {
        lines << QStringLiteral("%1;;;%2;%3;;;;;;")
                     .arg(QString::number(row.number), wageType, PayrollHours(minutes));
    });
    return WindowsText(lines);
}

} // namespace tk
