#include <QFile>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <limits>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Schema.h"
#include "core/db/Table.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using tk::test::TempDataDir;

namespace {

void addDay(Table &t, int person, const QDate &date, int soll = 0)
{
    t.append();
    t.field("PersonalNummer").setAsInteger(person);
    t.field("Datum").setAsDate(date);
    t.field("Soll").setAsInteger(soll);
    t.post();
}

QList<QDate> datesOf(Table &t)
{
    QList<QDate> dates;
    for (t.first(); !t.eof(); t.next())
        dates << t.field("Datum").asDate();
    return dates;
}

int countRows(const QString &table)
{
    QSqlQuery q(Database::connection());
    q.exec(QStringLiteral("SELECT count(*) FROM ") + table);
    q.next();
    return q.value(0).toInt();
}

} // namespace

class TestTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensByNameWithoutRegardToCase();
    void reportsMissingThingsInGerman();
    void navigatesInIndexOrder();
    void rangeIncludesBothEnds();
    void findKeyPositionsOrLeavesPosition();
    void detailFollowsMaster();
    void openEmptyShowsRowsOnlyOnceARangeIsSet();
    void pendingChangeIsStoredBeforeMove();
    void untouchedNewRowIsDropped();
    void editAndDeleteReachTheDatabase();
    void appendRowsStoresThemAllAndKeepsTheCurrentRow();
    void rowChangedElsewhereIsNeverOverwritten();
    void rowDeletedElsewhereIsReported();
    void storedIntegersReadInSixtyFourBits();
    void controlsDisableNests();
    void writeBatchKeepsRowsStoredBeforeAnError();
    void duplicateKeyIsRefusedAndNothingIsLost();
    void corruptFileGivesAMessage();
    void lockedDatabaseGivesAMessageAndKeepsTheEdit();
    void createDatabaseNeverTouchesExistingFile();
    void schemaUpgradeAddsFieldWithOne();
    void schemaVersionIsRecorded();
    void schemaUpgradeKeepsChosenValues();
    void schemaUpgradeAddsSettingsAndTimeAccounts();
    void schemaUpgradeNeverCreatesTheFolder();
};

void TestTable::opensByNameWithoutRegardToCase()
{
    TempDataDir dir;
    Table a(QStringLiteral("Personal.DB"), QStringLiteral("PersonalNummer"));
    a.open();
    QCOMPARE(a.tableName(), QStringLiteral("Personal"));
    Table b(QStringLiteral("personal"), QStringLiteral("personalnummer"));
    b.open();
    QVERIFY(b.isOpen());
    QCOMPARE(b.indexFields(), QStringList{QStringLiteral("PersonalNummer")});
    QCOMPARE(b.field(QStringLiteral("VORNAME")).name(), QStringLiteral("Vorname"));
    Table plans(QStringLiteral("Tagplan.DB"), QStringLiteral("Schichtplan;Tagesplan"));
    plans.open();
    QCOMPARE(plans.field(QStringLiteral("SollStd")).name(), QStringLiteral("Sollstd"));
}

