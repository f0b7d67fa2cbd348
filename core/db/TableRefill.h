#pragma once

#include <QHash>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

#include <memory>

#include "core/db/Database.h"

namespace tk {

// Replaces the rows of the program's tables (taking over old data, restoring a backup into a
// server) as one change: one transaction, all or nothing. While it runs every trigger of the
// database is held (dropped, and made again from its own definition before the commit): the
// rows are no operator's edits, so the change log gets one line per table refilled (the rows
// before and after, and the reason) instead of one per field, and closed periods do not refuse
// being emptied. The windows re-read the tables once it is committed.
class TableRefill
{
public:
    explicit TableRefill(const QString &reason);
    ~TableRefill();
    TableRefill(const TableRefill &) = delete;
    TableRefill &operator=(const TableRefill &) = delete;

    // Deletes every row of the table.
    void empty(const QString &table);
    // Adds one row; dates are given as QDate or ISO text. Throws DbError naming the table.
    void insert(const QString &table, const QStringList &columns, const QVariantList &values);
    // Makes the triggers again, logs the refill and commits; throws DbError.
    void commit();

private:
    struct Trigger
    {
        QString name;
        QString table;
        QString definition;
    };
    struct Counts
    {
        qint64 before = 0;
        qint64 after = 0;
    };
    void holdTriggers();
    void restoreTriggers();
    void logRefill();
    void touch(const QString &table);
    QSqlQuery &prepared(const QString &table, const QStringList &columns);
    void run(const QString &sql, const QString &action);

    QString m_reason;
    WriteBatch m_batch;
    QVector<Trigger> m_held;
    QStringList m_tables; // in the order first touched
    QHash<QString, Counts> m_counts;
    QHash<QString, std::shared_ptr<QSqlQuery>> m_inserts;
};

} // namespace tk
