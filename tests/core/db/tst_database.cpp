#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QThread>
#include <future>
#include <thread>

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Table.h"
#include "core/reports/lists/ListDocuments.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

QVariant scalar(const QString &sql)
{
    QSqlQuery q(Database::connection());
    if (!q.exec(sql) || !q.next())
        return QVariant();
    return q.value(0);
}

void addShift(int number)
{
    Query insert;
    insert.setSql(QStringLiteral("INSERT INTO Schicht (Schichtplan) VALUES (?)"));
    insert.execute({number});
}

// A second program on the same file, with its own connection in its own thread.
class OtherProgram
{
public:
    explicit OtherProgram(const QString &file)
        : m_file(file)
    {
    }

    // Runs statements, then holds the transaction they opened for holdMs before COMMIT.
    void start(const QStringList &statements, int holdMs)
    {
        std::promise<void> ready;
        m_ready = ready.get_future();
        m_thread = std::thread([this, statements, holdMs, ready = std::move(ready)]() mutable {
            run(statements, holdMs, ready);
        });
        m_ready.wait();
    }

    void finish()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    ~OtherProgram() { finish(); }

    QString failure() const { return m_failure; }

private:
    void run(const QStringList &statements, int holdMs, std::promise<void> &ready)
    {
        const QString name = QStringLiteral("other_program");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(m_file);
            db.open();
            QSqlQuery q(db);
            for (const QString &sql : statements) {
                if (!q.exec(sql))
                    m_failure = sql + QStringLiteral(": ") + q.lastError().text();
                while (q.next()) {
                }
            }
            ready.set_value();
            QThread::msleep(holdMs);
            q.exec(QStringLiteral("COMMIT"));
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    QString m_file;
    std::thread m_thread;
    std::future<void> m_ready;
    QString m_failure;
};

QSqlError sqliteError(int code, const QString &text)
{
    return QSqlError(QStringLiteral("Unable to execute statement"), text, QSqlError::StatementError,
                     QString::number(code));
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusedCommitIsRaisedAndTakenBack();
    void commitBlockedByAReaderIsRaised();
    void writerWaitsForAnotherWriter();
    void databaseIsPutIntoWalMode();
    void readOnlyOpenReadsAndRefusesWrites();
    void folderWithoutWriteRightsOpensReadOnly();
    void readOnlyPrintRunPrintsWhatExists();
    void errorCodesHaveTheirOwnMessages_data();
    void errorCodesHaveTheirOwnMessages();
    void fullDatabaseSaysTheDiskIsFull();
    void lockedTableListIsNotAMissingTable();
};

void TestDatabase::refusedCommitIsRaisedAndTakenBack()
{
    TempDataDir dir;
    // A reference checked only at COMMIT: the statement is accepted, the commit is not.
    TempDataDir::exec(QStringLiteral("CREATE TABLE Ref (Schichtplan INTEGER REFERENCES "
                                     "Schicht (Schichtplan) DEFERRABLE INITIALLY DEFERRED)"));
    Query insert;
    insert.setSql(QStringLiteral("INSERT INTO Ref (Schichtplan) VALUES (?)"));
    try {
        WriteBatch batch;
        addShift(1);
        insert.execute({99});
        batch.commit();
        QFAIL("a refused commit was taken as stored");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("nicht gespeichert")),
                 qPrintable(e.message()));
    }
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM Schicht")).toInt(), 0);
    // The connection is out of the failed transaction: the next batch works.
    WriteBatch next;
    addShift(2);
    next.commit();
    Database::disconnect();
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM Schicht")).toInt(), 1);
}

void TestDatabase::commitBlockedByAReaderIsRaised()
{
    TempDataDir dir;
    // With a rollback journal a reader's open transaction keeps the writer from committing.
    QCOMPARE(scalar(QStringLiteral("PRAGMA journal_mode=DELETE")).toString(),
             QStringLiteral("delete"));
    TempDataDir::exec(QStringLiteral("PRAGMA busy_timeout=200"));
    OtherProgram reader(Database::filePath());
    reader.start({QStringLiteral("BEGIN"), QStringLiteral("SELECT count(*) FROM Schicht")}, 1500);
    QVERIFY2(reader.failure().isEmpty(), qPrintable(reader.failure()));
    try {
        WriteBatch batch;
        addShift(1);
        batch.commit();
        QFAIL("a blocked commit was taken as stored");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("gesperrt")), qPrintable(e.message()));
    }
    reader.finish();
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM Schicht")).toInt(), 0);
}

