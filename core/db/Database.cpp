#include "core/db/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <exception>
#include <optional>

#include "core/common/Errors.h"
#include "core/db/Schema.h"
#include "core/db/SqlDialect.h"

namespace tk {

namespace {

QString g_dataDir;
Database::Access g_access = Database::Access::Auto;
bool g_readOnly = false;
int g_batchDepth = 0;

QSqlDatabase namedConnection()
{
    if (QSqlDatabase::contains(Database::ConnectionName))
        return QSqlDatabase::database(Database::ConnectionName, false);
    return QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Database::ConnectionName);
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
        throw DbError(Database::describeError(QStringLiteral("Öffnen der Datenbank"), *error));
    if (const auto error = SqlDialect::configureConnection(db, true)) {
        db.close();
        throw DbError(Database::describeError(QStringLiteral("Öffnen der Datenbank"), *error));
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
    throw DbError(Database::describeError(QStringLiteral("Öffnen der Datenbank"), *error));
}

void execOrThrow(QSqlDatabase &db, const QString &sql, const QString &action)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw DbError(Database::describeError(action, q.lastError()));
}

QString readOnlyMessage(const QString &file, const QString &detail)
{
    return QStringLiteral("Die Datenbank \"%1\" ist schreibgeschützt; die Änderung wurde nicht "
                          "gespeichert.\n(%2)")
        .arg(file, detail);
}

// "no such table: X" names the table the statement wanted.
QString missingTableName(const QString &text)
{
    const QLatin1String marker("no such table:");
    const int at = text.indexOf(marker, 0, Qt::CaseInsensitive);
    return at < 0 ? text : text.mid(at + marker.size()).trimmed();
}

} // namespace

void Database::setPath(const QString &dataDir, Access access)
{
    disconnect();
    g_dataDir = QDir::cleanPath(dataDir);
    g_access = access;
}

QString Database::path()
{
    return g_dataDir;
}

QString Database::filePath()
{
    return QDir(g_dataDir).filePath(QLatin1String(FileName));
}

QSqlDatabase Database::connection()
{
    QSqlDatabase db = namedConnection();
    if (db.isOpen())
        return db;
    if (g_dataDir.isEmpty() || !QFileInfo(g_dataDir).isDir())
        throw DbError(QStringLiteral("Das Datenverzeichnis \"%1\" ist nicht vorhanden.")
                          .arg(QDir::toNativeSeparators(g_dataDir)));
    const QFileInfo file(filePath());
    if (!file.exists())
        throw DbError(QStringLiteral("Im Datenverzeichnis \"%1\" gibt es keine Datenbank (%2).")
                          .arg(QDir::toNativeSeparators(g_dataDir), QLatin1String(FileName)));
    g_readOnly = g_access == Access::ReadOnly || !mayWrite(file);
    if (g_readOnly)
        openReadOnly(db, file.absoluteFilePath());
    else
        openWritable(db, file.absoluteFilePath());
    return db;
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
    const QString file = QDir(dir).filePath(QLatin1String(FileName));
    if (QFileInfo::exists(file))
        return false;
    if (!QDir().mkpath(dir))
        throw DbError(QStringLiteral("Das Datenverzeichnis \"%1\" kann nicht angelegt werden.")
                          .arg(QDir::toNativeSeparators(dir)));
    const QString name = QStringLiteral("taktora_create");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open())
            throw DbError(describeError(QStringLiteral("Anlegen der Datenbank"), db.lastError()));
        const QString action = QStringLiteral("Anlegen der Tabellen");
        if (const auto error = SqlDialect::configureConnection(db, true))
            throw DbError(describeError(action, *error));
        execOrThrow(db, SqlDialect::beginWriteStatement(db), action);
        for (const QString &statement : schemaStatements())
            execOrThrow(db, statement, action);
        execOrThrow(db, QStringLiteral("COMMIT"), action);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
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
        throw DbError(describeError(QStringLiteral("Lesen der Tabellenliste"), error));
    for (const QString &table : *tables) {
        if (table.compare(wanted, Qt::CaseInsensitive) == 0)
            return table;
    }
    throw DbError(
        QStringLiteral("Die Tabelle \"%1\" ist in der Datenbank nicht vorhanden.").arg(wanted));
}

QString Database::describeError(const QString &action, const QSqlError &error)
{
    const QString text = error.text().trimmed();
    const QString file = QDir::toNativeSeparators(filePath());
    switch (SqlDialect::classify(namedConnection().driverName(), error)) {
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
    case DbFailure::Other:
        break;
    }
    return QStringLiteral("Datenbankfehler beim %1: %2").arg(action, text);
}

WriteBatch::WriteBatch(Mode mode)
    : m_mode(mode)
    , m_exceptionsAtStart(std::uncaught_exceptions())
{
    if (g_batchDepth == 0) {
        QSqlDatabase db = Database::connection();
        if (g_readOnly)
            throw DbError(readOnlyMessage(QDir::toNativeSeparators(Database::filePath()),
                                          QStringLiteral("nur zum Lesen geöffnet")));
        execOrThrow(db, SqlDialect::beginWriteStatement(db),
                    QStringLiteral("Beginnen einer Transaktion"));
        m_outermost = true;
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
    if (unwinding && m_mode == KeepStored && q.exec(QStringLiteral("COMMIT")))
        return;
    q.exec(QStringLiteral("ROLLBACK"));
}

void WriteBatch::commit()
{
    if (!m_outermost || m_done)
        return;
    QSqlDatabase db = QSqlDatabase::database(Database::ConnectionName, false);
    QSqlQuery q(db);
    m_done = true;
    if (q.exec(QStringLiteral("COMMIT")))
        return;
    // A refused COMMIT leaves the transaction open.
    const QSqlError error = q.lastError();
    q.exec(QStringLiteral("ROLLBACK"));
    throw DbError(Database::describeError(QStringLiteral("Speichern der Änderungen"), error));
}

} // namespace tk
