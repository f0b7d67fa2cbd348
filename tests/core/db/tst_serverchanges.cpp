#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/db/Database.h"
#include "core/db/Schema.h"
#include "core/db/ServerChanges.h"
#include "core/db/Table.h"
#include "core/db/TableChanges.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

QString script(const char *name)
{
    return QStringLiteral(TAKTORA_SOURCE_DIR "/scripts/") + QLatin1String(name);
}

// A server of the test's own, which it may restart without disturbing other tests.
struct OwnServer
{
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("pg"));
    QString url;
    OwnServer()
    {
        QFile::setPermissions(dir.path(), QFile::Permissions(0x7755));
        QProcess start;
        start.start(script("pg-start.sh"), {folder});
        if (start.waitForFinished(60000) && start.exitCode() == 0)
            url = QString::fromUtf8(start.readAllStandardOutput()).trimmed();
    }
    ~OwnServer() { QProcess::execute(script("pg-stop.sh"), {folder}); }
    bool restart() { return QProcess::execute(script("pg-restart.sh"), {folder}) == 0; }
};

void addEmployee(Table &personal, int number)
{
    personal.append();
    personal.field(QStringLiteral("PersonalNummer")).setAsInteger(number);
    personal.post();
}

} // namespace

class TestServerChanges : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void othersChangesReachOpenTables();
    void serverRestartIsSurvived();
    void olderServerDatabaseGetsChangeNotices();
    void cleanup() { ServerChanges::instance().stop(); }
};

void TestServerChanges::initTestCase()
{
    if (!TempDataDir::onServer())
        QSKIP("Nur mit Datenbankserver");
}

// Another workstation's rows appear within a second; the program's own writes are announced
// once, not a second time when the server's notice comes back.
void TestServerChanges::othersChangesReachOpenTables()
{
    TempDataDir dir;
    Table personal(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    personal.open();
    TableChanges::follow(&personal);
    ServerChanges::instance().start();

    QSignalSpy announced(&TableChanges::instance(), &TableChanges::tableChanged);
    addEmployee(personal, 1);
    QTest::qWait(300);
    QCOMPARE(announced.count(), 1);

    TempDataDir::execElsewhere(QStringLiteral("INSERT INTO Personal (PersonalNummer, Name) "
                                              "VALUES (2, 'Neu')"));
    QTRY_COMPARE_WITH_TIMEOUT(personal.recordCount(), 2, 1000);
    QVERIFY(personal.findKey({2}));
    QCOMPARE(personal.field(QStringLiteral("Name")).asString(), QStringLiteral("Neu"));

    // a row being edited here is not re-read from under the clerk
    personal.field(QStringLiteral("Name")).setAsString(QStringLiteral("Hier"));
    TempDataDir::execElsewhere(QStringLiteral("INSERT INTO Personal (PersonalNummer) VALUES (3)"));
    QTest::qWait(500);
    QCOMPARE(personal.state(), Table::State::Edit);
    QCOMPARE(personal.field(QStringLiteral("Name")).asString(), QStringLiteral("Hier"));
    personal.post();
    QTRY_COMPARE_WITH_TIMEOUT(personal.recordCount(), 3, 1000);
}

// The restart is announced, the connection made again, notices arrive again, everything
// shown is re-read, and an edit begun before the restart is stored afterwards.
void TestServerChanges::serverRestartIsSurvived()
{
    OwnServer server;
    QVERIFY2(!server.url.isEmpty(), "Der eigene Testserver startet nicht.");
    const DatabaseUrl url = DatabaseUrl::parse(server.url);
    QVERIFY(Database::createDatabase(url));
    Database::setUrl(url);
    Table personal(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    personal.open();
    TableChanges::follow(&personal);
    addEmployee(personal, 1);
    ServerChanges::instance().start();
    QSignalSpy lost(&ServerChanges::instance(), &ServerChanges::connectionLost);
    QSignalSpy restored(&ServerChanges::instance(), &ServerChanges::connectionRestored);

    personal.field(QStringLiteral("Name")).setAsString(QStringLiteral("Vor dem Neustart"));
    QVERIFY(server.restart());
    QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 5000);
    QVERIFY(lost.first().first().toString().contains(QStringLiteral("unterbrochen")));
    QTRY_COMPARE_WITH_TIMEOUT(restored.count(), 1, 15000);

    QCOMPARE(personal.state(), Table::State::Edit);
    personal.post();
    QTest::qWait(200); // the refresh after the restart is done; what follows is a notice
    TempDataDir::execElsewhere(QStringLiteral("INSERT INTO Personal (PersonalNummer) VALUES (2)"));
    QTRY_COMPARE_WITH_TIMEOUT(personal.recordCount(), 2, 1000);
    personal.first();
    QCOMPARE(personal.field(QStringLiteral("Name")).asString(), QStringLiteral("Vor dem Neustart"));
    ServerChanges::instance().stop();
    personal.close();
    Database::disconnect();
}

// A server database made before the tables announced their changes gets the notices with the
// schema upgrade.
void TestServerChanges::olderServerDatabaseGetsChangeNotices()
{
    TempDataDir dir;
    TempDataDir::exec(QStringLiteral("DROP FUNCTION taktora_notify() CASCADE"));
    TempDataDir::exec(QStringLiteral("UPDATE Schemastand SET Version = 2"));
    upgradeSchema();
    Table personal(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    personal.open();
    TableChanges::follow(&personal);
    ServerChanges::instance().start();
    TempDataDir::execElsewhere(QStringLiteral("INSERT INTO Personal (PersonalNummer) VALUES (1)"));
    QTRY_COMPARE_WITH_TIMEOUT(personal.recordCount(), 1, 1000);
    Query version;
    version.setSql(QStringLiteral("SELECT Version FROM Schemastand"));
    version.open();
    QCOMPARE(version.value(0, 0).toInt(), schemaVersion());
}

QTEST_GUILESS_MAIN(TestServerChanges)
#include "tst_serverchanges.moc"
