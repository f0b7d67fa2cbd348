#include "core/recording/EmployeeDays.h"

namespace tk {

Query EmployeeDays(const QString &table, const QString &columns, int personalNummer,
                   const QDate &from, const QDate &to)
{
    Query query;
    query.setSql(QStringLiteral("SELECT %1 FROM %2 WHERE PersonalNummer = ? AND Datum >= ? "
                                "AND Datum <= ?")
                     .arg(columns, table));
    query.open({personalNummer, from, to});
    return query;
}

} // namespace tk
