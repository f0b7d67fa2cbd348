#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tk {

// The few things that differ between database servers. Everything else the table layer
// sends is standard SQL with bound parameters.
class SqlDialect
{
public:
    // Column that identifies a stored row for updates and deletes.
    static QString rowIdColumn(const QSqlDatabase &db);
    // Settings made on every new connection (durability, locking).
    static void configureConnection(QSqlDatabase &db);
    // True when the error means another program holds a lock on the database.
    static bool isLockError(const QSqlDatabase &db, const QString &nativeCode, const QString &text);
    // True when the error means the file is damaged or not a database at all.
    static bool isCorruptError(const QSqlDatabase &db, const QString &nativeCode,
                               const QString &text);
};

} // namespace tk
