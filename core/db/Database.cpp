#include "core/db/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <exception>
#include <optional>

#include "core/common/Errors.h"
#include "core/db/ChangeLogSchema.h"
#include "core/db/Schema.h"
#include "core/db/ScopedConnection.h"
#include "core/db/SessionStamp.h"
#include "core/db/SqlDialect.h"

namespace tk {

namespace {

int g_rowsAffected = 0; // of the last write through execWrite

DatabaseUrl g_url;
Database::Access g_access = Database::Access::Auto;
Database::PasswordPrompt g_passwordPrompt;
bool g_readOnly = false;
int g_batchDepth = 0;
bool g_batchKeepsStored = false;
int g_batchWrites = 0; // writes stored so far in the open batch
int g_connectionCount = 0;
std::function<void(QSqlDatabase &)> g_connectedHook;

// The connection under its name, made anew when it was made for another driver.
QSqlDatabase namedConnection(const QString &driver)
{
    if (QSqlDatabase::contains(Database::ConnectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(Database::ConnectionName, false);
            if (db.driverName() == driver)
                return db;
        }
        QSqlDatabase::removeDatabase(Database::ConnectionName);
    }
    return QSqlDatabase::addDatabase(driver, Database::ConnectionName);
}

QString connectOptions(bool readOnly)
{
    const QString busy = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(Database::BusyTimeoutMs);
    return readOnly ? busy + QStringLiteral(";QSQLITE_OPEN_READONLY") : busy;
}

// Opens and reads the table list once: a file that is not a database, or a WAL database
// whose shared index cannot be made, shows itself only on the first statement.
std::optional<QSqlError> openAndProbe(QSqlDatabase &db, const QString &name, const QString &options)
{
    db.close();
    db.setDatabaseName(name);
    db.setConnectOptions(options);
    if (!db.open())
        return db.lastError();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const QSqlError error = q.lastError();
        q.finish();
        db.close();
        return error;
    }
    return std::nullopt;
}

// The writer's WAL and index files live beside the database, so writing needs the folder too.
bool mayWrite(const QFileInfo &file)
{
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

void openWritable(QSqlDatabase &db, const QString &file)
{
    if (const auto error = openAndProbe(db, file, connectOptions(false)))
        throw Database::error(QStringLiteral("Öffnen der Datenbank"), *error);
    if (const auto error = SqlDialect::configureConnection(db, true)) {
        db.close();
        throw Database::error(QStringLiteral("Öffnen der Datenbank"), *error);
    }
}

void openReadOnly(QSqlDatabase &db, const QString &file)
{
    const auto error = openAndProbe(db, file, connectOptions(true));
    if (!error) {
        SqlDialect::configureConnection(db, false);
        return;
    }
    // A reader of a WAL database needs its shared index; in a folder without write rights
    // nobody can make one, and nobody can be writing either: read the file as it stands.
    const bool nobodyWrites = !QFileInfo(QFileInfo(file).absolutePath()).isWritable();
    const QString asItStands = QString::fromLatin1(QUrl::fromLocalFile(file).toEncoded())
        + QStringLiteral("?mode=ro&immutable=1");
    if (nobodyWrites
        && !openAndProbe(db, asItStands,
                         connectOptions(true) + QStringLiteral(";QSQLITE_OPEN_URI")))
        return;
    throw Database::error(QStringLiteral("Öffnen der Datenbank"), *error);
}

void openSqliteFile(QSqlDatabase &db)
{
    const QFileInfo file(g_url.filePath());
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir())
        throw DbError(QStringLiteral("Das Datenverzeichnis \"%1\" ist nicht vorhanden.")
                          .arg(QDir::toNativeSeparators(folder)));
    if (!file.exists())
        throw DbError(QStringLiteral("Im Datenverzeichnis \"%1\" gibt es keine Datenbank (%2).")
                          .arg(QDir::toNativeSeparators(folder), file.fileName()));
    g_readOnly = g_access == Database::Access::ReadOnly || !mayWrite(file);
    if (g_readOnly)
        openReadOnly(db, file.absoluteFilePath());
    else
        openWritable(db, file.absoluteFilePath());
}

// libpq's words when the server wants a password it was not given.
bool wantsPassword(const QSqlError &error)
{
    const QString text = error.databaseText() + error.driverText();
    return text.contains(QLatin1String("no password supplied"))
        || text.contains(QLatin1String("password authentication failed"));
}

void openServer(QSqlDatabase &db)
{
    g_url.applyTo(db);
    bool opened = db.open();
    if (!opened && wantsPassword(db.lastError()) && g_passwordPrompt) {
        const QString password = g_passwordPrompt(g_url.displayText());
        if (!password.isNull()) {
            g_url.setPassword(password);
            g_url.applyTo(db);
            opened = db.open();
        }
    }
    if (!opened)
        throw Database::error(QStringLiteral("Öffnen der Datenbank"), db.lastError());
    g_readOnly = g_access == Database::Access::ReadOnly;
    if (const auto error = SqlDialect::configureConnection(db, !g_readOnly)) {
        db.close();
        throw Database::error(QStringLiteral("Öffnen der Datenbank"), *error);
    }
    if (!g_readOnly)
        stampConnection(db);
}

void execOrThrow(QSqlDatabase &db, const QString &sql, const QString &action)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw Database::error(action, q.lastError());
}