void TestDatabase::writerWaitsForAnotherWriter()
{
    TempDataDir dir;
    Table shifts(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    shifts.open();
    OtherProgram writer(Database::filePath());
    writer.start({QStringLiteral("BEGIN IMMEDIATE"),
                  QStringLiteral("INSERT INTO Schicht (Schichtplan) VALUES (1)")},
                 700);
    QVERIFY2(writer.failure().isEmpty(), qPrintable(writer.failure()));
    {
        // Reads, then writes: a batch that started as a reader could not write any more
        // once the other program committed.
        WriteBatch batch;
        shifts.refresh();
        const int before = shifts.recordCount();
        addShift(2);
        batch.commit();
        QCOMPARE(before, 1);
    }
    writer.finish();
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM Schicht")).toInt(), 2);
}

void TestDatabase::databaseIsPutIntoWalMode()
{
    TempDataDir dir;
    QCOMPARE(scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    // A file another program left with a rollback journal is switched on the first open.
    QCOMPARE(scalar(QStringLiteral("PRAGMA journal_mode=DELETE")).toString(),
             QStringLiteral("delete"));
    Database::disconnect();
    QCOMPARE(scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
}

void TestDatabase::readOnlyOpenReadsAndRefusesWrites()
{
    TempDataDir dir;
    addShift(1);
    Database::setPath(dir.path(), Database::Access::ReadOnly);
    Table shifts(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    shifts.open();
    QVERIFY(Database::isReadOnly());
    QCOMPARE(shifts.recordCount(), 1);
    try {
        WriteBatch batch;
        QFAIL("a batch began on a read-only database");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("schreibgeschützt")), qPrintable(e.message()));
    }
    shifts.append();
    shifts.field(QStringLiteral("Schichtplan")).setAsInteger(2);
    try {
        shifts.post();
        QFAIL("a row was written to a read-only database");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("schreibgeschützt")), qPrintable(e.message()));
    }
    shifts.cancel();
    Database::setPath(dir.path());
    QVERIFY(!Database::isReadOnly());
    QCOMPARE(scalar(QStringLiteral("SELECT count(*) FROM Schicht")).toInt(), 1);
}

void TestDatabase::folderWithoutWriteRightsOpensReadOnly()
{
    TempDataDir dir;
    addShift(1);
    Database::disconnect();
    const QFile::Permissions readable = QFile::ReadOwner | QFile::ExeOwner;
    QVERIFY(QFile::setPermissions(Database::filePath(), QFile::ReadOwner));
    QVERIFY(QFile::setPermissions(dir.path(), readable));
    const auto restore = qScopeGuard([&dir, readable] {
        QFile::setPermissions(dir.path(), readable | QFile::WriteOwner);
        QFile::setPermissions(Database::filePath(), QFile::ReadOwner | QFile::WriteOwner);
    });
    if (QFileInfo(dir.path()).isWritable())
        QSKIP("Running as root: rights do not keep this user from writing; the read-only open "
              "itself is tested by readOnlyOpenReadsAndRefusesWrites.");
    Table shifts(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    shifts.open();
    QVERIFY(Database::isReadOnly());
    QCOMPARE(shifts.recordCount(), 1);
    try {
        WriteBatch batch;
        QFAIL("a batch began in a folder without write rights");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("schreibgeschützt")), qPrintable(e.message()));
    }
}

