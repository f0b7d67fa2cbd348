#include "core/db/SqlDialect.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "core/common/ClockText.h"
#include "core/db/Database.h"

namespace tk {

namespace {

const QLatin1String SqliteDriver("QSQLITE");

bool isSqlite(const QSqlDatabase &db)
{
    return db.driverName() == SqliteDriver;
}

// SQLite's primary result codes (the low byte of an extended code).
enum SqliteCode {
    SqliteBusy = 5,
    SqliteLocked = 6,
    SqliteReadOnly = 8,
    SqliteIoErr = 10,
    SqliteCorrupt = 11,
    SqliteFull = 13,
    SqliteCantOpen = 14,
    SqliteConstraint = 19,
    SqliteNotADb = 26
};

// Without a code this program knows (other servers, errors Qt makes itself) the text is all
// there is.
DbFailure classifyText(const QString &text)
{
    const auto has = [&text](const char *word) {
        return text.contains(QLatin1String(word), Qt::CaseInsensitive);
    };
    if (has("lock"))
        return DbFailure::Locked;
    if (has("not a database") || has("malformed"))
        return DbFailure::Corrupt;
    if (has("disk is full"))
        return DbFailure::DiskFull;
    if (has("I/O error"))
        return DbFailure::IoError;
    if (has("unique") || has("duplicate"))
        return DbFailure::Duplicate;
    if (has("read-only") || has("readonly"))
        return DbFailure::ReadOnly;
    if (has("no such table"))
        return DbFailure::MissingTable;
    return DbFailure::Other;
}

DbFailure classifySqlite(int code, const QString &text)
{
    switch (code & 0xff) {
    case SqliteBusy:
    case SqliteLocked:
        return DbFailure::Locked;
    case SqliteReadOnly:
        return DbFailure::ReadOnly;
    case SqliteIoErr:
        return DbFailure::IoError;
    case SqliteCorrupt:
    case SqliteNotADb:
        return DbFailure::Corrupt;
    case SqliteFull:
        return DbFailure::DiskFull;
    case SqliteCantOpen:
        return DbFailure::CannotOpen;
    case SqliteConstraint:
        return text.contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive) ? DbFailure::Duplicate
                                                                           : DbFailure::Refused;
    default:
        return classifyText(text);
    }
}

// A server names the failure by its SQLSTATE, five characters whose first two give the class.
DbFailure classifySqlState(const QString &state, const QString &text)
{
    if (state == QLatin1String("23505"))
        return DbFailure::Duplicate;
    if (state == QLatin1String("40001") || state == QLatin1String("40P01"))
        return DbFailure::Conflict;
    if (state == QLatin1String("42P01"))
        return DbFailure::MissingTable;
    if (state == QLatin1String("25006"))
        return DbFailure::ReadOnly;
    if (state == QLatin1String("53100"))
        return DbFailure::DiskFull;
    if (state == QLatin1String("55P03"))
        return DbFailure::Locked;
    if (state.startsWith(QLatin1String("XX")))
        return DbFailure::Corrupt;
    if (state.startsWith(QLatin1String("23")) || state == QLatin1String("P0001"))
        return DbFailure::Refused;
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        return DbFailure::Lost;
    if (state.startsWith(QLatin1String("28")) || state == QLatin1String("3D000"))
        return DbFailure::CannotOpen;
    if (text.contains(QLatin1String("server closed the connection"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("no connection to the server"), Qt::CaseInsensitive))
        return DbFailure::Lost;
    return classifyText(text);
}

} // namespace

bool SqlDialect::isServer(const QSqlDatabase &db)
{
    return !isSqlite(db);
}

QString SqlDialect::rowIdColumn(const QSqlDatabase &db)
{
    return isSqlite(db) ? QStringLiteral("rowid") : QStringLiteral("id");
}

QString SqlDialect::identifier(const QSqlDatabase &db, const QString &name)
{
    return db.driver()->escapeIdentifier(isSqlite(db) ? name : name.toLower(),
                                         QSqlDriver::FieldName);
}

QSqlRecord SqlDialect::record(const QSqlDatabase &db, const QString &table)
{
    return db.record(identifier(db, table));
}

std::optional<QSqlError> SqlDialect::configureConnection(QSqlDatabase &db, bool writable)
{
    QSqlQuery q(db);
    QStringList settings;
    if (isSqlite(db)) {
        // FULL syncs every commit, so a post is durable when it returns. Foreign keys are
        // checked, so a reference the database declares is kept. Only a writer may change the
        // journal mode; a reader takes the mode the file has.
        settings << QStringLiteral("PRAGMA synchronous=FULL")
                 << QStringLiteral("PRAGMA foreign_keys=ON");
        if (writable)
            settings.prepend(QStringLiteral("PRAGMA journal_mode=WAL"));
    } else {
        // A row another workstation holds is waited for as long as SQLite waits for its file.
        settings << QStringLiteral("SET client_min_messages TO warning")
                 << QStringLiteral("SET lock_timeout = %1").arg(Database::BusyTimeoutMs);
        if (!writable)
            settings << QStringLiteral("SET default_transaction_read_only = on");
    }
    for (const QString &setting : settings) {
        if (!q.exec(setting))
            return q.lastError();
        q.finish();
    }
    return std::nullopt;
}

QString SqlDialect::beginWriteStatement(const QSqlDatabase &db)
{
    return isSqlite(db) ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
}

std::optional<QStringList> SqlDialect::tableNames(const QSqlDatabase &db, QSqlError *error)
{
    // The driver's own table list turns a failed read into an empty list, which would
    // make a full disk or a lock look like missing tables.
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const QString sql = isSqlite(db)
        ? QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")
        : QStringLiteral("SELECT table_name FROM information_schema.tables "
                         "WHERE table_schema = current_schema() AND table_type = 'BASE TABLE'");
    if (!q.exec(sql)) {
        *error = q.lastError();
        return std::nullopt;
    }
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    if (q.lastError().isValid()) {
        *error = q.lastError();
        return std::nullopt;
    }
    return names;
}

std::optional<qint64> SqlDialect::rowCount(const QSqlDatabase &db, const QString &table,
                                           QSqlError *error)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT count(*) FROM %1").arg(identifier(db, table)))
        || !q.next()) {
        *error = q.lastError();
        return std::nullopt;
    }
    return q.value(0).toLongLong();
}

QVariant SqlDialect::bindable(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate)
        return IsoDateText(value.toDate());
    return value;
}

bool SqlDialect::hasTrigger(const QSqlDatabase &db, const QString &prefix)
{
    QSqlQuery q(db);
    q.prepare(isSqlite(db) ? QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = "
                                            "'trigger' AND lower(name) LIKE ?")
                           : QStringLiteral("SELECT count(*) FROM pg_trigger WHERE tgname LIKE ?"));
    q.addBindValue(prefix.toLower() + QLatin1Char('%'));
    if (!q.exec() || !q.next())
        throw DbError(QStringLiteral("Die Trigger der Datenbank können nicht gelesen werden: %1")
                          .arg(q.lastError().text()));
    return q.value(0).toInt() > 0;
}

DbFailure SqlDialect::classify(const QString &driverName, const QSqlError &error)
{
    const QString text = error.text();
    if (driverName != SqliteDriver)
        return classifySqlState(error.nativeErrorCode(), text);
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    if (!numeric)
        return classifyText(text);
    return classifySqlite(code, text);
}

} // namespace tk