QString readOnlyMessage(const QString &file, const QString &detail)
{
    return QStringLiteral("Die Datenbank \"%1\" ist schreibgeschützt; die Änderung wurde nicht "
                          "gespeichert.\n(%2)")
        .arg(file, detail);
}

// "no such table: X" (SQLite) or "relation "x" does not exist" (a server) names the table
// the statement wanted.
QString missingTableName(const QString &text)
{
    const QLatin1String marker("no such table:");
    const int at = text.indexOf(marker, 0, Qt::CaseInsensitive);
    if (at >= 0)
        return text.mid(at + marker.size()).trimmed();
    const int open = text.indexOf(QLatin1Char('"'));
    const int close = text.indexOf(QLatin1Char('"'), open + 1);
    return open >= 0 && close > open ? text.mid(open + 1, close - open - 1) : text;
}

// Creates the tables in the empty database the connection reaches.
void createTables(QSqlDatabase &db, DatabaseUrl::Kind kind)
{
    const QString action = QStringLiteral("Anlegen der Tabellen");
    if (const auto error = SqlDialect::configureConnection(db, true))
        throw Database::error(action, *error);
    execOrThrow(db, SqlDialect::beginWriteStatement(db), action);
    for (const QString &statement : schemaStatements(kind) + changeLogStatements(kind)) {
        QSqlQuery q(db);
        if (!q.exec(statement)) {
            const QSqlError error = q.lastError();
            q.exec(QStringLiteral("ROLLBACK"));
            throw Database::error(action, error);
        }
    }
    execOrThrow(db, QStringLiteral("COMMIT"), action);
}

