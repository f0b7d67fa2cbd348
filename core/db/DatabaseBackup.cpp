#include "core/db/DatabaseBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cstdio>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/db/DatabaseUrl.h"
#include "core/db/Schema.h"
#include "core/db/ScopedConnection.h"
#include "core/db/SqlDialect.h"
#include "core/db/TableRefill.h"

namespace tk {

namespace {

const QString NamePattern = QStringLiteral("'taktora-'yyyy-MM-dd-HHmmss'.db'");
constexpr int NewestKept = 10;
constexpr int MonthsKept = 12;

QString g_automaticFolder;

QString integrityOf(QSqlDatabase &db, const char *check = "integrity_check")
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA ") + QLatin1String(check)))
        throw Database::error(QStringLiteral("Prüfen der Datenbank"), q.lastError());
    QStringList problems;
    while (q.next()) {
        const QString line = q.value(0).toString();
        if (line != QLatin1String("ok"))
            problems << line;
    }
    return problems.join(QLatin1Char('\n'));
}

// SQLite copies itself page by page, whatever version its tables have; the copy must then
// hold every table with as many rows as the source.
QStringList vacuumInto(const QString &file)
{
    QSqlDatabase db = Database::connection();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(file);
    if (!q.exec())
        throw Database::error(QStringLiteral("Sichern der Datenbank"), q.lastError());
    QSqlError error;
    const std::optional<QStringList> tables = SqlDialect::tableNames(db, &error);
    if (!tables)
        throw Database::error(QStringLiteral("Sichern der Datenbank"), error);
    ScopedConnection copy(QStringLiteral("taktora_backup_count"), DatabaseUrl::sqliteFile(file));
    if (!copy.db().open())
        throw Database::error(QStringLiteral("Prüfen der Sicherung"), copy.db().lastError());
    QStringList report;
    for (const QString &table : *tables) {
        if (table.startsWith(QLatin1String("sqlite_")))
            continue;
        const std::optional<qint64> rows = SqlDialect::rowCount(db, table, &error);
        if (!rows || rows != SqlDialect::rowCount(copy.db(), table, &error))
            throw UserError(QStringLiteral("Die Sicherung der Tabelle %1 stimmt nicht mit der "
                                           "Datenbank überein.")
                                .arg(table));
        report << QStringLiteral("%1: %2 Zeilen").arg(table).arg(*rows);
    }
    return report;
}

void removeFile(const QString &file)
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(file + QLatin1String(suffix));
}

// The state a restore replaces: a checked backup, or, of a file too damaged to copy itself,
// the file as it is (named so that the thinning of the backups leaves it alone).
void saveBeforeRestore()
{
    const QDateTime now = QDateTime::currentDateTime();
    try {
        DatabaseBackup::writeInto(g_automaticFolder, now);
    } catch (const UserError &error) {
        const QString raw =
            QDir(g_automaticFolder)
                .filePath(
                    now.toString(QStringLiteral("'taktora-'yyyy-MM-dd-HHmmss'-beschaedigt.db'")));
        if (Database::isServer() || !QDir().mkpath(g_automaticFolder)
            || !QFile::copy(Database::filePath(), raw))
            throw UserError(QStringLiteral("Der jetzige Stand kann vor dem Wiederherstellen "
                                           "nicht gesichert werden: %1")
                                .arg(error.message()));
    }
}

