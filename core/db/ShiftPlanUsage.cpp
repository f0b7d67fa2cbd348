#include "core/db/ShiftPlanUsage.h"

#include <QStringList>

#include "core/db/Table.h"

namespace tk {

namespace {

int countRows(const QString &table, int plan)
{
    Query query;
    query.setSql(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Schicht = ?").arg(table));
    query.open({plan});
    return query.value(0, 0).toInt();
}

QString counted(int count, const QString &one, const QString &many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}

} // namespace

ShiftPlanUsage shiftPlanUsage(int plan)
{
    return {countRows(QStringLiteral("Personal"), plan),
            countRows(QStringLiteral("auswert"), plan)};
}

QString shiftPlanUsageText(int plan, const ShiftPlanUsage &usage)
{
    QStringList users;
    if (usage.employees > 0)
        users << counted(usage.employees, QStringLiteral("Mitarbeiter"),
                         QStringLiteral("Mitarbeitern"));
    if (usage.days > 0)
        users << counted(usage.days, QStringLiteral("Tag"), QStringLiteral("Tagen"));
    return QStringLiteral("Schichtplan %1 wird von %2 verwendet.")
        .arg(QString::number(plan), users.join(QStringLiteral(" und ")));
}

} // namespace tk
