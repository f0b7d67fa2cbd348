#include "core/db/DBTools.h"

#include "core/db/Table.h"

namespace tk {

bool DBTools::upgradeSchema()
{
    Query query;
    try {
        query.close();
        query.setSql(QStringLiteral("SELECT * FROM Personal "));
        query.open();
        const QStringList columns = query.columnNames();
        const bool present = columns.contains(QStringLiteral("AuswertBegin"), Qt::CaseInsensitive);
        if (!present) {
            query.close();
            query.setSql(QStringLiteral("ALTER TABLE Personal ADD AuswertBegin INTEGER "));
            query.execute();
            query.close();
            query.setSql(QStringLiteral("UPDATE Personal SET AuswertBegin = 1 "));
            query.execute();
        }
        query.close();
        return true;
    } catch (const std::exception &) {
        query.close();
        return false;
    }
}

} // namespace tk
