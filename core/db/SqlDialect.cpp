#include "core/db/SqlDialect.h"

#include <QSqlQuery>
#include <QVariant>

namespace tk {

namespace {
bool isSqlite(const QSqlDatabase &db)
{
    return db.driverName() == QLatin1String("QSQLITE");
}
} // namespace

QString SqlDialect::rowIdColumn(const QSqlDatabase &db)
{
    return isSqlite(db) ? QStringLiteral("rowid") : QStringLiteral("ctid");
}

void SqlDialect::configureConnection(QSqlDatabase &db)
{
    if (!isSqlite(db))
        return;
    QSqlQuery q(db);
    // WAL keeps readers and the writer apart; FULL syncs every commit, so a post is durable
    // when it returns. A read-only folder cannot hold the WAL files: the default journal
    // mode then stays, which is just as durable.
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.finish();
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    q.finish();
}

bool SqlDialect::isLockError(const QSqlDatabase &db, const QString &nativeCode, const QString &text)
{
    if (isSqlite(db))
        return nativeCode == QLatin1String("5") || nativeCode == QLatin1String("6")
            || text.contains(QLatin1String("locked"), Qt::CaseInsensitive);
    return text.contains(QLatin1String("lock"), Qt::CaseInsensitive);
}

bool SqlDialect::isCorruptError(const QSqlDatabase &db, const QString &nativeCode,
                                const QString &text)
{
    if (isSqlite(db))
        return nativeCode == QLatin1String("26") || nativeCode == QLatin1String("11")
            || text.contains(QLatin1String("not a database"), Qt::CaseInsensitive)
            || text.contains(QLatin1String("malformed"), Qt::CaseInsensitive);
    return false;
}

} // namespace tk
