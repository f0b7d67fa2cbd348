#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tk {

// The one database the program works on, reached under the connection name BDE_ALIAS.
// PATH is the data folder holding taktora.db; the connection is made lazily when the
// first table or query needs it, so a missing folder is reported by whoever opens first.
// A folder or file without write rights is opened for reading only: everything can be
// viewed and printed, every write gets the read-only message.
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

    // Disconnects and points the database at another folder.
    static void setPath(const QString &dataDir, Access access = Access::Auto);
    static QString path();
    static QString filePath();

    // The open connection; throws DbError (German) when the folder or the file is missing,
    // the file is not a database or cannot be opened.
    static QSqlDatabase connection();
    static void disconnect();
    static bool isConnected();
    // True when the open connection can only read.
    static bool isReadOnly();

    // Creates the folder and the empty tables when the folder has no database yet.
    // Returns false (and touches nothing) when a database file is already there.
    static bool createDatabase(const QString &dataDir);

    // Canonical table name for a name matched without regard to case (".DB" suffix ignored);
    // throws DbError when the table does not exist.
    static QString resolveTableName(const QString &name);

    // Turns a driver error into the German message shown to the operator.
    static QString describeError(const QString &action, const QSqlError &error);
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

private:
    bool m_outermost = false;
    bool m_done = false;
    Mode m_mode;
    int m_exceptionsAtStart;
};

} // namespace tk
