#pragma once

#include <functional>

#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

#include "core/db/DatabaseUrl.h"

namespace tk::test {

// A fresh data folder with the empty tables, made the database of the process for the
// lifetime of the object. When the test runs against the server (TAKTORA_TEST_BACKEND=
// postgresql, the server named by TAKTORA_TEST_PG_URL), the tables are made in a database of
// their own on it, dropped afterwards; the folder is still there for the test's files.
class TempDataDir
{
public:
    // withDatabase false leaves the folder empty (no taktora.db; no tables on the server).
    explicit TempDataDir(bool withDatabase = true);
    ~TempDataDir();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    bool isValid() const { return m_dir.isValid(); }
    // What the program takes for --database.
    QString databaseUrl() const { return m_url; }

    // The one way tests seed and change data: one statement with bound values, run on the
    // database of the process; an error ends the test program, as seeding must not fail
    // silently.
    static void exec(const QString &sql, const QVariantList &binds = {});

    // Takes the change log's triggers away, as a database from before the change log lacks
    // them (SQLite: a column the triggers name cannot be dropped while they exist).
    static void dropChangeLog();

    // The same as another workstation does it: on a connection of its own, which ends when
    // the statement is done. Returns the rows it changed.
    static int execElsewhere(const QString &sql);

    // Makes the database refuse a write with message, as a full disk would: event is
    // "BEFORE INSERT ON auswert", when a condition on NEW or OLD ("NEW.Von = 1000").
    static void refuseWrites(const QString &name, const QString &event, const QString &when,
                             const QString &message);

    // The test server's own database (TAKTORA_TEST_PG_URL; without it the test program ends
    // as skipped), and a statement run there beside the program's connection (CREATE DATABASE).
    static DatabaseUrl serverUrl();
    static void administer(const QString &sql);

    // True when the tests of this program run against the server.
    static bool onServer();

private:
    QTemporaryDir m_dir;
    QString m_serverDatabase; // the database made on the server
    QString m_url;
};

// A test that only concerns SQLite's file is skipped against the server.
#define TK_SQLITE_ONLY()                                                                           \
    do {                                                                                           \
        if (tk::test::TempDataDir::onServer())                                                     \
            QSKIP("betrifft nur die SQLite-Datei");                                                \
    } while (false)

// Reads one value with SQL; an invalid variant when there is no row.
QVariant sqlValue(const QString &sql);

// The German message of the UserError work throws; empty when it throws none.
QString userError(const std::function<void()> &work);

} // namespace tk::test
