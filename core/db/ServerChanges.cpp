#include "core/db/ServerChanges.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Schema.h"
#include "core/db/TableChanges.h"

namespace tk {

namespace {

constexpr int WatchIntervalMs = 1000;

} // namespace

ServerChanges &ServerChanges::instance()
{
    static ServerChanges *changes = new ServerChanges;
    return *changes;
}

ServerChanges::ServerChanges()
{
    m_watch.setInterval(WatchIntervalMs);
    connect(&m_watch, &QTimer::timeout, this, &ServerChanges::check);
}

void ServerChanges::start()
{
    if (!Database::isServer())
        return;
    m_listening = true;
    m_lost = false;
    Database::setConnectedHook([this](QSqlDatabase &db) { subscribe(db); });
    if (Database::isConnected()) {
        QSqlDatabase db = Database::connection();
        subscribe(db);
    }
    m_watch.start();
}

void ServerChanges::stop()
{
    m_listening = false;
    m_watch.stop();
    Database::setConnectedHook(nullptr);
}

void ServerChanges::subscribe(QSqlDatabase &db)
{
    QSqlDriver *driver = db.driver();
    driver->subscribeToNotification(QLatin1String(ChangeChannel));
    // A new connection brings a new driver; the old one went with the old connection.
    connect(driver, &QSqlDriver::notification, this, &ServerChanges::received,
            Qt::UniqueConnection);
}

void ServerChanges::received(const QString &name, QSqlDriver::NotificationSource source,
                             const QVariant &payload)
{
    // The program's own writes were announced when they were made.
    if (name != QLatin1String(ChangeChannel) || source == QSqlDriver::SelfSource)
        return;
    const QString table = payload.toString().section(QLatin1Char(':'), 0, 0);
    TableChanges::noteChanged(schemaSpelling(table));
}

// A server restart shows itself only on the next statement: the connection reads as closed
// and notices stop coming.
void ServerChanges::check()
{
    if (!m_listening)
        return;
    bool alive = Database::isConnected();
    if (alive) {
        QSqlQuery ping(Database::connection());
        alive = ping.exec(QStringLiteral("SELECT 1"));
    }
    if (alive && !m_lost)
        return;
    if (!alive) {
        if (!m_lost) {
            m_lost = true;
            Q_EMIT connectionLost(QStringLiteral("Die Verbindung zur Datenbank ist unterbrochen; "
                                                 "sie wird neu aufgebaut. Begonnene Eingaben "
                                                 "bleiben erhalten."));
        }
        try {
            Database::disconnect();
            Database::connection(); // subscribes again through the hook
        } catch (const UserError &) {
            return; // the next tick tries again
        }
    }
    m_lost = false;
    refreshEverything();
    Q_EMIT connectionRestored(QStringLiteral("Die Verbindung zur Datenbank steht wieder."));
}

// Whatever changed while the connection was away is read again.
void ServerChanges::refreshEverything()
{
    for (const SchemaTable &table : schemaTables())
        TableChanges::noteChanged(table.name);
}

} // namespace tk