// A server has no file to swap: its tables are emptied and refilled from the backup in one
// transaction. Columns an older backup lacks get what the upgrade gives them; the session
// table is the writing program's own.
void refillServerFrom(const QString &file)
{
    ScopedConnection backup(QStringLiteral("taktora_restore_source"),
                            DatabaseUrl::sqliteFile(file));
    if (!backup.db().open())
        throw Database::error(QStringLiteral("Lesen der Sicherung"), backup.db().lastError());
    TableRefill refill(QStringLiteral("Wiederhergestellt aus %1").arg(QFileInfo(file).fileName()));
    for (const SchemaTable &table : schemaTables()) {
        if (table.name == QLatin1String("Sitzung"))
            continue;
        refill.empty(table.name);
        const QSqlRecord stored = SqlDialect::record(backup.db(), table.name);
        if (stored.isEmpty())
            continue; // a table of a later version than the backup's
        const QStringList columns = table.columnNames();
        QStringList present;
        for (const QString &column : columns) {
            if (stored.contains(column))
                present << column;
        }
        QSqlQuery read(backup.db());
        read.setForwardOnly(true);
        if (!read.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid")
                           .arg(present.join(QStringLiteral(", ")), table.name)))
            throw Database::error(QStringLiteral("Lesen der Sicherung"), read.lastError());
        while (read.next()) {
            QVariantList values;
            for (const QString &column : columns) {
                const int at = present.indexOf(column);
                values << (at < 0 ? valueOfAddedColumn(table.name, column) : read.value(at));
            }
            refill.insert(table.name, columns, values);
        }
    }
    refill.commit();
}

} // namespace

QStringList DatabaseBackup::write(const QString &file)
{
    const QString temporary = file + QStringLiteral(".tmp");
    removeFile(temporary);
    QStringList report;
    try {
        report = SqlDialect::isServer(Database::connection())
            ? DatabaseCopy::copyTo(DatabaseUrl::sqliteFile(temporary))
            : vacuumInto(temporary);
        const QString problem = integrityProblem(temporary);
        if (!problem.isEmpty())
            throw UserError(QStringLiteral("Die Sicherung ist beschädigt: %1").arg(problem));
    } catch (...) {
        removeFile(temporary);
        throw;
    }
    removeFile(file);
    if (!QFile::rename(temporary, file)) {
        removeFile(temporary);
        throw UserError(QStringLiteral("Die Sicherung kann nicht als \"%1\" abgelegt werden.")
                            .arg(QDir::toNativeSeparators(file)));
    }
    return report;
}

QVector<BackupFile> DatabaseBackup::list(const QString &folder)
{
    QVector<BackupFile> files;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("taktora-*.db")}, QDir::Files)) {
        const QDateTime time = QDateTime::fromString(info.fileName(), NamePattern);
        if (time.isValid())
            files.append({info.absoluteFilePath(), time, info.size()});
    }
    std::sort(files.begin(), files.end(),
              [](const BackupFile &a, const BackupFile &b) { return a.time > b.time; });
    return files;
}

QString DatabaseBackup::rowSummary(const QString &file)
{
    ScopedConnection backup(QStringLiteral("taktora_backup_rows"), DatabaseUrl::sqliteFile(file));
    if (!backup.db().open())
        return QString();
    QStringList parts;
    QSqlError error;
    for (const char *table : {"Personal", "auswert", "AuswPos"}) {
        if (const auto rows = SqlDialect::rowCount(backup.db(), QLatin1String(table), &error))
            parts << QStringLiteral("%1 %2").arg(QLatin1String(table)).arg(*rows);
    }
    return parts.join(QStringLiteral(", "));
}

QString DatabaseBackup::newestSound(const QString &folder)
{
    for (const BackupFile &file : list(folder)) {
        if (unusableBackup(file.path).isEmpty())
            return file.path;
    }
    return QString();
}

QString DatabaseBackup::writeInto(const QString &folder, const QDateTime &now)
{
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
        throw UserError(QStringLiteral("Der Sicherungsordner \"%1\" kann nicht beschrieben werden.")
                            .arg(QDir::toNativeSeparators(folder)));
    const QString file = QDir(folder).filePath(now.toString(NamePattern));
    write(file);
    const QVector<BackupFile> files = list(folder);
    QVector<QDateTime> times;
    for (const BackupFile &backup : files)
        times << backup.time;
    const QVector<QDateTime> kept = keep(times, now);
    for (const BackupFile &backup : files) {
        if (!kept.contains(backup.time))
            QFile::remove(backup.path);
    }
    return file;
}

