#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <functional>

#include "core/common/Errors.h"
#include "core/db/DatabaseUrl.h"

namespace tk {

// The one database the program works on, reached under the connection name BDE_ALIAS: the
// SQLite file taktora.db in the data folder, or the database an address names (a SQLite file
// elsewhere or a PostgreSQL server). The connection is made lazily when the first table or
// query needs it, so a missing folder or server is reported by whoever opens first, and made
// again after a server dropped it. A file without write rights is opened for reading only:
// everything can be viewed and printed, every write gets the read-only message.
class Database
{
public:
    static constexpr const char *ConnectionName = "BDE_ALIAS";
    static constexpr const char *FileName = "taktora.db";
    // How long a write waits for another program's transaction before it gives up.
    static constexpr int BusyTimeoutMs = 10000;

    enum class Access {
        Auto,    // read-only only when the rights lack
        ReadOnly // never write, whatever the rights
    };

    // Disconnects and points the database at taktora.db in another folder.
    static void setPath(const QString &dataDir, Access access = Access::Auto);
    // Disconnects and points the database at the address.
    static void setUrl(const DatabaseUrl &url, Access access = Access::Auto);
    static DatabaseUrl url();
    static bool isServer();
    // The SQLite file, empty for a server.
    static QString filePath();
    // The file or the address (without password) as the operator reads it.
    static QString displayName();

    // Asked for the password when the server wants one the address and ~/.pgpass lack;
    // returns a null string when the operator declines. Without a prompt none is asked.
    using PasswordPrompt = std::function<QString(const QString &displayName)>;
    static void setPasswordPrompt(PasswordPrompt prompt);

    // The open connection; throws DbError (German) when the folder or the file is missing,
    // the file is not a database, or the server cannot be reached.
    static QSqlDatabase connection();
    static void disconnect();
    static bool isConnected();
    // Counts the connections made; statements prepared on an earlier one are prepared again.
    static int connectionCount();
    // Called after every new connection (a server's change notices are subscribed anew).
    static void setConnectedHook(std::function<void(QSqlDatabase &)> hook);
    // True when the open connection can only read.
    static bool isReadOnly();

    // Creates the folder and the empty tables when the folder has no database yet.
    // Returns false (and touches nothing) when a database file is already there.
    static bool createDatabase(const QString &dataDir);
    // The same for an address: a SQLite file, or the tables in an existing empty server
    // database (false when it already holds the program's tables).
    static bool createDatabase(const DatabaseUrl &url);

    // Runs a prepared write, or sql when given; false (with the query's error) when it
    // failed. Inside a batch that keeps what was stored, a failed write on a server leaves
    // the earlier ones intact.
    static bool execWrite(QSqlQuery &query, const QString &sql = QString());
    // The rows the last write through execWrite changed (read as it ran).
    static int rowsAffected();

    // Canonical table name for a name matched without regard to case (".DB" suffix ignored);
    // throws DbError when the table does not exist.
    static QString resolveTableName(const QString &name);

    // Turns a driver error into the German message shown to the operator.
    static QString describeError(const QString &action, const QSqlError &error);
    // The error to throw for it, marked when running the transaction again may succeed.
    static DbError error(const QString &action, const QSqlError &error);
};

// Groups many writes into one transaction, which holds the write lock from the start (a
// busy database is waited for up to BusyTimeoutMs). Nested scopes join the outermost one.
// The work is stored by commit(), which throws DbError (after taking the batch back) when
// the database refuses it. A batch that ends without commit() is taken back, except that
// when an error unwinds a KeepStored batch the rows stored before the error are still
// committed (that error is the one reported, so a failure of this commit is not). After a
// rollback the caller re-reads its tables.
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

    // Stores the batch; a nested batch leaves that to the outermost one.
    void commit();

    // True inside a batch: a single failing statement must not end the whole transaction.
    static bool isOpen();

private:
    bool m_outermost = false;
    bool m_done = false;
    Mode m_mode;
    int m_exceptionsAtStart;
};

// Runs work (which opens its own WriteBatch) and runs it again, up to a few times, when a
// server broke the transaction off for a serialization failure or a deadlock; work that only
// derives rows from others (a recalculation) also when another workstation wrote the same rows
// at the same time. The work must re-read what it needs. Other errors and the last failure are
// thrown.
enum class RetryOn { Conflict, ConcurrentWrite };
void retryTransaction(RetryOn on, const std::function<void()> &work);

} // namespace tk
