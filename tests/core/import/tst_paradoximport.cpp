// Taking over old data kept in Paradox tables: a whole installation comes over with its umlauts,
// dates and day records, records no rule allows are named and left out, and a database that
// holds data is replaced only on request and after a backup.
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTime>

extern "C" { // pxlib's header declares C functions without saying so
#include <paradox.h>
}

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/DatabaseBackup.h"
#include "core/db/Schema.h"
#include "core/db/ScopedConnection.h"
#include "core/import/ParadoxImport.h"
#include "core/recording/MonthRecalc.h"
#include "tests/support/ParadoxFiles.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

// Every row of a table as text, in key order.
QStringList rowsOf(const QString &table, const QString &order)
{
    const QStringList columns = [&table] {
        for (const SchemaTable &t : schemaTables()) {
            if (t.name == table)
                return t.columnNames();
        }
        return QStringList();
    }();
    QSqlQuery q(Database::connection());
    q.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
               .arg(columns.join(QStringLiteral(", ")), table, order));
    QStringList rows;
    while (q.next()) {
        QStringList values;
        for (int c = 0; c < columns.size(); ++c)
            values << (q.value(c).isNull() ? QStringLiteral("-") : q.value(c).toString());
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

struct Snapshot
{
    QStringList personal, schicht, tagplan, auswert, auswPos;
    static Snapshot take()
    {
        return {rowsOf(QStringLiteral("Personal"), QStringLiteral("PersonalNummer")),
                rowsOf(QStringLiteral("Schicht"), QStringLiteral("Schichtplan")),
                rowsOf(QStringLiteral("Tagplan"), QStringLiteral("Schichtplan, Tagesplan")),
                rowsOf(QStringLiteral("auswert"), QStringLiteral("PersonalNummer, Datum")),
                rowsOf(QStringLiteral("AuswPos"), QStringLiteral("PersonalNummer, Datum, Von"))};
    }
};

void recalcMarch()
{
    QString lines;
    QTextStream out(&lines);
    QCOMPARE(RecalcMonth(3, 2024, out), 0);
}

// The firm of the worked example: two employees with umlauts, one from the 16th, a plan with
// breaks, entries of every kind, and the month evaluated.
void seedFirm()
{
    addExampleShiftPlan(1);
    TempDataDir::exec(QStringLiteral("UPDATE Schicht SET Bezeichnung = 'Früh/Spät'"));
    addEmployee(10, QStringLiteral("Jürgen"), QStringLiteral("Weiß"), 1, 16);
    addEmployee(20, QStringLiteral("Zoë"), QStringLiteral("Ärmel"), 1, 1);
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET Strasse = 'Hauptstraße 5', Ort = 'München', Plz = '80331', "
        "Geburtsdatum = '1970-03-15', EintrittsDatum = '2020-01-01', BruttoLohn = 12.5 "
        "WHERE PersonalNummer = 10"));
    addExampleEntries(10, QDate(2024, 3, 18));
    addEntry(10, QDate(2024, 3, 19), 420, 900, QStringLiteral("K"));
    addEntry(20, QDate(2024, 3, 4), 480, 960, QStringLiteral("N"));
    addEntry(20, QDate(2024, 3, 5), 480, 720, QStringLiteral("U"));
    addEntry(20, QDate(2024, 3, 5), 720, 960, QStringLiteral("A"));
    recalcMarch();
}