QVector<QDateTime> DatabaseBackup::keep(QVector<QDateTime> times, const QDateTime &now)
{
    std::sort(times.begin(), times.end(), std::greater<>());
    QVector<QDateTime> kept = times.mid(0, NewestKept);
    const QDate thisMonth(now.date().year(), now.date().month(), 1);
    for (int back = 1; back <= MonthsKept; ++back) {
        const QDate month = thisMonth.addMonths(-back);
        const auto newest = std::find_if(times.begin(), times.end(), [&month](const QDateTime &t) {
            return t.date().year() == month.year() && t.date().month() == month.month();
        });
        if (newest != times.end() && !kept.contains(*newest))
            kept << *newest;
    }
    return kept;
}

QString DatabaseBackup::quickProblem()
{
    QSqlDatabase db = Database::connection();
    return SqlDialect::isServer(db) ? QString() : integrityOf(db, "quick_check");
}

QString DatabaseBackup::unusableBackup(const QString &file)
{
    const QString problem = integrityProblem(file);
    if (!problem.isEmpty())
        return QStringLiteral("Die Datei ist beschädigt: %1").arg(problem);
    ScopedConnection backup(QStringLiteral("taktora_backup_check"), DatabaseUrl::sqliteFile(file));
    backup.db().open();
    QSqlError error;
    const std::optional<QStringList> tables = SqlDialect::tableNames(backup.db(), &error);
    if (!tables)
        return QStringLiteral("Die Datei lässt sich nicht lesen: %1").arg(error.text());
    for (const char *required : {"Personal", "Schicht", "Tagplan", "auswert", "AuswPos"}) {
        if (!tables->contains(QLatin1String(required), Qt::CaseInsensitive))
            return QStringLiteral("Der Datei fehlt die Tabelle %1.").arg(QLatin1String(required));
    }
    QSqlQuery version(backup.db());
    version.exec(QStringLiteral("PRAGMA user_version"));
    const int stored = version.next() ? version.value(0).toInt() : 0;
    if (stored > schemaVersion())
        return QStringLiteral("Die Datei stammt von einer neueren Programmversion (Stand %1).")
            .arg(stored);
    return QString();
}

void DatabaseBackup::restore(const QString &file)
{
    const QString problem = unusableBackup(file);
    if (!problem.isEmpty())
        throw UserError(QStringLiteral("\"%1\" kann nicht wiederhergestellt werden: %2")
                            .arg(QDir::toNativeSeparators(file), problem));
    if (!g_automaticFolder.isEmpty())
        saveBeforeRestore();
    if (Database::isServer()) {
        refillServerFrom(file);
        return;
    }
    const QString database = Database::filePath();
    const QString incoming = database + QStringLiteral(".restore");
    removeFile(incoming);
    if (!QFile::copy(file, incoming))
        throw UserError(QStringLiteral("Die Sicherung kann nicht neben die Datenbank kopiert "
                                       "werden."));
    const DatabaseUrl url = Database::url();
    Database::disconnect();
    removeFile(database + QStringLiteral("-wal"));
    removeFile(database + QStringLiteral("-shm"));
    // rename() replaces the file in one step
    if (std::rename(QFile::encodeName(incoming).constData(),
                    QFile::encodeName(database).constData())
        != 0) {
        removeFile(incoming);
        Database::setUrl(url);
        throw UserError(QStringLiteral("Die Datenbank kann nicht ersetzt werden."));
    }
    Database::setUrl(url);
    upgradeSchema();
}

void DatabaseBackup::setAutomaticFolder(const QString &folder)
{
    g_automaticFolder = folder;
}

QString DatabaseBackup::automaticFolder()
{
    return g_automaticFolder;
}

QString DatabaseBackup::integrityProblem(const QString &file)
{
    if (file.isEmpty()) {
        QSqlDatabase db = Database::connection();
        if (SqlDialect::isServer(db))
            return QString(); // a server keeps its own pages whole
        return integrityOf(db);
    }
    if (!QFileInfo::exists(file))
        throw UserError(
            QStringLiteral("Die Datei \"%1\" gibt es nicht.").arg(QDir::toNativeSeparators(file)));
    ScopedConnection check(QStringLiteral("taktora_backup_check"), DatabaseUrl::sqliteFile(file));
    if (!check.db().open())
        return QStringLiteral("Die Datei lässt sich nicht öffnen: %1")
            .arg(check.db().lastError().text());
    return integrityOf(check.db());
}

} // namespace tk
