#include "core/settings/FirmSettings.h"

#include "core/db/Database.h"
#include "core/db/Table.h"

namespace tk {

QString FirmSettings::value(const QString &key)
{
    Query query;
    query.setSql(QStringLiteral("SELECT Wert FROM Einstellung WHERE Schluessel = ?"));
    query.open({key});
    return query.rowCount() > 0 ? query.value(0, 0).toString() : QString();
}

void FirmSettings::setValue(const QString &key, const QString &value)
{
    Table settings(QStringLiteral("Einstellung"), QStringLiteral("Schluessel"));
    settings.openRange({key}, {key});
    if (value.isEmpty()) {
        if (!settings.isEmpty())
            settings.remove();
        return;
    }
    if (settings.isEmpty()) {
        settings.append();
        settings.field(QStringLiteral("Schluessel")).setAsString(key);
    }
    settings.field(QStringLiteral("Wert")).setAsString(value);
    settings.post();
}

QString FirmSettings::state()
{
    return value(QLatin1String(StateKey)).trimmed().toUpper();
}

} // namespace tk
