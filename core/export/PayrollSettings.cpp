#include "core/export/PayrollSettings.h"

#include "core/common/Errors.h"
#include "core/settings/FirmSettings.h"

namespace tk {

namespace {

const char *const SumNames[PayrollSettings::SumCount] = {"Anwesend", "Krank", "Urlaub", "Feiertag",
                                                         "Unbezahlt"};

} // namespace

QString PayrollSettings::sumName(Sum sum)
{
    return QLatin1String(SumNames[sum]);
}

QString PayrollSettings::wageTypeKey(Sum sum)
{
    return QStringLiteral("Lohnart.") + sumName(sum);
}

PayrollSettings PayrollSettings::read()
{
    PayrollSettings settings;
    settings.beraterNr = FirmSettings::value(QLatin1String(BeraterKey)).trimmed();
    settings.mandantenNr = FirmSettings::value(QLatin1String(MandantKey)).trimmed();
    for (int sum = 0; sum < SumCount; ++sum)
        settings.wageTypes[sum] = FirmSettings::value(wageTypeKey(Sum(sum))).trimmed();
    return settings;
}

void PayrollSettings::requireForPayroll() const
{
    QStringList missing;
    if (beraterNr.isEmpty())
        missing << QStringLiteral("Beraternummer");
    if (mandantenNr.isEmpty())
        missing << QStringLiteral("Mandantennummer");
    bool anyWageType = false;
    for (const QString &wageType : wageTypes)
        anyWageType = anyWageType || !wageType.isEmpty();
    if (!anyWageType)
        missing << QStringLiteral("Lohnarten");
    if (!missing.isEmpty())
        throw UserError(QStringLiteral("Export nicht möglich: in den Einstellungen fehlen %1.")
                            .arg(missing.join(QStringLiteral(", "))));
}

} // namespace tk
