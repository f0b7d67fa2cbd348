#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tk {

// The one database the program works on, reached under the connection name BDE_ALIAS.
// PATH is the data folder holding taktora.db; the connection is made lazily when the
// first table or query needs it, so a missing folder is reported by whoever opens first.
class Database
{
public:
    static constexpr const char *ConnectionName = "BDE_ALIAS";
    static constexpr const char *FileName = "taktora.db";

    // Disconnects and points the database at another folder.
    static void setPath(const QString &dataDir);
    static QString path();
    static QString filePath();

    // The open connection; throws DbError (German) when the folder or the file is missing,
    // the file is not a database or cannot be opened.
    static QSqlDatabase connection();
    static void disconnect();
    static bool isConnected();

    // Creates the folder and the empty tables when the folder has no database yet.
    // Returns false (and touches nothing) when a database file is already there.
    static bool createDatabase(const QString &dataDir);

    // Canonical table name for a name matched without regard to case (".DB" suffix ignored);
    // throws DbError when the table does not exist.
    static QString resolveTableName(const QString &name);

    // Turns a driver error into the German message shown to the operator.
    static QString describeError(const QString &action, const QSqlError &error);
};

// Groups many writes into one transaction. Nested scopes join the outermost one.
// The outermost scope commits when it ends, also when an error unwinds it: rows stored
// before the error stay stored.
class WriteBatch
{
public:
    WriteBatch();
    ~WriteBatch();
    WriteBatch(const WriteBatch &) = delete;
    WriteBatch &operator=(const WriteBatch &) = delete;

private:
    bool m_outermost = false;
};

} // namespace tk
