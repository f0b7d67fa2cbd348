#include "core/db/DatabaseProbe.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

#include "core/common/Errors.h"
#include "core/db/Schema.h"
#include "core/db/SqlDialect.h"

namespace tk {

namespace {

const QString ProbeConnection = QStringLiteral("taktora_probe");

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
    QString text;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(url.driverName(), ProbeConnection);
        url.applyTo(db);
        if (url.kind() == DatabaseUrl::Kind::SQLite)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        const bool opened = db.open();
        const QString failure = db.lastError().text();
        try {
            if (!opened)
                throw UserError(
                    QStringLiteral("Die Datenbank ist nicht erreichbar: %1").arg(failure));
            text = describeTables(db);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(ProbeConnection);
            throw;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(ProbeConnection);
    return text;
}

} // namespace tk
