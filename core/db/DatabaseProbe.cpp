#include "core/db/DatabaseProbe.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

#include "core/common/Errors.h"
#include "core/db/Schema.h"
#include "core/db/ScopedConnection.h"
#include "core/db/SqlDialect.h"

namespace tk {

namespace {

QString describeTables(const QSqlDatabase &db)
{
    QSqlError error;
    const std::optional<QStringList> tables = SqlDialect::tableNames(db, &error);
    if (!tables)
        throw UserError(
            QStringLiteral("Die Tabellenliste kann nicht gelesen werden: %1").arg(error.text()));
    int found = 0;
    for (const SchemaTable &table : schemaTables())
        found += tables->contains(table.name, Qt::CaseInsensitive) ? 1 : 0;
    if (found == int(schemaTables().size()))
        return QStringLiteral("Verbindung hergestellt; die Datenbank enthält die Tabellen des "
                              "Programms.");
    if (found == 0)
        return QStringLiteral("Verbindung hergestellt; die Datenbank enthält noch keine Tabellen "
                              "(anlegen mit taktora --database ADRESSE --create-database).");
    return QStringLiteral("Verbindung hergestellt, aber es fehlen Tabellen des Programms.");
}

} // namespace

QString probeDatabase(const DatabaseUrl &url)
{
    if (url.kind() == DatabaseUrl::Kind::SQLite && !QFileInfo::exists(url.filePath()))
        return QStringLiteral("Die Datei ist noch nicht vorhanden; sie wird beim Start mit "
                              "--create-database angelegt.");
    ScopedConnection connection(QStringLiteral("taktora_probe"), url);
    QSqlDatabase &db = connection.db();
    if (url.kind() == DatabaseUrl::Kind::SQLite)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        throw UserError(
            QStringLiteral("Die Datenbank ist nicht erreichbar: %1").arg(db.lastError().text()));
    return describeTables(db);
}

} // namespace tk