// Five small tables written by hand, code page 1252.
void writeSmallFolder(const QString &folder, const QVector<QVariantList> &personal,
                      const QVector<QVariantList> &auswert, const QVector<QVariantList> &auswPos)
{
    QDir().mkpath(folder);
    const QDir dir(folder);
    writeParadoxTable(dir.filePath(QStringLiteral("personal.db")),
                      {{"PersonalNummer", pxfLong, 4},
                       {"Name", pxfAlpha, 30},
                       {"Abteilung", pxfAlpha, 10},
                       {"BruttoLohn", pxfNumber, 8},
                       {"Plz", pxfNumber, 8}},
                      personal, 1252);
    writeParadoxTable(dir.filePath(QStringLiteral("SCHICHT.DB")),
                      {{"Schichtplan", pxfShort, 2}, {"Bezeichnung", pxfAlpha, 20}},
                      {{1, QStringLiteral("Tag")}}, 1252);
    writeParadoxTable(dir.filePath(QStringLiteral("Tagplan.DB")),
                      {{"Schichtplan", pxfShort, 2},
                       {"Tagesplan", pxfShort, 2},
                       {"SollStd", pxfShort, 2},
                       {"Von", pxfTime, 4}},
                      {{1, 1, 480, QTime(7, 30)}, {1, 9, 480}}, 1252);
    writeParadoxTable(
        dir.filePath(QStringLiteral("auswert.db")),
        {{"PersonalNummer", pxfLong, 4}, {"Datum", pxfDate, 4}, {"Summe", pxfLong, 4}}, auswert,
        1252);
    writeParadoxTable(dir.filePath(QStringLiteral("AuswPos.db")),
                      {{"PersonalNummer", pxfLong, 4},
                       {"Datum", pxfDate, 4},
                       {"Von", pxfLong, 4},
                       {"Bis", pxfShort, 2},
                       {"Kennung", pxfAlpha, 1}},
                      auswPos, 1252);
}

} // namespace

class TestParadoxImport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wholeFirmComesOverAndRecalculatesAlike();
    void recordsNoRuleAllowsAreNamedAndLeftOut();
    void databaseWithDataIsReplacedOnlyOnRequest();
    void unreadableFolderWritesNothing();
};

void TestParadoxImport::wholeFirmComesOverAndRecalculatesAlike()
{
    QTemporaryDir place;
    const QString folder = place.filePath(QStringLiteral("Altdaten"));
    Snapshot before;
    QStringList recalculated; // the day records after one more recalculation of the old data
    {
        TempDataDir old;
        seedFirm();
        before = Snapshot::take();
        writeDatabaseAsParadox(folder);
        recalcMarch();
        recalculated = Snapshot::take().auswert;
    }
    TempDataDir dir;
    const QVector<ImportedTable> tables =
        ParadoxImport::run(folder, ParadoxImport::Existing::Refuse);
    QCOMPARE(ParadoxImport::reportLines(tables),
             QStringList({QStringLiteral("Personal (PERSONAL.DB): 2 gelesen, 2 übernommen, 0 "
                                         "abgewiesen"),
                          QStringLiteral("Schicht (Schicht.DB): 1 gelesen, 1 übernommen, 0 "
                                         "abgewiesen"),
                          QStringLiteral("Tagplan (TagPlan.db): 8 gelesen, 8 übernommen, 0 "
                                         "abgewiesen"),
                          QStringLiteral("auswert (AUSWERT.DB): %1 gelesen, %1 übernommen, 0 "
                                         "abgewiesen")
                              .arg(before.auswert.size()),
                          QStringLiteral("AuswPos (AuswPos.db): 7 gelesen, 7 übernommen, 0 "
                                         "abgewiesen")}));
    const Snapshot after = Snapshot::take();
    QCOMPARE(after.personal, before.personal);
    QVERIFY(
        after.personal.first().contains(QStringLiteral("Weiß|Jürgen|Hauptstraße 5|80331|München")));
    QCOMPARE(after.schicht, before.schicht);
    QCOMPARE(after.tagplan, before.tagplan);
    QCOMPARE(after.auswPos, before.auswPos);
    QCOMPARE(after.auswert, before.auswert);
    recalcMarch();
    QCOMPARE(Snapshot::take().auswert, recalculated);
}

