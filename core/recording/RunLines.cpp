#include "core/recording/RunLines.h"

#include "core/db/Table.h"

namespace tk {

QString EmployeeLabel(Table &personal)
{
    const QString name = QStringLiteral("%1 %2")
                             .arg(personal.field(QStringLiteral("Vorname")).asString(),
                                  personal.field(QStringLiteral("Name")).asString())
                             .trimmed();
    const QString number =
        QString::number(personal.field(QStringLiteral("PersonalNummer")).asInteger());
    return name.isEmpty() ? QStringLiteral("Personal-Nr. %1").arg(number)
                          : QStringLiteral("Personal-Nr. %1 (%2)").arg(number, name);
}

QString GermanDate(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString OneLine(QString message)
{
    return message.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

} // namespace tk
