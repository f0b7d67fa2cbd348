#include "core/db/SqlDialect.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

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

} // namespace

QString SqlDialect::rowIdColumn(const QSqlDatabase &db)
{
    return isSqlite(db) ? QStringLiteral("rowid") : QStringLiteral("ctid");
}

std::optional<QSqlError> SqlDialect::configureConnection(QSqlDatabase &db, bool writable)
{
    if (!isSqlite(db))
        return std::nullopt;
    QSqlQuery q(db);
    // FULL syncs every commit, so a post is durable when it returns. Foreign keys are
    // checked, so a reference the database declares is kept. Only a writer may change the
    // journal mode; a reader takes the mode the file has.
    QStringList pragmas{QStringLiteral("PRAGMA synchronous=FULL"),
                        QStringLiteral("PRAGMA foreign_keys=ON")};
    if (writable)
        pragmas.prepend(QStringLiteral("PRAGMA journal_mode=WAL"));
    for (const QString &pragma : pragmas) {
        if (!q.exec(pragma))
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
    if (!isSqlite(db))
        return db.tables(QSql::Tables);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
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

DbFailure SqlDialect::classify(const QString &driverName, const QSqlError &error)
{
    const QString text = error.text();
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    if (driverName != SqliteDriver || !numeric)
        return classifyText(text);
    return classifySqlite(code, text);
}

} // namespace tk
