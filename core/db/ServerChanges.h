#pragma once

#include <QObject>
#include <QSqlDriver>
#include <QTimer>

class QSqlDatabase;

namespace tk {

// Brings the changes other workstations make on a database server into this program: the
// server's triggers send a notice with table and key for every written row; each notice
// from another connection becomes the change signal the program's own writes give
// (TableChanges), so open windows re-read the rows they show. A cheap check every second
// finds a lost connection (a server restart), which is announced, made again, subscribed
// anew and followed by a refresh of every table. SQLite has nothing to listen to.
class ServerChanges : public QObject
{
    Q_OBJECT
public:
    static ServerChanges &instance();

    // Listens from now on (after the database was chosen); stop() ends it.
    void start();
    void stop();
    bool isConnectionLost() const { return m_lost; }

Q_SIGNALS:
    void connectionLost(const QString &message);
    void connectionRestored(const QString &message);

private:
    ServerChanges();
    void subscribe(QSqlDatabase &db);
    void received(const QString &name, QSqlDriver::NotificationSource source,
                  const QVariant &payload);
    void check();
    void refreshEverything();

    QTimer m_watch;
    bool m_listening = false;
    bool m_lost = false;
};

} // namespace tk
