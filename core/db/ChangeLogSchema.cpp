#include "core/db/ChangeLogSchema.h"

#include "core/db/Schema.h"

namespace tk {

namespace {

struct LoggedTable
{
    const char *name;
    QStringList key;
    QString onlyField; // empty: every field
};

const QVector<LoggedTable> &loggedTables()
{
    static const QVector<LoggedTable> tables{
        {"Personal", {QStringLiteral("PersonalNummer")}, QString()},
        {"Schicht", {QStringLiteral("Schichtplan")}, QString()},
        {"Tagplan", {QStringLiteral("Schichtplan"), QStringLiteral("Tagesplan")}, QString()},
        {"AuswPos", {QStringLiteral("PersonalNummer"), QStringLiteral("Datum")}, QString()},
        {"auswert",
         {QStringLiteral("PersonalNummer"), QStringLiteral("Datum")},
         QStringLiteral("Schicht")}};
    return tables;
}

QStringList fieldsOf(const LoggedTable &logged)
{
    if (!logged.onlyField.isEmpty())
        return {logged.onlyField};
    for (const SchemaTable &table : schemaTables()) {
        if (table.name == QLatin1String(logged.name))
            return table.columnNames();
    }
    return {};
}

const QString RefuseLogChange =
    QStringLiteral("Das Änderungsprotokoll kann nicht geändert werden.");

// ---------------------------------------------------------------- SQLite

QString keyOf(const QStringList &key, const char *row)
{
    QStringList parts;
    for (const QString &column : key)
        parts << QStringLiteral("%1.%2").arg(QLatin1String(row), column);
    return parts.join(QStringLiteral(" || ';' || "));
}

const QString SqliteInsert = QStringLiteral(
    "INSERT INTO Protokoll (Zeitpunkt, Benutzer, Arbeitsplatz, Tabelle, Schluessel, Feld, "
    "AltWert, NeuWert, Grund) SELECT strftime('%Y-%m-%dT%H:%M:%S', 'now', 'localtime'), "
    "s.Benutzer, s.Arbeitsplatz, '%1', %2, f.Feld, f.Alt, f.Neu, s.Grund FROM (%3) f LEFT JOIN "
    "Sitzung s ON 1 WHERE f.Alt IS NOT f.Neu;");

QString sqliteFieldRows(const QStringList &fields, const char *oldRow, const char *newRow)
{
    QStringList rows;
    for (const QString &field : fields) {
        const QString old = oldRow ? QStringLiteral("%1.%2").arg(QLatin1String(oldRow), field)
                                   : QStringLiteral("NULL");
        const QString now = newRow ? QStringLiteral("%1.%2").arg(QLatin1String(newRow), field)
                                   : QStringLiteral("NULL");
        rows << QStringLiteral("SELECT '%1' AS Feld, %2 AS Alt, %3 AS Neu").arg(field, old, now);
    }
    return rows.join(QStringLiteral(" UNION ALL "));
}

QStringList sqliteStatements()
{
    QStringList statements;
    for (const LoggedTable &logged : loggedTables()) {
        const QString table = QLatin1String(logged.name);
        const QStringList fields = fieldsOf(logged);
        const auto trigger = [&](const QString &event, const char *oldRow, const char *newRow) {
            const QString name = event.section(QLatin1Char(' '), 0, 0).toLower();
            const QString key = keyOf(logged.key, newRow ? newRow : oldRow);
            statements << QStringLiteral("CREATE TRIGGER %1_log_%2 AFTER %3 ON %1 BEGIN %4 END")
                              .arg(table, name, event,
                                   SqliteInsert.arg(table, key,
                                                    sqliteFieldRows(fields, oldRow, newRow)));
        };
        if (logged.onlyField.isEmpty()) {
            trigger(QStringLiteral("INSERT"), nullptr, "NEW");
            trigger(QStringLiteral("UPDATE"), "OLD", "NEW");
            trigger(QStringLiteral("DELETE"), "OLD", nullptr);
        } else {
            trigger(QStringLiteral("UPDATE OF ") + logged.onlyField, "OLD", "NEW");
        }
    }
    const QString closing = QStringLiteral(
        "CREATE TRIGGER Abschluss_log_%1 AFTER %2 ON Abschluss BEGIN INSERT INTO Protokoll "
        "(Zeitpunkt, Benutzer, Arbeitsplatz, Tabelle, Schluessel, Feld, AltWert, NeuWert, Grund) "
        "SELECT strftime('%Y-%m-%dT%H:%M:%S', 'now', 'localtime'), s.Benutzer, s.Arbeitsplatz, "
        "'Abschluss', %3.PersonalNummer || ';' || %3.Monat, 'Monat', '%4', '%5', s.Grund FROM "
        "(SELECT 1) LEFT JOIN Sitzung s ON 1; END");
    statements << closing.arg(QStringLiteral("insert"), QStringLiteral("INSERT"),
                              QStringLiteral("NEW"), QStringLiteral("offen"),
                              QStringLiteral("abgeschlossen"))
               << closing.arg(QStringLiteral("delete"), QStringLiteral("DELETE"),
                              QStringLiteral("OLD"), QStringLiteral("abgeschlossen"),
                              QStringLiteral("offen"));
    for (const char *event : {"UPDATE", "DELETE"}) {
        statements << QStringLiteral("CREATE TRIGGER Protokoll_keep_%1 BEFORE %2 ON Protokoll "
                                     "BEGIN SELECT RAISE(ABORT, '%3'); END")
                          .arg(QString::fromLatin1(event).toLower(), QLatin1String(event),
                               RefuseLogChange);
    }
    return statements;
}

// ---------------------------------------------------------------- PostgreSQL

// One function for every table: the changed fields of the row (by its JSON form), in the
// order of the columns. The trigger arguments: the key columns, the table's name and the
// columns logged as the program spells them (the server folds them to lower case).
const char *const ServerLogFunction =
    "CREATE FUNCTION taktora_log() RETURNS trigger LANGUAGE plpgsql AS $$ "
    "DECLARE o jsonb := '{}'; n jsonb := '{}'; f text; k text; spelled text; BEGIN "
    "IF TG_OP <> 'INSERT' THEN o := to_jsonb(OLD); END IF; "
    "IF TG_OP <> 'DELETE' THEN n := to_jsonb(NEW); END IF; "
    "SELECT string_agg(coalesce(n->>c, o->>c), ';') INTO k "
    "FROM unnest(string_to_array(TG_ARGV[0], ',')) c; "
    "FOREACH spelled IN ARRAY string_to_array(TG_ARGV[2], ',') LOOP "
    "f := lower(spelled); "
    "IF (o->>f) IS DISTINCT FROM (n->>f) THEN "
    "INSERT INTO Protokoll (Zeitpunkt, Benutzer, Arbeitsplatz, Tabelle, Schluessel, Feld, "
    "AltWert, NeuWert, Grund) VALUES (to_char(localtimestamp, 'YYYY-MM-DD\"T\"HH24:MI:SS'), "
    "nullif(current_setting('taktora.benutzer', true), ''), "
    "nullif(current_setting('taktora.arbeitsplatz', true), ''), TG_ARGV[1], k, "
    "spelled, o->>f, "
    "n->>f, nullif(current_setting('taktora.grund', true), '')); "
    "END IF; END LOOP; RETURN NULL; END $$";

QStringList serverStatements()
{
    QStringList statements{QLatin1String(ServerLogFunction)};
    for (const LoggedTable &logged : loggedTables()) {
        const QString table = QLatin1String(logged.name);
        const QString event = logged.onlyField.isEmpty()
            ? QStringLiteral("INSERT OR UPDATE OR DELETE")
            : QStringLiteral("UPDATE OF %1").arg(logged.onlyField);
        statements << QStringLiteral("CREATE TRIGGER %1_log AFTER %2 ON %1 FOR EACH ROW EXECUTE "
                                     "FUNCTION taktora_log('%3', '%1', '%4')")
                          .arg(table, event, logged.key.join(QLatin1Char(',')).toLower(),
                               fieldsOf(logged).join(QLatin1Char(',')));
    }
    const QString closingRow = QStringLiteral(
        "INSERT INTO Protokoll (Zeitpunkt, Benutzer, Arbeitsplatz, Tabelle, Schluessel, Feld, "
        "AltWert, NeuWert, Grund) VALUES (to_char(localtimestamp, 'YYYY-MM-DD\"T\"HH24:MI:SS'), "
        "nullif(current_setting('taktora.benutzer', true), ''), "
        "nullif(current_setting('taktora.arbeitsplatz', true), ''), 'Abschluss', "
        "%1.PersonalNummer || ';' || %1.Monat, 'Monat', '%2', '%3', "
        "nullif(current_setting('taktora.grund', true), ''));");
    statements << QStringLiteral("CREATE FUNCTION taktora_log_closing() RETURNS trigger LANGUAGE "
                                 "plpgsql AS $$ BEGIN IF TG_OP = 'INSERT' THEN %1 ELSE %2 END IF; "
                                 "RETURN NULL; END $$")
                      .arg(closingRow.arg(QStringLiteral("NEW"), QStringLiteral("offen"),
                                          QStringLiteral("abgeschlossen")),
                           closingRow.arg(QStringLiteral("OLD"), QStringLiteral("abgeschlossen"),
                                          QStringLiteral("offen")))
               << QStringLiteral("CREATE TRIGGER abschluss_log AFTER INSERT OR DELETE ON "
                                 "Abschluss FOR EACH ROW EXECUTE FUNCTION taktora_log_closing()")
               << QStringLiteral("CREATE FUNCTION taktora_keep_log() RETURNS trigger LANGUAGE "
                                 "plpgsql AS $$ BEGIN RAISE EXCEPTION '%1'; END $$")
                      .arg(RefuseLogChange)
               << QStringLiteral("CREATE TRIGGER protokoll_keep BEFORE UPDATE OR DELETE ON "
                                 "Protokoll FOR EACH ROW EXECUTE FUNCTION taktora_keep_log()");
    return statements;
}

} // namespace

QStringList changeLogStatements(DatabaseUrl::Kind kind)
{
    return kind == DatabaseUrl::Kind::PostgreSQL ? serverStatements() : sqliteStatements();
}

} // namespace tk
