#include "core/db/Schema.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <algorithm>
#include <iterator>

#include "core/common/Errors.h"
#include "core/db/ChangeLogSchema.h"
#include "core/db/Database.h"
#include "core/db/DatabaseBackup.h"
#include "core/db/SqlDialect.h"
#include "core/db/Table.h"

namespace tk {

namespace {

// A change to the tables of an existing database. needed() looks at the database, so a
// step also finds its work in databases that are older than the version number.
struct UpgradeStep
{
    int version;
    bool (*needed)();
    void (*apply)();
};

void execute(const QString &sql)
{
    Query query;
    query.setSql(sql);
    query.execute();
}

// Version 1: the first day of an employee's evaluation period. Older data folders lack the
// field; their employees keep the calendar month.
bool personalLacksAuswertBegin()
{
    const QSqlRecord personal =
        SqlDialect::record(Database::connection(), QStringLiteral("Personal"));
    return !personal.isEmpty() && !personal.contains(QStringLiteral("AuswertBegin"));
}

void addAuswertBegin()
{
    execute(QStringLiteral("ALTER TABLE Personal ADD AuswertBegin INTEGER"));
    execute(QStringLiteral("UPDATE Personal SET AuswertBegin = 1"));
}

// Version 2: a row version on every table, so that a write finds out when another
// workstation changed the row since it was read.
QStringList tablesLackingRowVersion()
{
    QStringList lacking;
    const QSqlDatabase db = Database::connection();
    for (const SchemaTable &table : schemaTables()) {
        const QSqlRecord record = SqlDialect::record(db, table.name);
        if (!record.isEmpty() && !record.contains(QLatin1String(RowVersionColumn)))
            lacking << table.name;
    }
    return lacking;
}

bool tablesLackRowVersion()
{
    return !tablesLackingRowVersion().isEmpty();
}

void addRowVersion()
{
    for (const QString &table : tablesLackingRowVersion())
        execute(QStringLiteral("ALTER TABLE %1 ADD %2").arg(table, rowVersionDefinition()));
}

QStringList createTableStatements(const SchemaTable &table, DatabaseUrl::Kind kind);
DatabaseUrl::Kind openKind();

// The tables of the list the database holds (present) or lacks.
QStringList tablesPresent(bool present)
{
    QStringList names;
    const QSqlDatabase db = Database::connection();
    for (const SchemaTable &table : schemaTables()) {
        if (SqlDialect::record(db, table.name).isEmpty() != present)
            names << table.name;
    }
    return names;
}

// A server tells the other workstations of every row written, so that their windows follow.
QString noticeTriggerStatement(const QString &table)
{
    return QStringLiteral("CREATE TRIGGER %1_notify AFTER INSERT OR UPDATE OR DELETE ON %1 "
                          "FOR EACH ROW EXECUTE FUNCTION taktora_notify()")
        .arg(table);
}

QStringList changeNoticeStatements(const QStringList &tables)
{
    QStringList statements{
        QStringLiteral(
            "CREATE FUNCTION taktora_notify() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
            "PERFORM pg_notify('%1', TG_TABLE_NAME || ':' || "
            "CASE WHEN TG_OP = 'DELETE' THEN OLD.%2 ELSE NEW.%2 END); RETURN NULL; END $$")
            .arg(QLatin1String(ChangeChannel), QLatin1String(SurrogateKeyColumn))};
    for (const QString &table : tables)
        statements << noticeTriggerStatement(table);
    return statements;
}

// Version 3: a server's tables announce their changes to the other workstations.
bool serverLacksChangeNotices()
{
    const QSqlDatabase db = Database::connection();
    if (!SqlDialect::isServer(db))
        return false;
    Query query;
    query.setSql(QStringLiteral("SELECT count(*) FROM pg_proc WHERE proname = 'taktora_notify'"));
    query.open();
    return query.value(0, 0).toInt() == 0;
}

void addChangeNotices()
{
    for (const QString &statement : changeNoticeStatements(tablesPresent(true)))
        execute(statement);
}

// Version 4: the firm's settings and the employees' time accounts.
bool tablesMissing()
{
    return !tablesPresent(false).isEmpty();
}

void addMissingTables()
{
    const DatabaseUrl::Kind kind = openKind();
    for (const QString &name : tablesPresent(false)) {
        const auto table = std::find_if(schemaTables().begin(), schemaTables().end(),
                                        [&name](const SchemaTable &t) { return t.name == name; });
        for (const QString &statement : createTableStatements(*table, kind))
            execute(statement);
        if (kind == DatabaseUrl::Kind::PostgreSQL)
            execute(noticeTriggerStatement(name));
    }
}

// Days of a closed period: the database itself refuses every write to them, so that no path
// around the program changes a closed month. SQLite's message cannot name the period; the
// program checks first and names it.
const char *const GuardedTables[] = {"auswert", "AuswPos"};

QString closedCondition(const char *row)
{
    return QStringLiteral("EXISTS (SELECT 1 FROM Abschluss a WHERE a.PersonalNummer = "
                          "%1.PersonalNummer AND %1.Datum BETWEEN a.Von AND a.Bis)")
        .arg(QLatin1String(row));
}

// The server's guard asks FOUND whether a closed period holds the row: a row variable with
// any empty field counts as neither NULL nor NOT NULL.
QString closedGuardFunction()
{
    return QStringLiteral(
        "CREATE OR REPLACE FUNCTION taktora_closed_guard() RETURNS trigger LANGUAGE plpgsql AS $$ "
        "DECLARE r record; hit boolean := false; BEGIN "
        "IF TG_OP <> 'INSERT' THEN SELECT * INTO r FROM Abschluss a WHERE a.PersonalNummer "
        "= OLD.PersonalNummer AND OLD.Datum BETWEEN a.Von AND a.Bis LIMIT 1; hit := FOUND; "
        "END IF; "
        "IF NOT hit AND TG_OP <> 'DELETE' THEN SELECT * INTO r FROM Abschluss a WHERE "
        "a.PersonalNummer = NEW.PersonalNummer AND NEW.Datum BETWEEN a.Von AND a.Bis "
        "LIMIT 1; hit := FOUND; END IF; "
        "IF hit THEN RAISE EXCEPTION 'Der Zeitraum % – % ist für Personal-Nr. % "
        "abgeschlossen.', to_char(r.Von, 'DD.MM.YYYY'), to_char(r.Bis, 'DD.MM.YYYY'), "
        "r.PersonalNummer; END IF; "
        "IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; RETURN NEW; END $$");
}

QStringList closingGuardStatements(DatabaseUrl::Kind kind)
{
    QStringList statements;
    if (kind == DatabaseUrl::Kind::PostgreSQL) {
        statements << closedGuardFunction();
        for (const char *table : GuardedTables)
            statements << QStringLiteral("CREATE TRIGGER %1_closed BEFORE INSERT OR UPDATE OR "
                                         "DELETE ON %1 FOR EACH ROW EXECUTE FUNCTION "
                                         "taktora_closed_guard()")
                              .arg(QLatin1String(table));
        return statements;
    }
    const QString refuse =
        QStringLiteral("BEGIN SELECT RAISE(ABORT, 'Der Zeitraum ist abgeschlossen.'); END");
    for (const char *table : GuardedTables) {
        const QString name = QLatin1String(table);
        statements
            << QStringLiteral("CREATE TRIGGER %1_closed_insert BEFORE INSERT ON %1 WHEN %2 %3")
                   .arg(name, closedCondition("NEW"), refuse)
            << QStringLiteral("CREATE TRIGGER %1_closed_update BEFORE UPDATE ON %1 WHEN %2 "
                              "OR %3 %4")
                   .arg(name, closedCondition("OLD"), closedCondition("NEW"), refuse)
            << QStringLiteral("CREATE TRIGGER %1_closed_delete BEFORE DELETE ON %1 WHEN %2 %3")
                   .arg(name, closedCondition("OLD"), refuse);
    }
    return statements;
}

// Versions 5 and 6 each add tables and triggers over them; a trigger whose name starts with
// firstTrigger tells that a step's triggers are there.
bool lacksTablesOrTriggers(const char *firstTrigger)
{
    return tablesMissing()
        || !SqlDialect::hasTrigger(Database::connection(), QLatin1String(firstTrigger));
}

void addTablesAndTriggers(const char *firstTrigger, QStringList (*triggers)(DatabaseUrl::Kind))
{
    addMissingTables();
    if (SqlDialect::hasTrigger(Database::connection(), QLatin1String(firstTrigger)))
        return;
    for (const QString &statement : triggers(openKind()))
        execute(statement);
}

// Version 5: closing a month (table Abschluss and the guards of its days) and the change log's
// tables.
bool closingMissing()
{
    return lacksTablesOrTriggers("auswert_closed");
}

void addClosing()
{
    addTablesAndTriggers("auswert_closed", closingGuardStatements);
}

// Version 6: the change log's triggers.
bool changeLogMissing()
{
    return lacksTablesOrTriggers("Personal_log");
}

void addChangeLog()
{
    addTablesAndTriggers("Personal_log", changeLogStatements);
}

// Version 7: a server whose guard of closed periods let rows through when the closing had an
// empty field gets the guard that asks FOUND.
bool serverGuardMissesPartRows()
{
    if (!SqlDialect::isServer(Database::connection()))
        return false;
    Query query;
    query.setSql(QStringLiteral("SELECT count(*) FROM pg_proc WHERE proname = "
                                "'taktora_closed_guard' AND prosrc NOT LIKE '%hit := FOUND%'"));
    query.open();
    return query.value(0, 0).toInt() > 0;
}

void replaceClosedGuard()
{
    execute(closedGuardFunction());
}

const UpgradeStep UpgradeSteps[] = {
    {1, personalLacksAuswertBegin, addAuswertBegin},
    {2, tablesLackRowVersion, addRowVersion},
    {3, serverLacksChangeNotices, addChangeNotices},
    {4, tablesMissing, addMissingTables},
    {5, closingMissing, addClosing},
    {6, changeLogMissing, addChangeLog},
    {7, serverGuardMissesPartRows, replaceClosedGuard},
};

const QLatin1String VersionTable("Schemastand");

// SQLite keeps the version in the file's header (a new file starts at 0); a server keeps it
// in a table of one row.
QStringList storeVersionStatements(DatabaseUrl::Kind kind)
{
    if (kind == DatabaseUrl::Kind::SQLite)
        return {QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion())};
    return {QStringLiteral("DELETE FROM %1").arg(VersionTable),
            QStringLiteral("INSERT INTO %1 (Version) VALUES (%2)")
                .arg(VersionTable)
                .arg(schemaVersion())};
}

DatabaseUrl::Kind openKind()
{
    return SqlDialect::isServer(Database::connection()) ? DatabaseUrl::Kind::PostgreSQL
                                                        : DatabaseUrl::Kind::SQLite;
}

void storeVersion()
{
    for (const QString &statement : storeVersionStatements(openKind()))
        execute(statement);
}

int storedVersion()
{
    Query query;
    query.setSql(openKind() == DatabaseUrl::Kind::SQLite
                     ? QStringLiteral("PRAGMA user_version")
                     : QStringLiteral("SELECT max(Version) FROM %1").arg(VersionTable));
    query.open();
    return query.rowCount() > 0 ? query.value(0, 0).toInt() : 0;
}

// "Name TYPE [NOT NULL]" in the server's words: dates are ISO text in SQLite and dates on a
// server, whose names are left unquoted (so folded to lower case, as every statement of the
// program writes them).
QString columnDefinition(const QString &column, DatabaseUrl::Kind kind)
{
    QStringList words = column.split(QLatin1Char(' '));
    QString &type = words[1];
    if (kind == DatabaseUrl::Kind::SQLite) {
        if (type == QLatin1String("DATE"))
            type = QStringLiteral("TEXT");
    } else {
        if (type == QLatin1String("REAL"))
            type = QStringLiteral("double precision");
        else
            type = type.toLower();
    }
    return words.join(QLatin1Char(' '));
}

QStringList createTableStatements(const SchemaTable &table, DatabaseUrl::Kind kind)
{
    const QString separator = QStringLiteral(", ");
    QStringList columns;
    if (kind == DatabaseUrl::Kind::PostgreSQL)
        columns << QStringLiteral("%1 bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")
                       .arg(QLatin1String(SurrogateKeyColumn));
    for (const QString &column : table.columns)
        columns << columnDefinition(column, kind);
    columns << rowVersionDefinition();
    QStringList statements{
        QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, columns.join(separator))};
    for (const SchemaIndex &index : table.indexes)
        statements << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), index.name,
                               table.name, index.columns.join(separator));
    return statements;
}

} // namespace

