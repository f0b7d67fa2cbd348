#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include "core/common/Errors.h"
#include "core/db/DatabaseUrl.h"

using namespace tk;

class TestDatabaseUrl : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addresses_data();
    void addresses();
    void passwordIsNeverShown();
    void badAddressesAreRefused_data();
    void badAddressesAreRefused();
    void reachesTheTestServer();
};

void TestDatabaseUrl::addresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("sqlite");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("shown");
    QTest::newRow("sqlite file") << "sqlite:/srv/zeit/taktora.db" << true << "" << -1 << ""
                                 << "/srv/zeit/taktora.db"
                                 << "sqlite:/srv/zeit/taktora.db";
    QTest::newRow("tcp") << "postgresql://anna@zeitserver:5433/zeitbuero" << false << "zeitserver"
                         << 5433 << "anna"
                         << "zeitbuero"
                         << "postgresql://anna@zeitserver:5433/zeitbuero";
    QTest::newRow("tcp, default port")
        << "postgres://zeitserver/zeitbuero" << false << "zeitserver" << -1 << ""
        << "zeitbuero"
        << "postgresql://zeitserver/zeitbuero";
    QTest::newRow("unix socket") << "postgresql:///zeitbuero?host=/run/postgresql&port=5432"
                                 << false << "/run/postgresql" << 5432 << ""
                                 << "zeitbuero"
                                 << "postgresql:///zeitbuero?host=/run/postgresql&port=5432";
    QTest::newRow("user and libpq option")
        << "postgresql://zeitserver/zeitbuero?user=bernd&sslmode=require" << false << "zeitserver"
        << -1 << "bernd"
        << "zeitbuero"
        << "postgresql://bernd@zeitserver/zeitbuero?sslmode=require";
}

void TestDatabaseUrl::addresses()
{
    QFETCH(QString, text);
    const DatabaseUrl url = DatabaseUrl::parse(text);
    QFETCH(bool, sqlite);
    QCOMPARE(url.kind() == DatabaseUrl::Kind::SQLite, sqlite);
    QCOMPARE(url.driverName(), sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"));
    QFETCH(QString, database);
    QCOMPARE(sqlite ? url.filePath() : url.databaseName(), database);
    QFETCH(QString, host);
    QCOMPARE(url.host(), host);
    QFETCH(int, port);
    QCOMPARE(url.port(), port);
    QFETCH(QString, user);
    QCOMPARE(url.userName(), user);
    QFETCH(QString, shown);
    QCOMPARE(url.displayText(), shown);
    // What is shown names the same database again.
    QCOMPARE(DatabaseUrl::parse(shown).displayText(), shown);
}

void TestDatabaseUrl::passwordIsNeverShown()
{
    const DatabaseUrl url = DatabaseUrl::parse(QStringLiteral("postgresql://anna:geheim@h/zeit"));
    QVERIFY(!url.displayText().contains(QStringLiteral("geheim")));
    QSqlDatabase db = QSqlDatabase::addDatabase(url.driverName(), QStringLiteral("pw"));
    url.applyTo(db);
    QCOMPARE(db.password(), QStringLiteral("geheim"));
    QCOMPARE(db.userName(), QStringLiteral("anna"));
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("pw"));
}

void TestDatabaseUrl::badAddressesAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("why");
    QTest::newRow("empty") << ""
                           << "Erwartet wird";
    QTest::newRow("sqlite without path") << "sqlite:"
                                         << "Pfad";
    QTest::newRow("other server") << "mysql://h/zeit"
                                  << "Erwartet wird";
    QTest::newRow("no database") << "postgresql://h"
                                 << "Name der Datenbank";
    QTest::newRow("path too deep") << "postgresql://h/a/b"
                                   << "Name der Datenbank";
    QTest::newRow("port not a number") << "postgresql:///zeit?host=/run&port=abc"
                                       << "Port";
    QTest::newRow("port out of range") << "postgresql:///zeit?host=/run&port=70000"
                                       << "Port";
    QTest::newRow("option with separator") << "postgresql://h/zeit?sslmode=a;b"
                                           << "\";\"";
}

void TestDatabaseUrl::badAddressesAreRefused()
{
    QFETCH(QString, text);
    QFETCH(QString, why);
    try {
        DatabaseUrl::parse(text);
        QFAIL("accepted");
    } catch (const UserError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Die Datenbankadresse \"") + text),
                 qPrintable(e.message()));
        QVERIFY2(e.message().contains(why), qPrintable(e.message()));
    }
}

// The throw-away server of scripts/test.sh: the parsed address reaches that database.
void TestDatabaseUrl::reachesTheTestServer()
{
    const QString text = qEnvironmentVariable("TAKTORA_TEST_PG_URL");
    if (text.isEmpty())
        QSKIP("TAKTORA_TEST_PG_URL is not set (scripts/test.sh starts a server)");
    const DatabaseUrl url = DatabaseUrl::parse(text);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(url.driverName(), QStringLiteral("pg"));
        url.applyTo(db);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("SELECT current_database(), current_user")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), url.databaseName());
        QCOMPARE(q.value(1).toString(), url.userName());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pg"));
}

QTEST_GUILESS_MAIN(TestDatabaseUrl)
#include "tst_databaseurl.moc"