bool holdsProgramTables(const QSqlDatabase &db)
{
    QSqlError error;
    const std::optional<QStringList> tables = SqlDialect::tableNames(db, &error);
    if (!tables)
        throw Database::error(QStringLiteral("Lesen der Tabellenliste"), error);
    for (const SchemaTable &table : schemaTables()) {
        if (tables->contains(table.name, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

void Database::setPath(const QString &dataDir, Access access)
{
    setUrl(
        DatabaseUrl::sqliteFile(QDir(QDir::cleanPath(dataDir)).filePath(QLatin1String(FileName))),
        access);
}

void Database::setUrl(const DatabaseUrl &url, Access access)
{
    disconnect();
    g_url = url;
    g_access = access;
}

DatabaseUrl Database::url()
{
    return g_url;
}

bool Database::isServer()
{
    return g_url.kind() == DatabaseUrl::Kind::PostgreSQL;
}

QString Database::filePath()
{
    return isServer() ? QString() : g_url.filePath();
}

QString Database::displayName()
{
    return isServer() ? g_url.displayText() : QDir::toNativeSeparators(g_url.filePath());
}

void Database::setPasswordPrompt(PasswordPrompt prompt)
{
    g_passwordPrompt = std::move(prompt);
}

QSqlDatabase Database::connection()
{
    QSqlDatabase db = namedConnection(g_url.driverName());
    if (db.isOpen())
        return db;
    if (isServer())
        openServer(db);
    else
        openSqliteFile(db);
    ++g_connectionCount;
    if (g_connectedHook)
        g_connectedHook(db);
    return db;
}

int Database::connectionCount()
{
    return g_connectionCount;
}

void Database::setConnectedHook(std::function<void(QSqlDatabase &)> hook)
{
    g_connectedHook = std::move(hook);
}

void Database::disconnect()
{
    if (!QSqlDatabase::contains(ConnectionName))
        return;
    QSqlDatabase db = QSqlDatabase::database(ConnectionName, false);
    db.close();
}

bool Database::isConnected()
{
    return QSqlDatabase::contains(ConnectionName)
        && QSqlDatabase::database(ConnectionName, false).isOpen();
}

bool Database::isReadOnly()
{
    return isConnected() && g_readOnly;
}

bool Database::createDatabase(const QString &dataDir)
{
    const QString dir = QDir::cleanPath(dataDir);
    return createDatabase(DatabaseUrl::sqliteFile(QDir(dir).filePath(QLatin1String(FileName))));
}

bool Database::createDatabase(const DatabaseUrl &url)
{
    const bool sqlite = url.kind() == DatabaseUrl::Kind::SQLite;
    if (sqlite) {
        if (QFileInfo::exists(url.filePath()))
            return false;
        const QString dir = QFileInfo(url.filePath()).absolutePath();
        if (!QDir().mkpath(dir))
            throw DbError(QStringLiteral("Das Datenverzeichnis \"%1\" kann nicht angelegt werden.")
                              .arg(QDir::toNativeSeparators(dir)));
    }
    ScopedConnection connection(QStringLiteral("taktora_create"), url);
    QSqlDatabase &db = connection.db();
    if (!db.open())
        throw error(QStringLiteral("Anlegen der Datenbank"), db.lastError());
    if (!sqlite && holdsProgramTables(db))
        return false;
    createTables(db, url.kind());
    return true;
}

QString Database::resolveTableName(const QString &name)
{
    QString wanted = name.trimmed();
    if (wanted.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        wanted.chop(3);
    QSqlError error;
    const std::optional<QStringList> tables = SqlDialect::tableNames(connection(), &error);
    if (!tables)
        throw Database::error(QStringLiteral("Lesen der Tabellenliste"), error);
    for (const QString &table : *tables) {
        if (table.compare(wanted, Qt::CaseInsensitive) == 0)
            return schemaSpelling(table);
    }
    throw DbError(
        QStringLiteral("Die Tabelle \"%1\" ist in der Datenbank nicht vorhanden.").arg(wanted));
}

QString Database::describeError(const QString &action, const QSqlError &error)
{
    const QString text = error.text().trimmed();
    const QString file = displayName();
    switch (SqlDialect::classify(g_url.driverName(), error)) {
    case DbFailure::Locked:
        return QStringLiteral("Die Datenbank \"%1\" ist von einem anderen Programm gesperrt. "
                              "Bitte später noch einmal versuchen.\n(%2: %3)")
            .arg(file, action, text);
    case DbFailure::Corrupt:
        return QStringLiteral(
                   "Die Datei \"%1\" ist beschädigt oder keine Taktora-Datenbank.\n(%2: %3)")
            .arg(file, action, text);
    case DbFailure::DiskFull:
        return QStringLiteral("Der Datenträger ist voll; die Änderung an der Datenbank \"%1\" "
                              "wurde nicht gespeichert. Bitte Platz schaffen und noch einmal "
                              "versuchen.\n(%2: %3)")
            .arg(file, action, text);
    case DbFailure::IoError:
        return QStringLiteral("Die Datenbank \"%1\" kann nicht gelesen oder geschrieben werden "
                              "(Fehler des Datenträgers); die Änderung wurde nicht gespeichert."
                              "\n(%2: %3)")
            .arg(file, action, text);
    case DbFailure::ReadOnly:
        return readOnlyMessage(file, QStringLiteral("%1: %2").arg(action, text));
    case DbFailure::CannotOpen:
        return QStringLiteral("Die Datenbank \"%1\" kann nicht geöffnet werden.\n(%2: %3)")
            .arg(file, action, text);
    case DbFailure::MissingTable:
        return QStringLiteral("Die Tabelle \"%1\" ist in der Datenbank nicht vorhanden.\n(%2)")
            .arg(missingTableName(error.databaseText()), action);
    case DbFailure::Duplicate:
        return QStringLiteral("Ein Datensatz mit diesem Schlüssel ist bereits vorhanden; die "
                              "Änderung wurde nicht gespeichert.\n(%1: %2)")
            .arg(action, text);
    case DbFailure::Refused:
        return QStringLiteral("Die Datenbank hat die Änderung abgelehnt; sie wurde nicht "
                              "gespeichert.\n(%1: %2)")
            .arg(action, text);
    case DbFailure::Conflict:
        return QStringLiteral("Ein anderer Arbeitsplatz hat gleichzeitig dieselben Daten geändert; "
                              "die Änderung wurde nicht gespeichert. Bitte noch einmal "
                              "versuchen.\n(%1: %2)")
            .arg(action, text);
    case DbFailure::Lost:
        return QStringLiteral(
                   "Die Verbindung zur Datenbank \"%1\" ist unterbrochen; die Änderung "
                   "wurde nicht gespeichert. Die Verbindung wird neu aufgebaut.\n(%2: %3)")
            .arg(file, action, text);
    case DbFailure::Other:
        break;
    }
    return QStringLiteral("Datenbankfehler beim %1: %2").arg(action, text);
}

DbError Database::error(const QString &action, const QSqlError &error)
{
    switch (SqlDialect::classify(g_url.driverName(), error)) {
    case DbFailure::Conflict:
        return DbError(describeError(action, error), DbError::Kind::Conflict);
    case DbFailure::Duplicate:
        return DbError(describeError(action, error), DbError::Kind::Duplicate);
    default:
        return DbError(describeError(action, error));
    }
}

WriteBatch::WriteBatch(Mode mode)
    : m_mode(mode)
    , m_exceptionsAtStart(std::uncaught_exceptions())
{
    if (g_batchDepth == 0) {
        QSqlDatabase db = Database::connection();
        if (g_readOnly)
            throw DbError(
                readOnlyMessage(Database::displayName(), QStringLiteral("nur zum Lesen geöffnet")));
        execOrThrow(db, SqlDialect::beginWriteStatement(db),
                    QStringLiteral("Beginnen einer Transaktion"));
        beginStampedWrites(db);
        m_outermost = true;
        g_batchKeepsStored = mode == KeepStored;
        g_batchWrites = 0;
    }
    ++g_batchDepth;
}

WriteBatch::~WriteBatch()
{
    --g_batchDepth;
    if (!m_outermost || m_done)
        return;
    QSqlDatabase db = QSqlDatabase::database(Database::ConnectionName, false);
    QSqlQuery q(db);
    const bool unwinding = std::uncaught_exceptions() > m_exceptionsAtStart;
    if (unwinding && m_mode == KeepStored) {
        endStampedWrites(db);
        if (q.exec(QStringLiteral("COMMIT")))
            return;
    }
    q.exec(QStringLiteral("ROLLBACK"));
}

void WriteBatch::commit()
{
    if (!m_outermost || m_done)
        return;
    QSqlDatabase db = QSqlDatabase::database(Database::ConnectionName, false);
    QSqlQuery q(db);
    m_done = true;
    endStampedWrites(db);
    if (q.exec(QStringLiteral("COMMIT")))
        return;
    // A refused COMMIT leaves the transaction open.
    const QSqlError error = q.lastError();
    q.exec(QStringLiteral("ROLLBACK"));
    throw Database::error(QStringLiteral("Speichern der Änderungen"), error);
}

int Database::rowsAffected()
{
    return g_rowsAffected;
}

bool WriteBatch::isOpen()
{
    return g_batchDepth > 0;
}

bool Database::execWrite(QSqlQuery &query, const QString &sql)
{
    // SQLite names the writer to the change log only inside a transaction of the program.
    if (!WriteBatch::isOpen() && !isServer()) {
        WriteBatch single(WriteBatch::AllOrNothing);
        const bool ok = execWrite(query, sql);
        if (ok)
            single.commit();
        return ok;
    }
    const auto counted = [&query](bool ok) {
        // read now: SQLite counts for the connection, and the session stamp writes too
        g_rowsAffected = ok ? query.numRowsAffected() : 0;
        return ok;
    };
    // A server ends the whole transaction at its first failed statement; a batch that keeps
    // what was stored before an error fences each write off once there is something to keep.
    const bool fenced =
        isServer() && WriteBatch::isOpen() && g_batchKeepsStored && g_batchWrites > 0;
    QSqlQuery fence(connection());
    if (fenced)
        fence.exec(QStringLiteral("SAVEPOINT taktora_write"));
    const bool ok = counted(sql.isEmpty() ? query.exec() : query.exec(sql));
    if (fenced)
        fence.exec(ok ? QStringLiteral("RELEASE SAVEPOINT taktora_write")
                      : QStringLiteral("ROLLBACK TO SAVEPOINT taktora_write"));
    if (ok)
        ++g_batchWrites;
    return ok;
}

void retryTransaction(RetryOn on, const std::function<void()> &work)
{
    constexpr int Attempts = 5;
    for (int attempt = 1;; ++attempt) {
        try {
            work();
            return;
        } catch (const DbError &error) {
            const bool retry = error.kind() == DbError::Kind::Conflict
                || (on == RetryOn::ConcurrentWrite && error.kind() != DbError::Kind::Other);
            if (!retry || attempt == Attempts)
                throw;
        }
    }
}

} // namespace tk
