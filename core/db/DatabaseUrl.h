#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace tk {

// Where the program's database lives, as a workstation names it:
//   sqlite:PATH                                      the SQLite file PATH
//   postgresql://user@host:port/dbname               a PostgreSQL server over TCP
//   postgresql:///dbname?host=/socket/dir&port=5432  the same over a Unix socket
// ("postgres://" is taken for "postgresql://"; further query items such as sslmode=require
// go to libpq as they stand). A password in the address is kept for the
// connection only and never shown; without one libpq reads PGPASSFILE or ~/.pgpass.
class DatabaseUrl
{
public:
    enum class Kind { SQLite, PostgreSQL };

    // Throws UserError with a German message naming what is wrong.
    static DatabaseUrl parse(const QString &text);
    static DatabaseUrl sqliteFile(const QString &filePath);

    Kind kind() const { return m_kind; }
    QString filePath() const { return m_filePath; } // SQLite
    QString host() const { return m_host; }         // a folder for a Unix socket
    int port() const { return m_port; }             // -1: the driver's default
    QString userName() const { return m_userName; }
    QString databaseName() const { return m_databaseName; }
    // The same server with another database on it.
    DatabaseUrl withDatabaseName(const QString &name) const;
    bool hasPassword() const { return !m_password.isEmpty(); }
    void setPassword(const QString &password) { m_password = password; }

    // The Qt SQL driver for the kind: "QSQLITE" or "QPSQL".
    QString driverName() const;
    // Sets host, port, user, password and database name (the file for SQLite).
    void applyTo(QSqlDatabase &db) const;
    // The address without its password, for the status bar and messages.
    QString displayText() const;

private:
    Kind m_kind = Kind::SQLite;
    QString m_filePath;
    QString m_host;
    int m_port = -1;
    QString m_userName;
    QString m_password;
    QString m_databaseName;
    QStringList m_options; // further libpq options as key=value
};

} // namespace tk
