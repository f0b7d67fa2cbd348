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
// The outermost scope commits when it ends; when an error unwinds it, KeepStored still
// commits (rows stored before the error stay stored) and AllOrNothing rolls back, after
// which the caller re-reads its tables.
class WriteBatch
{
public:
    enum Mode {
        KeepStored,  // an error keeps the rows stored before it
        AllOrNothing // an error takes back every write of the batch (replacing a set of rows)
    };
    explicit WriteBatch(Mode mode = KeepStored);
    ~WriteBatch();
    WriteBatch(const WriteBatch &) = delete;
    WriteBatch &operator=(const WriteBatch &) = delete;

private:
    bool m_outermost = false;
    Mode m_mode;
    int m_exceptionsAtStart;
};

} // namespace tk