void TestParadoxImport::recordsNoRuleAllowsAreNamedAndLeftOut()
{
    TempDataDir dir;
    QTemporaryDir place;
    const QDate day(2024, 3, 4);
    writeSmallFolder(place.path(),
                     {{10, QStringLiteral("Weiß"), QStringLiteral("Lager"), 12.75, 80331.0},
                      {10, QStringLiteral("Zweimal"), QVariant()},
                      {QVariant(), QStringLiteral("Ohne Nummer"), QVariant()}},
                     {{10, day, 480}, {10, day, 0}, {10, QDate(200, 1, 1), 0}},
                     {{10, day, QVariant(), 960, QStringLiteral("N")},
                      {10, day, 420, 480, QStringLiteral("X")},
                      {10, QVariant(), 420, 480, QStringLiteral("N")}});
    const QStringList report = ParadoxImport::reportLines(
        ParadoxImport::run(place.path(), ParadoxImport::Existing::Refuse));
    QCOMPARE(report,
             QStringList({QStringLiteral("Personal (personal.db): 3 gelesen, 1 übernommen, 2 "
                                         "abgewiesen"),
                          QStringLiteral("  Zeile 2: doppelter Schlüssel 10"),
                          QStringLiteral("  Zeile 3: PersonalNummer ist leer"),
                          QStringLiteral("  nicht übernommene Felder: Abteilung"),
                          QStringLiteral("Schicht (SCHICHT.DB): 1 gelesen, 1 übernommen, 0 "
                                         "abgewiesen"),
                          QStringLiteral("Tagplan (Tagplan.DB): 2 gelesen, 1 übernommen, 1 "
                                         "abgewiesen"),
                          QStringLiteral("  Zeile 2: Tagesplan 9 liegt nicht zwischen 1 und 8"),
                          QStringLiteral("auswert (auswert.db): 3 gelesen, 1 übernommen, 2 "
                                         "abgewiesen"),
                          QStringLiteral("  Zeile 2: doppelter Schlüssel 10;04.03.2024"),
                          QStringLiteral("  Zeile 3: unmögliches Datum 01.01.0200 in Datum"),
                          QStringLiteral("AuswPos (AuswPos.db): 3 gelesen, 1 übernommen, 2 "
                                         "abgewiesen"),
                          QStringLiteral("  Zeile 2: unbekannte Kennung \"X\""),
                          QStringLiteral("  Zeile 3: Datum ist leer")}));
    // the file lacks AuswertBegin: the calendar month, as the upgrade gives it
    QCOMPARE(
        sqlValue(QStringLiteral("SELECT Name || ';' || AuswertBegin FROM Personal")).toString(),
        QStringLiteral("Weiß;1"));
    // an empty long integer stays empty instead of becoming its smallest value
    QVERIFY(sqlValue(QStringLiteral("SELECT Von FROM AuswPos")).isNull());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Bis FROM AuswPos")).toInt(), 960);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Sollstd FROM Tagplan")).toInt(), 480);
    // a clock time kept as a Paradox time, numbers kept for a wage and a postal code
    QCOMPARE(sqlValue(QStringLiteral("SELECT Von FROM Tagplan")).toInt(), 450);
    QCOMPARE(sqlValue(QStringLiteral("SELECT BruttoLohn FROM Personal")).toDouble(), 12.75);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Plz FROM Personal")).toString(),
             QStringLiteral("80331"));
}