void TestDatabase::readOnlyPrintRunPrintsWhatExists()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addDayRecord(1, QDate(2024, 3, 4), 1, 480, 615);
    Database::setPath(dir.path(), Database::Access::ReadOnly);
    ListRequest request;
    request.kind = ListKind::Summen;
    request.month = 3;
    request.year = 2024;
    request.employee = 1;
    request.oneEmployee = true;
    QStringList notes;
    const QVector<ReportDocument> documents = GenerateListDocuments(request, &notes);
    QCOMPARE(documents.size(), 1);
    QVERIFY(!documents.first().pages.isEmpty());
    QCOMPARE(notes.size(), 1);
    QVERIFY2(notes.first().startsWith(QStringLiteral("Personal-Nr. 1: 30 fehlende Tage können "
                                                     "nicht angelegt werden")),
             qPrintable(notes.first()));
    Database::setPath(dir.path());
    QCOMPARE(countDayRecords(1), 1);
}

void TestDatabase::errorCodesHaveTheirOwnMessages_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("full") << 13 << "database or disk is full"
                          << "Der Datenträger ist voll";
    QTest::newRow("io") << 10 << "disk I/O error"
                        << "Fehler des Datenträgers";
    QTest::newRow("io-write") << 778 << "disk I/O error"
                              << "Fehler des Datenträgers";
    QTest::newRow("readonly") << 8 << "attempt to write a readonly database"
                              << "schreibgeschützt";
    QTest::newRow("busy") << 5 << "database is locked"
                          << "gesperrt";
    QTest::newRow("locked") << 6 << "database table is locked"
                            << "gesperrt";
    QTest::newRow("corrupt") << 11 << "database disk image is malformed"
                             << "beschädigt";
    QTest::newRow("notadb") << 26 << "file is not a database"
                            << "beschädigt";
    QTest::newRow("cantopen") << 14 << "unable to open database file"
                              << "kann nicht geöffnet werden";
    QTest::newRow("missing") << 1 << "no such table: Personal"
                             << "Die Tabelle \"Personal\" ist in der Datenbank nicht vorhanden";
    QTest::newRow("unique") << 2067 << "UNIQUE constraint failed: Schicht.Schichtplan"
                            << "bereits vorhanden";
}

void TestDatabase::errorCodesHaveTheirOwnMessages()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    TempDataDir dir;
    const QString message =
        Database::describeError(QStringLiteral("Speichern"), sqliteError(code, text));
    QVERIFY2(message.contains(expected), qPrintable(message));
    // Only a missing table may say so.
    if (code != 1)
        QVERIFY2(!message.contains(QStringLiteral("nicht vorhanden")), qPrintable(message));
}

void TestDatabase::fullDatabaseSaysTheDiskIsFull()
{
    TempDataDir dir;
    // The file may not grow any more: the next pages fail as on a full disk.
    const int pages = scalar(QStringLiteral("PRAGMA page_count")).toInt();
    TempDataDir::exec(QStringLiteral("PRAGMA max_page_count=%1").arg(pages));
    Table shifts(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    shifts.open();
    const QString text(2000, QLatin1Char('x'));
    try {
        for (int n = 1; n <= 100; ++n) {
            shifts.append();
            shifts.field(QStringLiteral("Schichtplan")).setAsInteger(n);
            shifts.field(QStringLiteral("Bezeichnung")).setAsString(text);
            shifts.post();
        }
        QFAIL("the database did not fill up");
    } catch (const DbError &e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Der Datenträger ist voll")),
                 qPrintable(e.message()));
    }
    shifts.cancel();
    // The tables are still there and say so.
    Table plans(QStringLiteral("Tagplan"), QStringLiteral("Schichtplan;Tagesplan"));
    plans.open();
    QCOMPARE(plans.recordCount(), 0);
}

void TestDatabase::lockedTableListIsNotAMissingTable()
{
    TempDataDir dir;
    QCOMPARE(scalar(QStringLiteral("PRAGMA journal_mode=DELETE")).toString(),
             QStringLiteral("delete"));
    TempDataDir::exec(QStringLiteral("PRAGMA busy_timeout=200"));
    OtherProgram writer(Database::filePath());
    writer.start({QStringLiteral("BEGIN EXCLUSIVE")}, 1500);
    QVERIFY2(writer.failure().isEmpty(), qPrintable(writer.failure()));
    Table shifts(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    try {
        shifts.open();
        QFAIL("a table opened while another program held the database");
    } catch (const DbError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("gesperrt")), qPrintable(e.message()));
    }
}

QTEST_MAIN(TestDatabase)
#include "tst_database.moc"
