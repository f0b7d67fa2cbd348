#include "core/db/DatabaseCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "core/common/Errors.h"
#include "core/db/ChangeLogSchema.h"
#include "core/db/Database.h"
#include "core/db/Schema.h"
#include "core/db/ScopedConnection.h"
#include "core/db/SqlDialect.h"

namespace tk {

namespace {

[[noreturn]] void refuse(const DatabaseUrl &target, const QString &why)
{
    throw UserError(QStringLiteral("Die Datenbank wurde nicht nach \"%1\" kopiert: %2")
                        .arg(target.displayText(), why));
}

void run(QSqlQuery &q, const QString &sql, const DatabaseUrl &target)
{
    if (!q.exec(sql))
        refuse(target, q.lastError().text());
}

// Row count and the sums of the whole-number columns (the minutes among them) of a table,
// as one line of text that both sides must match.
QString fingerprint(const QSqlDatabase &db, const SchemaTable &table)
{
    QStringList parts{QStringLiteral("count(*)")};
    for (const QString &name : table.columnNames(QStringLiteral("INTEGER")))
        parts << QStringLiteral("coalesce(sum(%1), 0)").arg(SqlDialect::identifier(db, name));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM %2")
                    .arg(parts.join(QStringLiteral(", ")), SqlDialect::identifier(db, table.name)))
        || !q.next())
        throw Database::error(QStringLiteral("Prüfen der Tabelle %1").arg(table.name),
                              q.lastError());
    QStringList values;
    for (int i = 0; i < parts.size(); ++i)
        values << QString::number(q.value(i).toLongLong());
    return values.join(QLatin1Char(';'));
}

qint64 copyTable(const SchemaTable &table, QSqlDatabase &target, const DatabaseUrl &targetUrl)
{
    const QSqlDatabase source = Database::connection();
    QStringList sourceColumns, targetColumns, marks;
    const QStringList columns = table.columnNames() << QLatin1String(RowVersionColumn);
    for (const QString &name : columns) {
        sourceColumns << SqlDialect::identifier(source, name);
        targetColumns << SqlDialect::identifier(target, name);
        marks << QStringLiteral("?");
    }
    QSqlQuery read(source);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                       .arg(sourceColumns.join(QStringLiteral(", ")),
                            SqlDialect::identifier(source, table.name),
                            SqlDialect::rowIdColumn(source))))
        throw Database::error(QStringLiteral("Lesen der Tabelle %1").arg(table.name),
                              read.lastError());
    QSqlQuery write(target);
    if (!write.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(SqlDialect::identifier(target, table.name),
                                targetColumns.join(QStringLiteral(", ")),
                                marks.join(QStringLiteral(", ")))))
        refuse(targetUrl, write.lastError().text());
    qint64 rows = 0;
    while (read.next()) {
        for (int c = 0; c < sourceColumns.size(); ++c)
            write.bindValue(c, SqlDialect::bindable(read.value(c)));
        if (!write.exec())
            refuse(targetUrl,
                   QStringLiteral("Tabelle %1, Zeile %2: %3")
                       .arg(table.name)
                       .arg(rows + 1)
                       .arg(write.lastError().text()));
        ++rows;
    }
    if (read.lastError().isValid())
        throw Database::error(QStringLiteral("Lesen der Tabelle %1").arg(table.name),
                              read.lastError());
    return rows;
}

void openTarget(QSqlDatabase &target, const DatabaseUrl &url)
{
    if (url.kind() == DatabaseUrl::Kind::SQLite) {
        const QString folder = QFileInfo(url.filePath()).absolutePath();
        if (!QDir().mkpath(folder))
            refuse(url,
                   QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                       .arg(QDir::toNativeSeparators(folder)));
    }
    if (!target.open())
        refuse(url, target.lastError().text());
    if (const auto error = SqlDialect::configureConnection(target, true))
        refuse(url, error->text());
    QSqlError error;
    const std::optional<QStringList> tables = SqlDialect::tableNames(target, &error);
    if (!tables)
        refuse(url, error.text());
    if (!tables->isEmpty())
        refuse(url, QStringLiteral("Die Zieldatenbank ist nicht leer."));
}

QStringList copyAll(QSqlDatabase &target, const DatabaseUrl &url)
{
    QSqlQuery q(target);
    run(q, SqlDialect::beginWriteStatement(target), url);
    try {
        for (const QString &statement : schemaStatements(url.kind()))
            run(q, statement, url);
        QStringList report;
        for (const SchemaTable &table : schemaTables()) {
            const qint64 rows = copyTable(table, target, url);
            if (fingerprint(Database::connection(), table) != fingerprint(target, table))
                refuse(url,
                       QStringLiteral("Die Tabelle %1 stimmt nach dem Kopieren nicht mit "
                                      "der Quelle überein (Zeilen oder Minutensummen).")
                           .arg(table.name));
            report << QStringLiteral("%1: %2 Zeilen").arg(table.name).arg(rows);
        }
        // only now: the copy is no change to log
        for (const QString &statement : changeLogStatements(url.kind()))
            run(q, statement, url);
        run(q, QStringLiteral("COMMIT"), url);
        return report;
    } catch (...) {
        q.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

} // namespace

QStringList DatabaseCopy::copyTo(const DatabaseUrl &target)
{
    Database::connection(); // the source must open before anything is made at the target
    const bool newFile =
        target.kind() == DatabaseUrl::Kind::SQLite && !QFileInfo::exists(target.filePath());
    try {
        ScopedConnection connection(QStringLiteral("taktora_copy_target"), target);
        openTarget(connection.db(), target);
        return copyAll(connection.db(), target);
    } catch (...) {
        if (newFile) { // a file made for nothing is not left behind
            for (const char *suffix : {"", "-wal", "-shm"})
                QFile::remove(target.filePath() + QLatin1String(suffix));
        }
        throw;
    }
}

} // namespace tk