void TestParadoxImport::databaseWithDataIsReplacedOnlyOnRequest()
{
    TempDataDir dir;
    QTemporaryDir place;
    const QString folder = place.filePath(QStringLiteral("Altdaten"));
    writeSmallFolder(folder, {{10, QStringLiteral("Weiß"), QVariant()}}, {}, {});
    addEmployee(30, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    addDayRecord(30, QDate(2024, 3, 4), 1, 480, 480);
    TempDataDir::exec(QStringLiteral("INSERT INTO Abschluss (PersonalNummer, Monat, Von, Bis) "
                                     "VALUES (30, '2024-03', '2024-03-01', '2024-03-31')"));
    QCOMPARE(userError([&] { ParadoxImport::run(folder, ParadoxImport::Existing::Refuse); }),
             QStringLiteral("Die Datenbank enthält schon Daten (Personal 1, auswert 1, "
                            "Abschluss 1). Altdaten werden nur in eine leere Datenbank "
                            "übernommen, oder sie ersetzen die Daten ausdrücklich."));
    QVERIFY(userError([&] {
                ParadoxImport::run(folder, ParadoxImport::Existing::Replace);
            }).startsWith(QStringLiteral("Die Daten werden nicht ersetzt")));
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Berger"));

    const QString backups = place.filePath(QStringLiteral("Sicherung"));
    DatabaseBackup::setAutomaticFolder(backups);
    ParadoxImport::run(folder, ParadoxImport::Existing::Replace);
    DatabaseBackup::setAutomaticFolder(QString());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Weiß"));
    QCOMPARE(ParadoxImport::existingRows(), QStringLiteral("Personal 1, Schicht 1, Tagplan 1"));
    const QStringList saved = QDir(backups).entryList({QStringLiteral("taktora-*.db")});
    QCOMPARE(saved.size(), 1);
    {
        ScopedConnection backup(QStringLiteral("saved"),
                                DatabaseUrl::sqliteFile(QDir(backups).filePath(saved.first())));
        QVERIFY(backup.db().open());
        QSqlQuery q(backup.db());
        QVERIFY(q.exec(QStringLiteral("SELECT Name FROM Personal")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Berger"));
    }
    QCOMPARE(sqlValue(QStringLiteral("SELECT AltWert || ' -> ' || NeuWert FROM Protokoll WHERE "
                                     "Tabelle = 'auswert' AND Grund LIKE 'Altdaten übernommen%'"))
                 .toString(),
             QStringLiteral("1 Zeilen -> 0 Zeilen"));
    // the change log's triggers are back
    TempDataDir::exec(QStringLiteral("UPDATE Personal SET Name = 'Wolf'"));
    QCOMPARE(
        sqlValue(QStringLiteral("SELECT count(*) FROM Protokoll WHERE NeuWert = 'Wolf'")).toInt(),
        1);
}

void TestParadoxImport::unreadableFolderWritesNothing()
{
    TempDataDir dir;
    QTemporaryDir place;
    const QDir folder(place.path());
    writeSmallFolder(place.path(), {{10, QStringLiteral("Weiß"), QVariant()}}, {}, {});
    const auto importFails = [&folder] {
        return userError(
            [&] { ParadoxImport::run(folder.path(), ParadoxImport::Existing::Refuse); });
    };

    QFile::remove(folder.filePath(QStringLiteral("AuswPos.db")));
    QCOMPARE(importFails(),
             QStringLiteral("Im Ordner \"%1\" fehlt die Tabelle AuswPos.db.")
                 .arg(QDir::toNativeSeparators(folder.absolutePath())));

    QFile garbage(folder.filePath(QStringLiteral("AuswPos.db")));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(3000, 'x'));
    garbage.close();
    QVERIFY2(importFails().startsWith(
                 QStringLiteral("Die Datei \"%1\" ist keine lesbare "
                                "Paradox-Tabelle")
                     .arg(QDir::toNativeSeparators(folder.filePath(QStringLiteral("AuswPos.db"))))),
             qPrintable(importFails()));

    writeParadoxTable(folder.filePath(QStringLiteral("AuswPos.db")),
                      {{"PersonalNummer", pxfAlpha, 6}, {"Datum", pxfDate, 4}}, {});
    QCOMPARE(importFails(),
             QStringLiteral("AuswPos.db: Das Feld PersonalNummer hat den Typ "
                            "Alpha; übernommen wird hier eine ganze Zahl oder "
                            "Minuten."));
    QCOMPARE(ParadoxImport::existingRows(), QString());
}

QTEST_GUILESS_MAIN(TestParadoxImport)
#include "tst_paradoximport.moc"