QStringList SchemaTable::columnNames(const QString &type) const
{
    QStringList names;
    for (const QString &column : columns) {
        if (type.isEmpty() || column.section(QLatin1Char(' '), 1, 1) == type)
            names << column.section(QLatin1Char(' '), 0, 0);
    }
    return names;
}

const QVector<SchemaTable> &schemaTables()
{
    static const QVector<SchemaTable> tables{
        {QStringLiteral("Personal"),
         {QStringLiteral("PersonalNummer INTEGER NOT NULL"), QStringLiteral("Name TEXT"),
          QStringLiteral("Vorname TEXT"), QStringLiteral("Strasse TEXT"),
          QStringLiteral("Plz TEXT"), QStringLiteral("Ort TEXT"), QStringLiteral("Telefon1 TEXT"),
          QStringLiteral("Telefon2 TEXT"), QStringLiteral("Geburtsdatum DATE"),
          QStringLiteral("EintrittsDatum DATE"), QStringLiteral("AustrittsDatum DATE"),
          QStringLiteral("BruttoLohn REAL"), QStringLiteral("Schicht INTEGER"),
          QStringLiteral("AuswertBegin INTEGER")},
         {{QStringLiteral("Personal_Key"), {QStringLiteral("PersonalNummer")}, true}}},
        {QStringLiteral("Schicht"),
         {QStringLiteral("Schichtplan INTEGER NOT NULL"), QStringLiteral("Bezeichnung TEXT")},
         {{QStringLiteral("Schicht_Key"), {QStringLiteral("Schichtplan")}, true}}},
        {QStringLiteral("Tagplan"),
         {QStringLiteral("Schichtplan INTEGER NOT NULL"),
          QStringLiteral("Tagesplan INTEGER NOT NULL"), QStringLiteral("Bezeichnung TEXT"),
          QStringLiteral("Von INTEGER"), QStringLiteral("Bis INTEGER"),
          QStringLiteral("PauseVon1 INTEGER"), QStringLiteral("PauseBis1 INTEGER"),
          QStringLiteral("PauseVon2 INTEGER"), QStringLiteral("PauseBis2 INTEGER"),
          QStringLiteral("PauseVon3 INTEGER"), QStringLiteral("PauseBis3 INTEGER"),
          QStringLiteral("Sollstd INTEGER"), QStringLiteral("Ueberstd1 INTEGER"),
          QStringLiteral("Ueberstd2 INTEGER"), QStringLiteral("Ueberstd3 INTEGER")},
         {{QStringLiteral("Tagplan_Key"),
           {QStringLiteral("Schichtplan"), QStringLiteral("Tagesplan")},
           true}}},
        {QStringLiteral("auswert"),
         {QStringLiteral("PersonalNummer INTEGER NOT NULL"), QStringLiteral("Datum DATE NOT NULL"),
          QStringLiteral("Schicht INTEGER"), QStringLiteral("Soll INTEGER"),
          QStringLiteral("Summe INTEGER"), QStringLiteral("Anwesend INTEGER"),
          QStringLiteral("Krank INTEGER"), QStringLiteral("Urlaub INTEGER"),
          QStringLiteral("Feiertag INTEGER"), QStringLiteral("Unbezahlt INTEGER")},
         {{QStringLiteral("auswert_Key"),
           {QStringLiteral("PersonalNummer"), QStringLiteral("Datum")},
           true}}},
        {QStringLiteral("AuswPos"),
         {QStringLiteral("PersonalNummer INTEGER NOT NULL"), QStringLiteral("Datum DATE NOT NULL"),
          QStringLiteral("Von INTEGER"), QStringLiteral("Bis INTEGER"),
          QStringLiteral("Summe INTEGER"), QStringLiteral("Kennung TEXT")},
         // several entries per day: the day's key is not unique here
         {{QStringLiteral("AuswPos_Day"),
           {QStringLiteral("PersonalNummer"), QStringLiteral("Datum")},
           false}}},
        // firm-wide settings all workstations share ("Bundesland", ...)
        {QStringLiteral("Einstellung"),
         {QStringLiteral("Schluessel TEXT NOT NULL"), QStringLiteral("Wert TEXT")},
         {{QStringLiteral("Einstellung_Key"), {QStringLiteral("Schluessel")}, true}}},
        // per employee and year: the balance carried in (minutes) and vacation days
        {QStringLiteral("Zeitkonto"),
         {QStringLiteral("PersonalNummer INTEGER NOT NULL"),
          QStringLiteral("Jahr INTEGER NOT NULL"), QStringLiteral("SaldoVortrag INTEGER"),
          QStringLiteral("Urlaubsanspruch REAL"), QStringLiteral("UrlaubVortrag REAL")},
         {{QStringLiteral("Zeitkonto_Key"),
           {QStringLiteral("PersonalNummer"), QStringLiteral("Jahr")},
           true}}},
        // the closed evaluation periods with the sums handed to payroll (minutes); Monat is
        // JJJJ-MM, the month whose period it is
        {QStringLiteral("Abschluss"),
         {QStringLiteral("PersonalNummer INTEGER NOT NULL"), QStringLiteral("Monat TEXT NOT NULL"),
          QStringLiteral("Von DATE NOT NULL"), QStringLiteral("Bis DATE NOT NULL"),
          QStringLiteral("AbgeschlossenAm TEXT"), QStringLiteral("AbgeschlossenVon TEXT"),
          QStringLiteral("Soll INTEGER"), QStringLiteral("Gesamt INTEGER"),
          QStringLiteral("Anwesend INTEGER"), QStringLiteral("Krank INTEGER"),
          QStringLiteral("Urlaub INTEGER"), QStringLiteral("Feiertag INTEGER"),
          QStringLiteral("Unbezahlt INTEGER")},
         {{QStringLiteral("Abschluss_Key"),
           {QStringLiteral("PersonalNummer"), QStringLiteral("Monat")},
           true}}},
        // the change log; its rows are never changed or deleted
        {QStringLiteral("Protokoll"),
         {QStringLiteral("Zeitpunkt TEXT NOT NULL"), QStringLiteral("Benutzer TEXT"),
          QStringLiteral("Arbeitsplatz TEXT"), QStringLiteral("Tabelle TEXT"),
          QStringLiteral("Schluessel TEXT"), QStringLiteral("Feld TEXT"),
          QStringLiteral("AltWert TEXT"), QStringLiteral("NeuWert TEXT"),
          QStringLiteral("Grund TEXT")},
         {{QStringLiteral("Protokoll_Zeit"), {QStringLiteral("Zeitpunkt")}, false}}},
        // who writes, for the change log of SQLite: one row while the program writes
        {QStringLiteral("Sitzung"),
         {QStringLiteral("Benutzer TEXT"), QStringLiteral("Arbeitsplatz TEXT"),
          QStringLiteral("Grund TEXT")},
         {}},
    };
    return tables;
}

