// Backups: a checked SQLite copy (also of a server database), which backups stay, and the
// integrity check of a damaged file.
#include <QDir>
#include <QFile>
#include <QTest>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/DatabaseBackup.h"
#include "core/db/DatabaseUrl.h"
#include "core/db/ScopedConnection.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

#include <QSqlQuery>

using namespace tk;
using namespace tk::test;

namespace {

int rowsIn(const QString &file, const QString &table)
{
    ScopedConnection backup(QStringLiteral("backup_reader"), DatabaseUrl::sqliteFile(file));
    if (!backup.db().open())
        return -1;
    QSqlQuery q(backup.db());
    if (!q.exec(QStringLiteral("SELECT count(*) FROM ") + table) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QDateTime at(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODate);
}

} // namespace

class TestDatabaseBackup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void backupHoldsEveryRow();
    void damagedFileIsFound();
    void newestTenAndOnePerMonthStay();
    void unwritableFolderIsRefusedInGerman();
    void restoreBringsEveryRowBack();
    void refusedRefillKeepsTheServerDatabase();
    void unsoundBackupIsNotRestored();
};

void TestDatabaseBackup::backupHoldsEveryRow()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Jürgen"), QStringLiteral("Weiß"), 1, 1);
    addEntry(1, QDate(2024, 3, 4), 420, 960, QStringLiteral("N"));
    QTemporaryDir target;
    const QString file = target.filePath(QStringLiteral("sicherung.db"));
    const QStringList report = DatabaseBackup::write(file);
    QVERIFY(report.contains(QStringLiteral("Personal: 1 Zeilen")));
    QVERIFY(!QFile::exists(file + QStringLiteral(".tmp")));
    QCOMPARE(rowsIn(file, QStringLiteral("AuswPos")), 1);
    QCOMPARE(rowsIn(file, QStringLiteral("Tagplan")), 8);
    QCOMPARE(DatabaseBackup::integrityProblem(file), QString());
    // a second backup replaces the first
    addEntry(1, QDate(2024, 3, 5), 420, 960, QStringLiteral("N"));
    DatabaseBackup::write(file);
    QCOMPARE(rowsIn(file, QStringLiteral("AuswPos")), 2);
}

void TestDatabaseBackup::damagedFileIsFound()
{
    TempDataDir dir;
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    QTemporaryDir target;
    const QString file = target.filePath(QStringLiteral("kaputt.db"));
    DatabaseBackup::write(file);
    {
        QFile damage(file);
        QVERIFY(damage.open(QIODevice::ReadWrite));
        damage.seek(3 * 4096); // a page of the tables, not the header
        damage.write(QByteArray(4096, '\xff'));
    }
    QVERIFY(!DatabaseBackup::integrityProblem(file).isEmpty());
}

// Backups every day from 1 January to 10 December 2026, one of November 2025 and one of June
// 2024: the ten newest and the last of each of the twelve months before December stay
// (December 2025 has none).
void TestDatabaseBackup::newestTenAndOnePerMonthStay()
{
    QVector<QDateTime> times{at("2025-11-30T18:00:00"), at("2024-06-01T18:00:00")};
    for (QDate day(2026, 1, 1); day <= QDate(2026, 12, 10); day = day.addDays(1))
        times << QDateTime(day, QTime(18, 0));
    const QVector<QDateTime> kept = DatabaseBackup::keep(times, at("2026-12-10T19:00:00"));
    QCOMPARE(kept.size(), 10 + 11); // December's ten, the last of January to November
    QVERIFY(kept.contains(at("2026-12-01T18:00:00")));
    QVERIFY(!kept.contains(at("2026-11-29T18:00:00")));
    QVERIFY(kept.contains(at("2026-11-30T18:00:00")));
    QVERIFY(kept.contains(at("2026-01-31T18:00:00")));
    QVERIFY(!kept.contains(at("2025-11-30T18:00:00"))); // 13 months back
    QVERIFY(!kept.contains(at("2024-06-01T18:00:00")));
}

void TestDatabaseBackup::unwritableFolderIsRefusedInGerman()
{
    TempDataDir dir;
    QCOMPARE(userError([] {
                 DatabaseBackup::writeInto(QStringLiteral("/proc/keine-sicherung"),
                                           QDateTime::currentDateTime());
             }),
             QStringLiteral("Der Sicherungsordner \"/proc/keine-sicherung\" kann nicht "
                            "beschrieben werden."));
}

