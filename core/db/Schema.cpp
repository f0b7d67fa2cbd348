#include "core/db/Schema.h"

#include <QSqlDatabase>
#include <QSqlRecord>
#include <iterator>

#include "core/common/Errors.h"
#include "core/db/Database.h"
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
    const QSqlRecord personal = Database::connection().record(QStringLiteral("Personal"));
    return !personal.isEmpty() && !personal.contains(QStringLiteral("AuswertBegin"));
}

void addAuswertBegin()
{
    execute(QStringLiteral("ALTER TABLE Personal ADD AuswertBegin INTEGER"));
    execute(QStringLiteral("UPDATE Personal SET AuswertBegin = 1"));
}

const UpgradeStep UpgradeSteps[] = {
    {1, personalLacksAuswertBegin, addAuswertBegin},
};

// SQLite keeps the version in the file's header; a new file starts at 0.
QString storeVersionStatement()
{
    return QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion());
}

int storedVersion()
{
    Query query;
    query.setSql(QStringLiteral("PRAGMA user_version"));
    query.open();
    return query.rowCount() > 0 ? query.value(0, 0).toInt() : 0;
}

} // namespace

const QVector<SchemaTable> &schemaTables()
{
    static const QVector<SchemaTable> tables{
        {QStringLiteral("Personal"),
         {QStringLiteral("PersonalNummer INTEGER NOT NULL"), QStringLiteral("Name TEXT"),
          QStringLiteral("Vorname TEXT"), QStringLiteral("Strasse TEXT"),
          QStringLiteral("Plz TEXT"), QStringLiteral("Ort TEXT"), QStringLiteral("Telefon1 TEXT"),
          QStringLiteral("Telefon2 TEXT"), QStringLiteral("Geburtsdatum TEXT"),
          QStringLiteral("EintrittsDatum TEXT"), QStringLiteral("AustrittsDatum TEXT"),
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
         {QStringLiteral("PersonalNummer INTEGER NOT NULL"), QStringLiteral("Datum TEXT NOT NULL"),
          QStringLiteral("Schicht INTEGER"), QStringLiteral("Soll INTEGER"),
          QStringLiteral("Summe INTEGER"), QStringLiteral("Anwesend INTEGER"),
          QStringLiteral("Krank INTEGER"), QStringLiteral("Urlaub INTEGER"),
          QStringLiteral("Feiertag INTEGER"), QStringLiteral("Unbezahlt INTEGER")},
         {{QStringLiteral("auswert_Key"),
           {QStringLiteral("PersonalNummer"), QStringLiteral("Datum")},
           true}}},
        {QStringLiteral("AuswPos"),
         {QStringLiteral("PersonalNummer INTEGER NOT NULL"), QStringLiteral("Datum TEXT NOT NULL"),
          QStringLiteral("Von INTEGER"), QStringLiteral("Bis INTEGER"),
          QStringLiteral("Summe INTEGER"), QStringLiteral("Kennung TEXT")},
         // several entries per day: the day's key is not unique here
         {{QStringLiteral("AuswPos_Day"),
           {QStringLiteral("PersonalNummer"), QStringLiteral("Datum")},
           false}}},
    };
    return tables;
}

int schemaVersion()
{
    return std::end(UpgradeSteps)[-1].version;
}

QStringList schemaStatements()
{
    const QString separator = QStringLiteral(", ");
    QStringList statements;
    for (const SchemaTable &table : schemaTables()) {
        statements << QStringLiteral("CREATE TABLE %1 (%2)")
                          .arg(table.name, table.columns.join(separator));
        for (const SchemaIndex &index : table.indexes)
            statements << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                              .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), index.name,
                                   table.name, index.columns.join(separator));
    }
    statements << storeVersionStatement();
    return statements;
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
            execute(storeVersionStatement());
        } catch (const DbError &) {
        }
        return;
    }
    WriteBatch batch(WriteBatch::AllOrNothing);
    for (const UpgradeStep *step : pending)
        step->apply();
    execute(storeVersionStatement());
    batch.commit();
}

} // namespace tk
