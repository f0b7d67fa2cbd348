#include "tests/support/TempDataDir.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <cstdio>
#include <cstdlib>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/DatabaseUrl.h"
#include "core/db/ScopedConnection.h"

namespace tk::test {

namespace {

// CTest takes this exit status as "skipped" (SKIP_RETURN_CODE).
constexpr int SkipExitCode = 77;

} // namespace

DatabaseUrl TempDataDir::serverUrl()
{
    const QString text = qEnvironmentVariable("TAKTORA_TEST_PG_URL");
    if (text.isEmpty()) {
        std::fputs("TAKTORA_TEST_PG_URL fehlt: scripts/test.sh startet den Testserver.\n", stderr);
        std::exit(SkipExitCode);
    }
    return DatabaseUrl::parse(text);
}

void TempDataDir::administer(const QString &sql)
{
    ScopedConnection admin(QStringLiteral("taktora_test_admin"), serverUrl());
    if (!admin.db().open())
        qFatal("Testserver: %s", qPrintable(admin.db().lastError().text()));
    QSqlQuery q(admin.db());
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

bool TempDataDir::onServer()
{
    return qEnvironmentVariable("TAKTORA_TEST_BACKEND") == QLatin1String("postgresql");
}

TempDataDir::TempDataDir(bool withDatabase)
{
    if (!onServer()) {
        if (withDatabase)
            Database::createDatabase(m_dir.path());
        Database::setPath(m_dir.path());
        m_url = QStringLiteral("sqlite:") + m_dir.filePath(QLatin1String(Database::FileName));
        return;
    }
    static int made = 0;
    m_serverDatabase =
        QStringLiteral("test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
    administer(QStringLiteral("CREATE DATABASE %1").arg(m_serverDatabase));
    const DatabaseUrl url = serverUrl().withDatabaseName(m_serverDatabase);
    if (withDatabase)
        Database::createDatabase(url);
    Database::setUrl(url);
    m_url = url.displayText();
}

TempDataDir::~TempDataDir()
{
    Database::disconnect();
    if (!m_serverDatabase.isEmpty())
        administer(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(m_serverDatabase));
}

void TempDataDir::exec(const QString &sql, const QVariantList &binds)
{
    QSqlQuery q(Database::connection());
    if (!binds.isEmpty()) {
        q.prepare(sql);
        for (const QVariant &b : binds)
            q.addBindValue(b);
    }
    if (!(binds.isEmpty() ? q.exec(sql) : q.exec()))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

void TempDataDir::dropChangeLog()
{
    if (onServer()) {
        exec(QStringLiteral("DROP FUNCTION taktora_log() CASCADE"));
        exec(QStringLiteral("DROP FUNCTION taktora_log_closing() CASCADE"));
        return;
    }
    QSqlQuery triggers(Database::connection());
    triggers.exec(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'trigger' AND name "
        "LIKE '%\\_log\\_%' ESCAPE '\\' OR name LIKE 'Protokoll\\_keep%' ESCAPE '\\'"));
    QStringList names;
    while (triggers.next())
        names << triggers.value(0).toString();
    for (const QString &name : names)
        exec(QStringLiteral("DROP TRIGGER %1").arg(name));
}

int TempDataDir::execElsewhere(const QString &sql)
{
    ScopedConnection other(QStringLiteral("other_workstation"), Database::url());
    if (!other.db().open())
        qFatal("%s", qPrintable(other.db().lastError().text()));
    QSqlQuery q(other.db());
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return q.numRowsAffected();
}

void TempDataDir::refuseWrites(const QString &name, const QString &event, const QString &when,
                               const QString &message)
{
    if (!onServer()) {
        exec(QStringLiteral("CREATE TRIGGER %1 %2 WHEN %3 BEGIN SELECT RAISE(ABORT, '%4'); END")
                 .arg(name, event, when, message));
        return;
    }
    const QString returned =
        event.contains(QLatin1String("DELETE")) ? QStringLiteral("OLD") : QStringLiteral("NEW");
    exec(QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                        "IF %2 THEN RAISE EXCEPTION '%3'; END IF; RETURN %4; END $$")
             .arg(name, when, message, returned));
    exec(
        QStringLiteral("CREATE TRIGGER %1 %2 FOR EACH ROW EXECUTE FUNCTION %1()").arg(name, event));
}

QVariant sqlValue(const QString &sql)
{
    QSqlQuery query(Database::connection());
    if (!query.exec(sql) || !query.next())
        return QVariant();
    return query.value(0);
}

QString userError(const std::function<void()> &work)
{
    try {
        work();
    } catch (const UserError &e) {
        return e.message();
    }
    return QString();
}

} // namespace tk::test
