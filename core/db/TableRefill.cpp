#include "core/db/TableRefill.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>

#include "core/common/Errors.h"
#include "core/db/Schema.h"
#include "core/db/SessionStamp.h"
#include "core/db/SqlDialect.h"
#include "core/db/TableChanges.h"

namespace tk {

namespace {

// A server names the triggers of the current schema with their whole statement.
const char *const ServerTriggers =
    "SELECT t.tgname, c.relname, pg_get_triggerdef(t.oid) FROM pg_trigger t "
    "JOIN pg_class c ON c.oid = t.tgrelid JOIN pg_namespace n ON n.oid = c.relnamespace "
    "WHERE NOT t.tgisinternal AND n.nspname = current_schema()";
const char *const FileTriggers =
    "SELECT name, tbl_name, sql FROM sqlite_master WHERE type = 'trigger'";

} // namespace

TableRefill::TableRefill(const QString &reason)
    : m_reason(reason)
    , m_batch(WriteBatch::AllOrNothing)
{
    holdTriggers();
}

TableRefill::~TableRefill() = default;

void TableRefill::run(const QString &sql, const QString &action)
{
    QSqlQuery q(Database::connection());
    if (!q.exec(sql))
        throw Database::error(action, q.lastError());
}

void TableRefill::holdTriggers()
{
    const QSqlDatabase db = Database::connection();
    const bool server = SqlDialect::isServer(db);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QLatin1String(server ? ServerTriggers : FileTriggers)))
        throw Database::error(QStringLiteral("Lesen der Trigger"), q.lastError());
    while (q.next())
        m_held.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
    for (const Trigger &trigger : m_held) {
        run(server ? QStringLiteral("DROP TRIGGER %1 ON %2").arg(trigger.name, trigger.table)
                   : QStringLiteral("DROP TRIGGER \"%1\"").arg(trigger.name),
            QStringLiteral("Anhalten der Trigger"));
    }
}

void TableRefill::restoreTriggers()
{
    for (const Trigger &trigger : m_held)
        run(trigger.definition, QStringLiteral("Wiederherstellen der Trigger"));
    m_held.clear();
}

void TableRefill::empty(const QString &table)
{
    touch(table);
    QSqlQuery q(Database::connection());
    if (!q.exec(QStringLiteral("DELETE FROM %1")
                    .arg(SqlDialect::identifier(Database::connection(), table))))
        throw Database::error(QStringLiteral("Leeren der Tabelle %1").arg(table), q.lastError());
    m_counts[table].after = 0;
}

// The first touch of a table counts its rows before the refill.
void TableRefill::touch(const QString &table)
{
    if (m_counts.contains(table))
        return;
    QSqlError error;
    const std::optional<qint64> rows = SqlDialect::rowCount(Database::connection(), table, &error);
    if (!rows)
        throw Database::error(QStringLiteral("Lesen der Tabelle %1").arg(table), error);
    m_counts.insert(table, {*rows, *rows});
    m_tables << table;
}

QSqlQuery &TableRefill::prepared(const QString &table, const QStringList &columns)
{
    touch(table);
    const QSqlDatabase db = Database::connection();
    const QString key = table + QLatin1Char(':') + columns.join(QLatin1Char(','));
    std::shared_ptr<QSqlQuery> &insert = m_inserts[key];
    if (!insert) {
        QStringList names, marks;
        for (const QString &column : columns) {
            names << SqlDialect::identifier(db, column);
            marks << QStringLiteral("?");
        }
        insert = std::make_shared<QSqlQuery>(db);
        if (!insert->prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                 .arg(SqlDialect::identifier(db, table),
                                      names.join(QStringLiteral(", ")),
                                      marks.join(QStringLiteral(", ")))))
            throw Database::error(QStringLiteral("Schreiben in die Tabelle %1").arg(table),
                                  insert->lastError());
    }
    return *insert;
}

void TableRefill::insert(const QString &table, const QStringList &columns,
                         const QVariantList &values)
{
    QSqlQuery &q = prepared(table, columns);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, SqlDialect::bindable(values.at(i)));
    if (!q.exec())
        throw Database::error(QStringLiteral("Schreiben in die Tabelle %1").arg(table),
                              q.lastError());
    ++m_counts[table].after;
}

// One line per table that held or holds rows in the change log, written after the triggers are back
// (they never let a log row be changed).
void TableRefill::logRefill()
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("INSERT INTO Protokoll (Zeitpunkt, Benutzer, Arbeitsplatz, Tabelle, "
                             "Schluessel, Feld, AltWert, NeuWert, Grund) "
                             "VALUES (?, ?, ?, ?, '', '', ?, ?, ?)"));
    const QString now =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss"));
    for (const QString &table : m_tables) {
        if (table.compare(QLatin1String("Protokoll"), Qt::CaseInsensitive) == 0)
            continue;
        const Counts counts = m_counts.value(table);
        if (counts.before == 0 && counts.after == 0)
            continue;
        for (const QVariant &value :
             {QVariant(now), QVariant(SessionUser()), QVariant(SessionWorkstation()),
              QVariant(table), QVariant(QStringLiteral("%1 Zeilen").arg(counts.before)),
              QVariant(QStringLiteral("%1 Zeilen").arg(counts.after)), QVariant(m_reason)})
            q.addBindValue(value);
        if (!q.exec())
            throw Database::error(QStringLiteral("Schreiben des Änderungsprotokolls"),
                                  q.lastError());
    }
}

void TableRefill::commit()
{
    m_inserts.clear();
    restoreTriggers();
    logRefill();
    const QSqlDatabase db = Database::connection();
    if (SqlDialect::isServer(db)) { // the other workstations re-read the tables refilled
        for (const QString &table : m_tables)
            run(QStringLiteral("SELECT pg_notify('%1', '%2:0')")
                    .arg(QLatin1String(ChangeChannel), schemaSpelling(table)),
                QStringLiteral("Benachrichtigen der Arbeitsplätze"));
    }
    m_batch.commit();
    for (const QString &table : m_tables)
        TableChanges::noteChanged(table);
}

} // namespace tk
