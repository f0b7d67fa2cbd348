#include "core/db/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <exception>

#include "core/common/Errors.h"
#include "core/db/Schema.h"
#include "core/db/SqlDialect.h"

namespace tk {

namespace {

QString g_dataDir;
int g_batchDepth = 0;

QSqlDatabase namedConnection()
{
    if (QSqlDatabase::contains(Database::ConnectionName))
        return QSqlDatabase::database(Database::ConnectionName, false);
    return QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Database::ConnectionName);
}

// A database file that cannot be read shows itself only on the first statement.
void probe(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const QSqlError error = q.lastError();
        q.finish();
        db.close();
        throw DbError(Database::describeError(QStringLiteral("Öffnen der Datenbank"), error));
    }
}

void execOrThrow(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw DbError(
            Database::describeError(QStringLiteral("Anlegen der Tabellen"), q.lastError()));
}

} // namespace

void Database::setPath(const QString &dataDir)
{
    disconnect();
    g_dataDir = QDir::cleanPath(dataDir);
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
    db.setDatabaseName(file.absoluteFilePath());
    db.setConnectOptions(file.isWritable()
                             ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000")
                             : QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000;QSQLITE_OPEN_READONLY"));
    if (!db.open())
        throw DbError(describeError(QStringLiteral("Öffnen der Datenbank"), db.lastError()));
    probe(db);
    SqlDialect::configureConnection(db);
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
        db.transaction();
        for (const QString &statement : schemaStatements())
            execOrThrow(db, statement);
        db.commit();
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
    const QStringList tables = connection().tables(QSql::Tables);
    for (const QString &table : tables) {
        if (table.compare(wanted, Qt::CaseInsensitive) == 0)
            return table;
    }
    throw DbError(
        QStringLiteral("Die Tabelle \"%1\" ist in der Datenbank nicht vorhanden.").arg(wanted));
}

QString Database::describeError(const QString &action, const QSqlError &error)
{
    QSqlDatabase db = namedConnection();
    const QString native = error.nativeErrorCode();
    const QString text = error.text().trimmed();
    const QString file = QDir::toNativeSeparators(filePath());
    if (SqlDialect::isLockError(db, native, text))
        return QStringLiteral("Die Datenbank \"%1\" ist von einem anderen Programm gesperrt. "
                              "Bitte später noch einmal versuchen.\n(%2: %3)")
            .arg(file, action, text);
    if (SqlDialect::isCorruptError(db, native, text))
        return QStringLiteral(
                   "Die Datei \"%1\" ist beschädigt oder keine Taktora-Datenbank.\n(%2: %3)")
            .arg(file, action, text);
    if (text.contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive))
        return QStringLiteral("Ein Datensatz mit diesem Schlüssel ist bereits vorhanden; die "
                              "Änderung wurde nicht gespeichert.\n(%1: %2)")
            .arg(action, text);
    if (text.contains(QLatin1String("readonly"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("read-only"), Qt::CaseInsensitive))
        return QStringLiteral("Die Datenbank \"%1\" ist schreibgeschützt; die Änderung wurde nicht "
                              "gespeichert.\n(%2: %3)")
            .arg(file, action, text);
    return QStringLiteral("Datenbankfehler beim %1: %2").arg(action, text);
}

WriteBatch::WriteBatch(Mode mode)
    : m_mode(mode)
    , m_exceptionsAtStart(std::uncaught_exceptions())
{
    if (g_batchDepth == 0) {
        QSqlDatabase db = Database::connection();
        if (!db.transaction())
            throw DbError(Database::describeError(QStringLiteral("Beginnen einer Transaktion"),
                                                  db.lastError()));
        m_outermost = true;
    }
    ++g_batchDepth;
}

WriteBatch::~WriteBatch()
{
    --g_batchDepth;
    if (!m_outermost)
        return;
    QSqlDatabase db = QSqlDatabase::database(Database::ConnectionName, false);
    const bool unwinding = std::uncaught_exceptions() > m_exceptionsAtStart;
    if (unwinding && m_mode == AllOrNothing) {
        db.rollback();
        return;
    }
    if (!db.commit())
        db.rollback();
}

} // namespace tk
