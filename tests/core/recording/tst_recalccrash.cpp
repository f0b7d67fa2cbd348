#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "core/db/Database.h"
#include "tests/support/TaktoraProcess.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

const QDate March(2024, 3, 1);
const QStringList RecalcMarch{QStringLiteral("--recalc"), QStringLiteral("2024-03")};
constexpr int Staff = 100;
constexpr int Kills = 25;

// Every stored value of an employee's day records, by PersonalNummer.
QMap<int, QString> daysByEmployee(const QString &dataDir)
{
    Database::setPath(dataDir);
    QSqlQuery q(Database::connection());
    q.exec(QStringLiteral(
        "SELECT PersonalNummer, group_concat(Datum || '/' || ifnull(Schicht, '-') || '/' || "
        "ifnull(Soll, '-') || '/' || ifnull(Summe, '-') || '/' || ifnull(Anwesend, '-') || '/' "
        "|| ifnull(Krank, '-') || '/' || ifnull(Urlaub, '-') || '/' || ifnull(Feiertag, '-') "
        "|| '/' || ifnull(Unbezahlt, '-'), ' ') FROM (SELECT * FROM auswert ORDER BY "
        "PersonalNummer, Datum) GROUP BY PersonalNummer"));
    QMap<int, QString> days;
    while (q.next())
        days.insert(q.value(0).toInt(), q.value(1).toString());
    return days;
}

QString integrity(const QString &dataDir)
{
    Database::setPath(dataDir);
    QSqlQuery q(Database::connection());
    q.exec(QStringLiteral("PRAGMA integrity_check"));
    return q.next() ? q.value(0).toString() : q.lastError().text();
}

// A copy of the database alone, as a run finds it after a clean end (no WAL left).
void copyDatabase(const QString &fromDir, const QString &toDir)
{
    Database::disconnect();
    QDir(toDir).removeRecursively();
    QVERIFY(QDir().mkpath(toDir));
    QVERIFY(!QFile::exists(QDir(fromDir).filePath(QStringLiteral("taktora.db-wal"))));
    QVERIFY(QFile::copy(QDir(fromDir).filePath(QStringLiteral("taktora.db")),
                        QDir(toDir).filePath(QStringLiteral("taktora.db"))));
}

} // namespace

class TestRecalcCrash : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedRunsLeaveEveryEmployeeWholeOrUntouched();
};

void TestRecalcCrash::killedRunsLeaveEveryEmployeeWholeOrUntouched()
{
    TempDataDir pristine;
    addStaffWithEntries(Staff, March);
    Database::disconnect();
    // The first run creates the day records; the one killed evaluates them.
    QCOMPARE(runTaktora(pristine.path(), RecalcMarch).exitCode, 0);
    const QMap<int, QString> before = daysByEmployee(pristine.path());
    QCOMPARE(before.size(), Staff);

    QTemporaryDir work;
    const QString finished = work.filePath(QStringLiteral("finished"));
    copyDatabase(pristine.path(), finished);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(runTaktora(finished, RecalcMarch).exitCode, 0);
    const qint64 runMs = clock.elapsed();
    const QMap<int, QString> after = daysByEmployee(finished);
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(after.value(it.key()) != it.value(), "the run changes every employee");

    const quint32 seed = qEnvironmentVariableIsSet("TAKTORA_CRASH_SEED")
        ? quint32(qEnvironmentVariableIntValue("TAKTORA_CRASH_SEED"))
        : QRandomGenerator::global()->generate();
    qInfo("Kill moments from seed %u (TAKTORA_CRASH_SEED repeats them); a whole run takes %lld ms",
          seed, runMs);
    QRandomGenerator random(seed);
    int killedHalfWay = 0;
    const QString killed = work.filePath(QStringLiteral("killed"));
    for (int kill = 0; kill < Kills; ++kill) {
        copyDatabase(pristine.path(), killed);
        const int delayMs = int(random.bounded(quint32(runMs) + 1));
        QProcess run;
        startTaktora(run, killed, RecalcMarch);
        if (run.waitForFinished(delayMs))
            continue; // ended before the moment
        run.kill();   // SIGKILL
        run.waitForFinished();
        QCOMPARE(integrity(killed), QStringLiteral("ok"));
        const QMap<int, QString> found = daysByEmployee(killed);
        int evaluated = 0;
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const QString days = found.value(it.key());
            if (days == after.value(it.key()))
                ++evaluated;
            else if (days != it.value())
                QFAIL(qPrintable(QStringLiteral("Kill %1 after %2 ms left Personal-Nr. %3 half "
                                                "evaluated")
                                     .arg(QString::number(kill), QString::number(delayMs),
                                          QString::number(it.key()))));
        }
        if (evaluated > 0 && evaluated < Staff)
            ++killedHalfWay;
    }
    Database::disconnect();
    qInfo("%d of %d kills landed while employees were being evaluated", killedHalfWay, Kills);
}

QTEST_GUILESS_MAIN(TestRecalcCrash)
#include "tst_recalccrash.moc"