int schemaVersion()
{
    return std::end(UpgradeSteps)[-1].version;
}

int storedSchemaVersion()
{
    return storedVersion();
}

QStringList schemaStatements(DatabaseUrl::Kind kind)
{
    QStringList statements, names;
    for (const SchemaTable &table : schemaTables()) {
        statements << createTableStatements(table, kind);
        names << table.name;
    }
    if (kind == DatabaseUrl::Kind::PostgreSQL) {
        statements << QStringLiteral("CREATE TABLE %1 (Version integer NOT NULL)").arg(VersionTable)
                   << changeNoticeStatements(names);
    }
    statements << closingGuardStatements(kind) << storeVersionStatements(kind);
    return statements;
}

QString rowVersionDefinition()
{
    return QStringLiteral("%1 INTEGER NOT NULL DEFAULT 1").arg(QLatin1String(RowVersionColumn));
}

bool isHiddenColumn(const QString &name)
{
    return name.compare(QLatin1String(RowVersionColumn), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String(SurrogateKeyColumn), Qt::CaseInsensitive) == 0;
}

QVariant valueOfAddedColumn(const QString &table, const QString &column)
{
    const bool auswertBegin = table.compare(QLatin1String("Personal"), Qt::CaseInsensitive) == 0
        && column.compare(QLatin1String("AuswertBegin"), Qt::CaseInsensitive) == 0;
    return auswertBegin ? QVariant(1) : QVariant();
}

