#include "core/db/SessionStamp.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSysInfo>
#include <QVariant>

#include "core/db/SqlDialect.h"

namespace tk {

namespace {

QString g_reason;

void setServerSetting(QSqlDatabase &db, const char *name, const QString &value, bool local)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT set_config(?, ?, %1)")
                  .arg(local ? QStringLiteral("true") : QStringLiteral("false")));
    q.addBindValue(QLatin1String(name));
    q.addBindValue(value);
    q.exec();
}

} // namespace

QString SessionUser()
{
    for (const char *name : {"USER", "LOGNAME", "USERNAME"}) {
        const QString user = qEnvironmentVariable(name);
        if (!user.isEmpty())
            return user;
    }
    return QDir::home().dirName();
}

QString SessionWorkstation()
{
    return QSysInfo::machineHostName();
}

ChangeReason::ChangeReason(const QString &reason)
    : m_previous(g_reason)
{
    g_reason = reason;
}

ChangeReason::~ChangeReason()
{
    g_reason = m_previous;
}

QString ChangeReason::current()
{
    return g_reason;
}

void stampConnection(QSqlDatabase &db)
{
    if (!SqlDialect::isServer(db))
        return;
    setServerSetting(db, "taktora.benutzer", SessionUser(), false);
    setServerSetting(db, "taktora.arbeitsplatz", SessionWorkstation(), false);
}

void beginStampedWrites(QSqlDatabase &db)
{
    if (SqlDialect::isServer(db)) {
        setServerSetting(db, "taktora.grund", g_reason, true);
        return;
    }
    // A database from before the change log has no Sitzung: the statements fail harmlessly.
    endStampedWrites(db);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO Sitzung (Benutzer, Arbeitsplatz, Grund) VALUES (?, ?, "
                             "?)"));
    q.addBindValue(SessionUser());
    q.addBindValue(SessionWorkstation());
    q.addBindValue(g_reason.isEmpty() ? QVariant() : QVariant(g_reason));
    q.exec();
}

void endStampedWrites(QSqlDatabase &db)
{
    if (SqlDialect::isServer(db))
        return;
    QSqlQuery q(db);
    q.exec(QStringLiteral("DELETE FROM Sitzung"));
}

} // namespace tk