// Back up, lose a day's entries, restore: every row is back (on a server too, through a closed
// period's guard), the state before the restore was saved first, and the change log tells of
// the restore in one line per table.
void TestDatabaseBackup::restoreBringsEveryRowBack()
{
    TempDataDir dir;
    addEmployee(1, QStringLiteral("Jürgen"), QStringLiteral("Weiß"), 1, 1);
    addEntry(1, QDate(2024, 3, 4), 420, 960, QStringLiteral("N"));
    addDayRecord(1, QDate(2024, 3, 4), 1, 480, 540);
    TempDataDir::exec(QStringLiteral("INSERT INTO Abschluss (PersonalNummer, Monat, Von, Bis) "
                                     "VALUES (1, '2024-03', '2024-03-01', '2024-03-31')"));
    QTemporaryDir place;
    const QString backup = place.filePath(QStringLiteral("gut.db"));
    DatabaseBackup::write(backup);
    TempDataDir::exec(QStringLiteral("UPDATE Personal SET Name = 'Falsch'"));
    TempDataDir::exec(QStringLiteral("INSERT INTO Schicht (Schichtplan) VALUES (9)"));
    const QString automatic = place.filePath(QStringLiteral("Sicherung"));
    DatabaseBackup::setAutomaticFolder(automatic);
    DatabaseBackup::restore(backup);
    DatabaseBackup::setAutomaticFolder(QString());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Weiß"));
    QCOMPARE(sqlValue(QStringLiteral("SELECT count(*) FROM Schicht")).toInt(), 0);
    QCOMPARE(sqlValue(QStringLiteral("SELECT count(*) FROM AuswPos")).toInt(), 1);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Summe FROM auswert")).toInt(), 540);
    const QStringList saved = QDir(automatic).entryList({QStringLiteral("taktora-*.db")});
    QCOMPARE(saved.size(), 1);
    QCOMPARE(rowsIn(QDir(automatic).filePath(saved.first()), QStringLiteral("Schicht")), 1);
    if (TempDataDir::onServer()) {
        QCOMPARE(sqlValue(QStringLiteral("SELECT AltWert || ' -> ' || NeuWert FROM Protokoll "
                                         "WHERE Tabelle = 'Schicht' AND Grund = "
                                         "'Wiederhergestellt aus gut.db'"))
                     .toString(),
                 QStringLiteral("1 Zeilen -> 0 Zeilen"));
        // the triggers are back: the closed period is guarded, changes are logged
        QSqlQuery guarded(Database::connection());
        QVERIFY(!guarded.exec(QStringLiteral("DELETE FROM auswert")));
        TempDataDir::exec(QStringLiteral("UPDATE Personal SET Name = 'Wolf'"));
        QCOMPARE(sqlValue(QStringLiteral("SELECT count(*) FROM Protokoll WHERE NeuWert = 'Wolf'"))
                     .toInt(),
                 1);
    }
}

// A backup the server refuses a row of (a key twice) changes nothing: the refill is one
// transaction, and the triggers it held are there again.
void TestDatabaseBackup::refusedRefillKeepsTheServerDatabase()
{
    TempDataDir dir;
    if (!TempDataDir::onServer())
        QSKIP("A SQLite file is replaced whole, not refilled.");
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    QTemporaryDir place;
    const QString backup = place.filePath(QStringLiteral("doppelt.db"));
    DatabaseBackup::write(backup);
    {
        ScopedConnection file(QStringLiteral("spoil"), DatabaseUrl::sqliteFile(backup));
        QVERIFY(file.db().open());
        QSqlQuery q(file.db());
        QVERIFY(q.exec(QStringLiteral("DROP INDEX Personal_Key")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO Personal (PersonalNummer, Name) "
                                      "VALUES (1, 'Zweimal'), (1, 'Dreimal')")));
    }
    TempDataDir::exec(QStringLiteral("INSERT INTO Schicht (Schichtplan) VALUES (9)"));
    QVERIFY_THROWS_EXCEPTION(DbError, DatabaseBackup::restore(backup));
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Berger"));
    QCOMPARE(sqlValue(QStringLiteral("SELECT count(*) FROM Schicht")).toInt(), 1);
    TempDataDir::exec(QStringLiteral("UPDATE Personal SET Name = 'Wolf'"));
    QCOMPARE(
        sqlValue(QStringLiteral("SELECT count(*) FROM Protokoll WHERE NeuWert = 'Wolf'")).toInt(),
        1);
}

void TestDatabaseBackup::unsoundBackupIsNotRestored()
{
    TK_SQLITE_ONLY();
    TempDataDir dir;
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    QTemporaryDir place;
    const QString notOurs = place.filePath(QStringLiteral("fremd.db"));
    {
        ScopedConnection other(QStringLiteral("foreign"), DatabaseUrl::sqliteFile(notOurs));
        QVERIFY(other.db().open());
        QSqlQuery(other.db()).exec(QStringLiteral("CREATE TABLE Kunden (Nr INTEGER)"));
    }
    const QString message = userError([&] { DatabaseBackup::restore(notOurs); });
    QVERIFY2(message.endsWith(QStringLiteral("Der Datei fehlt die Tabelle Personal.")),
             qPrintable(message));
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Berger"));
}

QTEST_GUILESS_MAIN(TestDatabaseBackup)
#include "tst_databasebackup.moc"
