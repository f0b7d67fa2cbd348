#pragma once

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <optional>

class QSqlError;

namespace tk {

// Why a statement failed, as far as the operator can act on it.
enum class DbFailure {
    Locked,       // another program holds the database
    Corrupt,      // the file is damaged or not a database
    DiskFull,     // no room left for the change
    IoError,      // the disk refused to read or write
    ReadOnly,     // no write rights, or opened for reading only
    CannotOpen,   // the file cannot be opened at all
    MissingTable, // a statement names a table the database lacks
    Duplicate,    // a unique key is taken
    Refused,      // another rule of the database (foreign key, check, trigger)
    Conflict,     // a serialization failure or deadlock: the transaction may simply be retried
    Lost,         // the connection to the server broke off
    Other
};

// The few things that differ between database servers. Everything else the table layer
// sends is standard SQL with bound parameters.
class SqlDialect
{
public:
    static bool isServer(const QSqlDatabase &db);
    // Column that identifies a stored row for updates and deletes.
    static QString rowIdColumn(const QSqlDatabase &db);
    // A table or field name as statements write it. A server's tables are made with
    // unquoted names, which it folds to lower case.
    static QString identifier(const QSqlDatabase &db, const QString &name);
    // The fields of a table as the database has them; empty when there is no such table.
    static QSqlRecord record(const QSqlDatabase &db, const QString &table);
    // Settings made on every new connection (durability, locking); writable connections are
    // put into WAL mode, so readers never block the writer. Returns the error of a setting
    // that failed.
    static std::optional<QSqlError> configureConnection(QSqlDatabase &db, bool writable);
    // Starts a transaction that holds the write lock from its first statement, so it never
    // has to upgrade a read snapshot (which fails at once instead of waiting).
    static QString beginWriteStatement(const QSqlDatabase &db);
    // The tables of the database; nothing (and the error) when the list cannot be read.
    static std::optional<QStringList> tableNames(const QSqlDatabase &db, QSqlError *error);
    // The rows of a table; nothing (and the error) when they cannot be counted.
    static std::optional<qint64> rowCount(const QSqlDatabase &db, const QString &table,
                                          QSqlError *error);
    // A value bound into a statement of either kind of database: dates travel as ISO text,
    // which both take for a date.
    static QVariant bindable(const QVariant &value);
    // Whether a trigger whose name starts with prefix exists (case ignored); throws DbError.
    static bool hasTrigger(const QSqlDatabase &db, const QString &prefix);
    // Sorts a driver error by its native code, falling back to its text.
    static DbFailure classify(const QString &driverName, const QSqlError &error);
};

} // namespace tk