QString schemaSpelling(const QString &name)
{
    const auto same = [&name](const QString &candidate) {
        return candidate.compare(name, Qt::CaseInsensitive) == 0;
    };
    for (const SchemaTable &table : schemaTables()) {
        if (same(table.name))
            return table.name;
        for (const QString &columnName : table.columnNames()) {
            if (same(columnName))
                return columnName;
        }
    }
    return name;
}

void upgradeSchema()
{
    const int stored = storedVersion();
    if (stored >= schemaVersion())
        return;
    QVector<const UpgradeStep *> pending;
    for (const UpgradeStep &step : UpgradeSteps) {
        if (step.version > stored && step.needed())
            pending << &step;
    }
    if (pending.isEmpty()) {
        // A database made before versions were recorded; a read-only one stays at 0.
        try {
            storeVersion();
        } catch (const DbError &) {
        }
        return;
    }
    // the tables as they were, before any step changes them; an upgrade is not held up by a
    // backup that cannot be written (the end of the program warns of that folder)
    if (!DatabaseBackup::automaticFolder().isEmpty()) {
        try {
            DatabaseBackup::writeInto(DatabaseBackup::automaticFolder(),
                                      QDateTime::currentDateTime());
        } catch (const UserError &e) {
            qWarning("%s", qPrintable(e.message()));
        }
    }
    WriteBatch batch(WriteBatch::AllOrNothing);
    for (const UpgradeStep *step : pending)
        step->apply();
    storeVersion();
    batch.commit();
}

} // namespace tk
