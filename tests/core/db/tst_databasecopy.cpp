#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/DatabaseCopy.h"
#include "core/recording/MonthRecalc.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

const QDate March(2024, 3, 1);

// Every stored value of the program's tables in key order, as text: what a copy must keep.
QStringList contents()
{
    QStringList lines;
    const QStringList statements{
        QStringLiteral("SELECT * FROM Personal ORDER BY PersonalNummer"),
        QStringLiteral("SELECT * FROM Schicht ORDER BY Schichtplan"),
        QStringLiteral("SELECT * FROM Tagplan ORDER BY Schichtplan, Tagesplan"),
        QStringLiteral("SELECT * FROM auswert ORDER BY PersonalNummer, Datum"),
        QStringLiteral("SELECT * FROM AuswPos ORDER BY PersonalNummer, Datum, Von")};
    for (const QString &sql : statements) {
        Query query;
        query.setSql(sql);
        query.open();
        for (int row = 0; row < query.rowCount(); ++row) {
            QStringList values;
            for (const QString &column :
                 {"PersonalNummer", "Name", "Datum", "Von", "Summe", "Soll", "Kennung"}) {
                try {
                    values << query.value(row, column).toString();
                } catch (const DbError &) { // the table has no such column
                }
            }
            values << query.value(row, QStringLiteral("version")).toString();
            lines << values.join(QLatin1Char('|'));
        }
    }
    return lines;
}

// A server database of its own for a copy target, dropped with the object.
struct ServerTarget
{
    QString name = QStringLiteral("copy_target_%1").arg(QCoreApplication::applicationPid());
    DatabaseUrl url = TempDataDir::serverUrl().withDatabaseName(name);
    ServerTarget() { TempDataDir::administer(QStringLiteral("CREATE DATABASE ") + name); }
    ~ServerTarget()
    {
        TempDataDir::administer(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(name));
    }
};

void addExampleMonth()
{
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Öztürk"), 1, 16);
    addExampleEntries(1, QDate(2024, 3, 4));
    addExampleEntries(2, QDate(2024, 3, 5));
    QTextStream none(stdout);
    QCOMPARE(RecalcMonth(3, 2024, none), 0);
}

} // namespace

class TestDatabaseCopy : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTripKeepsEveryValue();
    void refusesATargetThatHoldsTables();
    void aRefusedRowLeavesNothingBehind();
};

// Here → a database of the other kind → a SQLite file: the same rows, values and versions.
void TestDatabaseCopy::roundTripKeepsEveryValue()
{
    TempDataDir dir;
    addExampleMonth();
    TempDataDir::exec(QStringLiteral("UPDATE Personal SET Name = 'Maier', version = 5 "
                                     "WHERE PersonalNummer = 2"));
    const QStringList original = contents();
    QVERIFY(original.size() > 60);

    const DatabaseUrl back = DatabaseUrl::sqliteFile(dir.filePath(QStringLiteral("back.db")));
    if (TempDataDir::onServer() || qEnvironmentVariableIsEmpty("TAKTORA_TEST_PG_URL")) {
        const DatabaseUrl here = Database::url();
        const QStringList report = DatabaseCopy::copyTo(back);
        QCOMPARE(report.first(), QStringLiteral("Personal: 2 Zeilen"));
        Database::setUrl(back);
        QCOMPARE(contents(), original);
        Database::setUrl(here);
        return;
    }
    ServerTarget server;
    DatabaseCopy::copyTo(server.url);
    Database::setUrl(server.url);
    QCOMPARE(contents(), original);
    DatabaseCopy::copyTo(back);
    Database::setUrl(back);
    QCOMPARE(contents(), original);
    Database::disconnect();
}

void TestDatabaseCopy::refusesATargetThatHoldsTables()
{
    TempDataDir dir;
    addExampleMonth();
    TempDataDir other;
    TempDataDir::exec(QStringLiteral("INSERT INTO Schicht (Schichtplan) VALUES (9)"));
    const DatabaseUrl target = Database::url();
    Database::setUrl(DatabaseUrl::parse(dir.databaseUrl()));
    try {
        DatabaseCopy::copyTo(target);
        QFAIL("copied into a database that holds tables");
    } catch (const UserError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("nicht leer")), qPrintable(e.message()));
    }
    Database::setUrl(target);
    Query schicht;
    schicht.setSql(QStringLiteral("SELECT Schichtplan FROM Schicht"));
    schicht.open();
    QCOMPARE(schicht.rowCount(), 1);
}

// A value the server cannot take ends the copy with the table named, and the target keeps no
// table.
void TestDatabaseCopy::aRefusedRowLeavesNothingBehind()
{
    TK_SQLITE_ONLY(); // only SQLite stores text in a whole-number column
    if (qEnvironmentVariableIsEmpty("TAKTORA_TEST_PG_URL"))
        QSKIP("kein Testserver");
    TempDataDir dir;
    addExampleMonth();
    TempDataDir::exec(
        QStringLiteral("UPDATE auswert SET Soll = 'acht' WHERE Datum = '2024-03-04'"));
    ServerTarget server;
    try {
        DatabaseCopy::copyTo(server.url);
        QFAIL("text copied into a whole-number column");
    } catch (const UserError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("Tabelle auswert")), qPrintable(e.message()));
    }
    Database::setUrl(server.url);
    QVERIFY_THROWS_EXCEPTION(DbError, Database::resolveTableName(QStringLiteral("Personal")));
    Database::disconnect();
}

QTEST_GUILESS_MAIN(TestDatabaseCopy)
#include "tst_databasecopy.moc"