void TestTable::reportsMissingThingsInGerman()
{
    {
        TempDataDir dir;
        Table t(QStringLiteral("Gibtsnicht"), QString());
        try {
            t.open();
            QFAIL("missing table opened");
        } catch (const DbError &e) {
            QVERIFY(e.message().contains(QStringLiteral("nicht vorhanden")));
        }
        QVERIFY(!t.isOpen());
        Table p(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
        p.open();
        QVERIFY_THROWS_EXCEPTION(DbError, p.field(QStringLiteral("Gehalt")));
    }
    if (TempDataDir::onServer())
        return;
    TempDataDir empty(false);
    Database::setPath(empty.filePath(QStringLiteral("Daten")));
    Table t(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    QVERIFY_THROWS_EXCEPTION(DbError, t.open());
    QVERIFY(!QFile::exists(empty.filePath(QStringLiteral("Daten"))));
}

void TestTable::navigatesInIndexOrder()
{
    TempDataDir dir;
    Table t(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    t.open();
    QVERIFY(t.isEmpty());
    QVERIFY(t.eof());
    addDay(t, 7, QDate(2024, 3, 2));
    addDay(t, 3, QDate(2024, 3, 9));
    addDay(t, 7, QDate(2024, 3, 1));
    t.first();
    QCOMPARE(t.field("PersonalNummer").asInteger(), 3);
    t.next();
    QCOMPARE(t.field("Datum").asDate(), QDate(2024, 3, 1));
    t.last();
    QCOMPARE(t.field("Datum").asDate(), QDate(2024, 3, 2));
    QVERIFY(t.eof());
    t.next();
    QVERIFY(t.eof());
    t.first();
    t.prior();
    QVERIFY(t.bof());
    QCOMPARE(t.field("PersonalNummer").asInteger(), 3);
}

void TestTable::rangeIncludesBothEnds()
{
    TempDataDir dir;
    Table t(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    t.open();
    for (int d = 1; d <= 10; ++d) {
        if (d != 4)
            addDay(t, 1, QDate(2024, 1, d));
        addDay(t, 2, QDate(2024, 1, d));
    }
    t.setRange({1, QDate(2024, 1, 3)}, {1, QDate(2024, 1, 6)});
    QCOMPARE(datesOf(t), (QList<QDate>{QDate(2024, 1, 3), QDate(2024, 1, 5), QDate(2024, 1, 6)}));
    // A new row outside the range is stored but not shown; one inside takes its place.
    addDay(t, 1, QDate(2024, 2, 1));
    QCOMPARE(t.recordCount(), 3);
    addDay(t, 1, QDate(2024, 1, 4));
    QCOMPARE(t.currentRow(), 1);
    QCOMPARE(
        datesOf(t),
        (QList<QDate>{QDate(2024, 1, 3), QDate(2024, 1, 4), QDate(2024, 1, 5), QDate(2024, 1, 6)}));
    // Across the first field: from (1, 9 Jan) to (2, 2 Jan).
    t.setRange({1, QDate(2024, 1, 9)}, {2, QDate(2024, 1, 2)});
    QCOMPARE(t.recordCount(), 2 + 1 + 2);
    t.setRange({2}, {2});
    QCOMPARE(t.recordCount(), 10);
    t.cancelRange();
    QCOMPARE(t.recordCount(), 21);
}

void TestTable::findKeyPositionsOrLeavesPosition()
{
    TempDataDir dir;
    Table t(QStringLiteral("Tagplan"), QStringLiteral("Schichtplan;Tagesplan"));
    t.open();
    for (int plan : {1, 5})
        for (int day = 1; day <= 8; ++day) {
            t.append();
            t.field("Schichtplan").setAsInteger(plan);
            t.field("Tagesplan").setAsInteger(day);
            t.field("Sollstd").setAsInteger(plan * 100 + day);
            t.post();
        }
    QVERIFY(t.findKey({5, 3}));
    QCOMPARE(t.field("Sollstd").asInteger(), 503);
    QVERIFY(!t.findKey({2, 3}));
    QCOMPARE(t.field("Sollstd").asInteger(), 503);
    QVERIFY(t.findKey({1}));
    QCOMPARE(t.field("Tagesplan").asInteger(), 1);
}

void TestTable::detailFollowsMaster()
{
    TempDataDir dir;
    Table days(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    days.open();
    addDay(days, 1, QDate(2024, 5, 6));
    addDay(days, 1, QDate(2024, 5, 7));
    Table entries(QStringLiteral("AuswPos"), QStringLiteral("PersonalNummer;Datum"));
    entries.setMaster(&days, {QStringLiteral("PersonalNummer"), QStringLiteral("Datum")},
                      {QStringLiteral("PersonalNummer"), QStringLiteral("Datum")});
    entries.open();
    days.first();
    QVERIFY(entries.isEmpty());
    for (int von : {480, 360}) {
        entries.append();
        entries.field("Von").setAsInteger(von);
        entries.post();
    }
    QCOMPARE(entries.field("Datum").asDate(), QDate(2024, 5, 6));
    QCOMPARE(entries.field("PersonalNummer").asInteger(), 1);
    // Entries of one day keep the order in which they were made.
    entries.first();
    QCOMPARE(entries.field("Von").asInteger(), 480);
    days.next();
    QVERIFY(entries.isEmpty());
    days.first();
    QCOMPARE(entries.recordCount(), 2);
    // A range replaces the link until it is cancelled.
    entries.setRange({1, QDate(2024, 5, 7)}, {1, QDate(2024, 5, 7)});
    QVERIFY(entries.isEmpty());
    entries.cancelRange();
    QCOMPARE(entries.recordCount(), 2);
}

void TestTable::openEmptyShowsRowsOnlyOnceARangeIsSet()
{
    TempDataDir dir;
    TempDataDir::exec(QStringLiteral(
        "INSERT INTO auswert (PersonalNummer, Datum) VALUES (1, '2024-01-01'), (2, '2024-01-01')"));
    Table t(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    t.openEmpty();
    QVERIFY(t.isOpen());
    QVERIFY(t.isEmpty());
    t.refresh();
    QVERIFY(t.isEmpty());
    t.setRange({2}, {2});
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.field("PersonalNummer").asInteger(), 2);
}

void TestTable::pendingChangeIsStoredBeforeMove()
{
    TempDataDir dir;
    Table t(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    t.open();
    for (int n : {1, 2}) {
        t.append();
        t.field("Schichtplan").setAsInteger(n);
        t.post();
    }
    t.first();
    t.field("Bezeichnung").setAsString(QStringLiteral("Früh"));
    QCOMPARE(t.state(), Table::State::Edit);
    t.next();
    QCOMPARE(t.state(), Table::State::Browse);
    Table other(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    other.open();
    QCOMPARE(other.field("Bezeichnung").asString(), QStringLiteral("Früh"));
}

void TestTable::untouchedNewRowIsDropped()
{
    TempDataDir dir;
    Table t(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    t.open();
    t.append();
    t.first();
    QCOMPARE(t.state(), Table::State::Browse);
    QCOMPARE(countRows(QStringLiteral("Schicht")), 0);
}

void TestTable::editAndDeleteReachTheDatabase()
{
    TempDataDir dir;
    Table t(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    t.open();
    for (int n : {100, 205, 150}) {
        t.append();
        t.field("PersonalNummer").setAsInteger(n);
        t.field("BruttoLohn").setAsFloat(12.5);
        t.post();
    }
    t.last();
    QCOMPARE(t.field("PersonalNummer").asInteger(), 205);
    QVERIFY(t.field("Geburtsdatum").isNull());
    QCOMPARE(t.field("Geburtsdatum").asInteger(), 0);
    QVERIFY(t.findKey({150}));
    t.remove();
    QCOMPARE(t.field("PersonalNummer").asInteger(), 205);
    QCOMPARE(countRows(QStringLiteral("Personal")), 2);
    // Changing the key moves the row into its place in the order.
    t.first();
    t.edit();
    t.field("PersonalNummer").setAsInteger(300);
    t.post();
    QCOMPARE(t.currentRow(), 1);
    t.first();
    QCOMPARE(t.field("PersonalNummer").asInteger(), 205);
    QCOMPARE(t.field("BruttoLohn").asFloat(), 12.5);
}

void TestTable::appendRowsStoresThemAllAndKeepsTheCurrentRow()
{
    TempDataDir dir;
    Table t(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    t.openRange({1, QDate(2024, 3, 1)}, {1, QDate(2024, 3, 31)});
    addDay(t, 1, QDate(2024, 3, 15), 480);
    const auto day = [&t](int person, const QDate &date, int soll) {
        QVector<QVariant> values(t.fieldCount());
        values[t.fieldIndex(QStringLiteral("PersonalNummer"))] = person;
        values[t.fieldIndex(QStringLiteral("Datum"))] = date;
        values[t.fieldIndex(QStringLiteral("Soll"))] = soll;
        return values;
    };
    // one row lies outside the view
    t.appendRows({day(1, QDate(2024, 3, 20), 0), day(1, QDate(2024, 3, 2), 450),
                  day(2, QDate(2024, 3, 2), 450), day(1, QDate(2024, 3, 3), 450)});
    QCOMPARE(t.field("Datum").asDate(), QDate(2024, 3, 15));
    QCOMPARE(datesOf(t),
             QList<QDate>(
                 {QDate(2024, 3, 2), QDate(2024, 3, 3), QDate(2024, 3, 15), QDate(2024, 3, 20)}));
    QCOMPARE(countRows(QStringLiteral("auswert")), 5);
    // the rows taken into the view can be changed and deleted at once
    QVERIFY(t.findKey({1, QDate(2024, 3, 3)}));
    t.field("Soll").setAsInteger(300);
    t.post();
    QVERIFY(t.findKey({1, QDate(2024, 3, 2)}));
    t.remove();
    Table again(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    again.openRange({1, QDate(2024, 3, 1)}, {1, QDate(2024, 3, 31)});
    QCOMPARE(datesOf(again),
             QList<QDate>({QDate(2024, 3, 3), QDate(2024, 3, 15), QDate(2024, 3, 20)}));
    QVERIFY(again.findKey({1, QDate(2024, 3, 3)}));
    QCOMPARE(again.field("Soll").asInteger(), 300);
}

void TestTable::rowChangedElsewhereIsNeverOverwritten()
{
    TempDataDir dir;
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Personal (PersonalNummer, Name) VALUES (7, 'Alt')"));
    Table t(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    t.open();
    QCOMPARE(
        TempDataDir::execElsewhere(QStringLiteral(
            "UPDATE Personal SET Name = 'Dort', version = version + 1 WHERE PersonalNummer = 7")),
        1);
    t.field("Name").setAsString(QStringLiteral("Hier"));
    try {
        t.post();
        QFAIL("stale row written");
    } catch (const StaleRowError &e) {
        QCOMPARE(e.message(),
                 QStringLiteral(
                     "Der Datensatz wurde inzwischen an einem anderen Arbeitsplatz geändert."));
    }
    // the stored values are shown, and the next edit builds on them
    QCOMPARE(t.state(), Table::State::Browse);
    QCOMPARE(t.field("Name").asString(), QStringLiteral("Dort"));
    t.field("Name").setAsString(QStringLiteral("Hier"));
    t.post();
    Table again(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    again.open();
    QCOMPARE(again.field("Name").asString(), QStringLiteral("Hier"));
}

void TestTable::rowDeletedElsewhereIsReported()
{
    TempDataDir dir;
    TempDataDir::exec(QStringLiteral("INSERT INTO Schicht (Schichtplan) VALUES (1), (2)"));
    Table t(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    t.open();
    QCOMPARE(
        TempDataDir::execElsewhere(QStringLiteral("DELETE FROM Schicht WHERE Schichtplan = 1")), 1);
    QVERIFY_THROWS_EXCEPTION(StaleRowError, t.remove());
    QCOMPARE(t.recordCount(), 1);
    // a row changed elsewhere is not deleted from under the other workstation
    QCOMPARE(TempDataDir::execElsewhere(
                 QStringLiteral("UPDATE Schicht SET Bezeichnung = 'neu', version = version + 1")),
             1);
    QVERIFY_THROWS_EXCEPTION(StaleRowError, t.remove());
    QCOMPARE(countRows(QStringLiteral("Schicht")), 1);
    QCOMPARE(t.field("Bezeichnung").asString(), QStringLiteral("neu"));
}

void TestTable::controlsDisableNests()
{
    TempDataDir dir;
    Table t(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    t.open();
    QSignalSpy record(&t, &Table::recordChanged);
    QSignalSpy view(&t, &Table::viewChanged);
    t.disableControls();
    t.disableControls();
    for (int n = 1; n <= 5; ++n) {
        t.append();
        t.field("Schichtplan").setAsInteger(n);
        t.post();
    }
    t.enableControls();
    QCOMPARE(record.count(), 0);
    QCOMPARE(view.count(), 0);
    t.enableControls();
    QCOMPARE(view.count(), 1);
    QCOMPARE(record.count(), 1);
    QCOMPARE(t.recordCount(), 5);
}

void TestTable::writeBatchKeepsRowsStoredBeforeAnError()
{
    TempDataDir dir;
    Table t(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    t.open();
    try {
        WriteBatch batch;
        addDay(t, 1, QDate(2024, 1, 1));
        addDay(t, 1, QDate(2024, 1, 2));
        addDay(t, 1, QDate(2024, 1, 2)); // duplicate key: refused
        QFAIL("duplicate key accepted");
    } catch (const DbError &) {
    }
    t.cancel();
    Database::disconnect();
    Table again(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    again.open();
    QCOMPARE(again.recordCount(), 2);
}

void TestTable::duplicateKeyIsRefusedAndNothingIsLost()
{
    TempDataDir dir;
    Table t(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    t.open();
    t.append();
    t.field("PersonalNummer").setAsInteger(1);
    t.field("Name").setAsString(QStringLiteral("Maier"));
    t.post();
    t.append();
    t.field("PersonalNummer").setAsInteger(1);
    try {
        t.post();
        QFAIL("duplicate accepted");
    } catch (const DbError &e) {
        QVERIFY(e.message().contains(QStringLiteral("bereits vorhanden")));
    }
    QCOMPARE(t.state(), Table::State::Insert);
    t.cancel();
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.field("Name").asString(), QStringLiteral("Maier"));
}

void TestTable::corruptFileGivesAMessage()
{
    TK_SQLITE_ONLY();
    TempDataDir dir(false);
    QFile file(dir.filePath(QString::fromLatin1(Database::FileName)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    Database::setPath(dir.path());
    Table t(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    try {
        t.open();
        QFAIL("corrupt file opened");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("beschädigt")), qPrintable(e.message()));
    }
    QCOMPARE(QFileInfo(file).size(), qint64(4096));
}

void TestTable::lockedDatabaseGivesAMessageAndKeepsTheEdit()
{
    TK_SQLITE_ONLY();
    TempDataDir dir;
    Table t(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    t.open();
    {
        // Another program holds the write lock.
        QSqlDatabase other =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(Database::filePath());
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        t.append();
        t.field("Schichtplan").setAsInteger(1);
        try {
            t.post();
            QFAIL("post through a lock");
        } catch (const DbError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("gesperrt")), qPrintable(e.message()));
        }
        QCOMPARE(t.state(), Table::State::Insert);
        lock.exec(QStringLiteral("ROLLBACK"));
        lock.finish();
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    t.post();
    QCOMPARE(countRows(QStringLiteral("Schicht")), 1);
}

void TestTable::createDatabaseNeverTouchesExistingFile()
{
    TempDataDir dir;
    TempDataDir::exec(QStringLiteral("INSERT INTO Schicht (Schichtplan) VALUES (4)"));
    Database::disconnect();
    QVERIFY(!Database::createDatabase(Database::url()));
    QCOMPARE(countRows(QStringLiteral("Schicht")), 1);
}

void TestTable::schemaUpgradeAddsFieldWithOne()
{
    TK_SQLITE_ONLY();
    TempDataDir dir;
    // an old database lacks both the evaluation start and the row version
    TempDataDir::dropChangeLog();
    TempDataDir::exec(QStringLiteral("ALTER TABLE Personal DROP COLUMN AuswertBegin"));
    TempDataDir::exec(QStringLiteral("ALTER TABLE Personal DROP COLUMN version"));
    TempDataDir::exec(QStringLiteral("INSERT INTO Personal (PersonalNummer) VALUES (1), (2)"));
    TempDataDir::exec(QStringLiteral("PRAGMA user_version = 0"));
    upgradeSchema();
    QSqlQuery q(Database::connection());
    q.exec(QStringLiteral("SELECT count(*) FROM Personal WHERE AuswertBegin = 1"));
    q.next();
    QCOMPARE(q.value(0).toInt(), 2);
    q.exec(QStringLiteral("PRAGMA user_version"));
    q.next();
    QCOMPARE(q.value(0).toInt(), schemaVersion());
    // the upgraded table has the fields of a new one, in the same order
    const QSqlRecord personal = Database::connection().record(QStringLiteral("Personal"));
    const QStringList wanted = schemaTables().first().columns + QStringList{rowVersionDefinition()};
    QCOMPARE(personal.count(), wanted.size());
    for (int i = 0; i < wanted.size(); ++i)
        QVERIFY(wanted.at(i).startsWith(personal.fieldName(i) + QLatin1Char(' ')));
}

// A new database records its version, so no step runs on it; one made before versions were
// recorded gets the number without losing a value.
void TestTable::schemaVersionIsRecorded()
{
    TK_SQLITE_ONLY();
    TempDataDir dir;
    QSqlQuery q(Database::connection());
    q.exec(QStringLiteral("PRAGMA user_version"));
    q.next();
    QCOMPARE(q.value(0).toInt(), schemaVersion());

    TempDataDir::exec(QStringLiteral("PRAGMA user_version = 0"));
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Personal (PersonalNummer, AuswertBegin) VALUES (1, 16)"));
    upgradeSchema();
    q.exec(QStringLiteral("SELECT AuswertBegin FROM Personal"));
    q.next();
    QCOMPARE(q.value(0).toInt(), 16);
    q.exec(QStringLiteral("PRAGMA user_version"));
    q.next();
    QCOMPARE(q.value(0).toInt(), schemaVersion());
}

// A database of version 3 lacks the firm settings and the time accounts; the upgrade makes
// them, on a server with their change notices.
void TestTable::schemaUpgradeAddsSettingsAndTimeAccounts()
{
    TempDataDir dir;
    TempDataDir::exec(QStringLiteral("DROP TABLE Einstellung"));
    TempDataDir::exec(QStringLiteral("DROP TABLE Zeitkonto"));
    TempDataDir::exec(TempDataDir::onServer() ? QStringLiteral("UPDATE Schemastand SET Version = 3")
                                              : QStringLiteral("PRAGMA user_version = 3"));
    QVERIFY_THROWS_EXCEPTION(DbError, Database::resolveTableName(QStringLiteral("Zeitkonto")));
    upgradeSchema();
    Table accounts(QStringLiteral("Zeitkonto"), QStringLiteral("PersonalNummer;Jahr"));
    accounts.open();
    accounts.append();
    accounts.field("PersonalNummer").setAsInteger(7);
    accounts.field("Jahr").setAsInteger(2026);
    accounts.field("Urlaubsanspruch").setAsFloat(27.5);
    accounts.post();
    accounts.append();
    accounts.field("PersonalNummer").setAsInteger(7);
    accounts.field("Jahr").setAsInteger(2026);
    QVERIFY_THROWS_EXCEPTION(DbError, accounts.post()); // one account per employee and year
    accounts.cancel();
    Table settings(QStringLiteral("Einstellung"), QStringLiteral("Schluessel"));
    settings.open();
    QCOMPARE(settings.fieldNames(),
             QStringList({QStringLiteral("Schluessel"), QStringLiteral("Wert")}));
}

void TestTable::schemaUpgradeKeepsChosenValues()
{
    TK_SQLITE_ONLY();
    TempDataDir dir;
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Personal (PersonalNummer, AuswertBegin) VALUES (1, 16)"));
    for (int start = 0; start < 3; ++start) {
        Database::setPath(dir.path());
        upgradeSchema();
    }
    Table t(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    t.open();
    QCOMPARE(t.field("AuswertBegin").asInteger(), 16);
}

void TestTable::schemaUpgradeNeverCreatesTheFolder()
{
    TK_SQLITE_ONLY();
    TempDataDir dir(false);
    Database::setPath(dir.filePath(QStringLiteral("Daten")));
    QVERIFY_THROWS_EXCEPTION(DbError, upgradeSchema());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Daten"))));
}

// Values another program stored: whole numbers keep all 64 bits, a real is rounded, and a real
// no 64-bit number holds reads as 0 and says so instead of being folded.
void TestTable::storedIntegersReadInSixtyFourBits()
{
    const struct
    {
        QVariant stored;
        qint64 value;
        bool fits;
    } cases[] = {{QVariant(), 0, true},
                 {QVariant(5000000000LL), 5000000000LL, true},
                 {QVariant(-2.5), -3, true},
                 {QVariant(QStringLiteral("abc")), 0, true},
                 {QVariant(1e300), 0, false},
                 {QVariant(-1e19), 0, false},
                 {QVariant(std::numeric_limits<double>::quiet_NaN()), 0, false}};
    for (const auto &c : cases) {
        bool fits = !c.fits;
        QCOMPARE(Field::largeInt(c.stored, &fits), c.value);
        QCOMPARE(fits, c.fits);
    }
}

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
