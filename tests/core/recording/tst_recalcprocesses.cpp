#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <unistd.h>

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

int countEvaluatedDays()
{
    QSqlQuery q(Database::connection());
    q.exec(QStringLiteral("SELECT count(*) FROM auswert WHERE Anwesend IS NOT NULL"));
    q.next();
    return q.value(0).toInt();
}

// Runs the program as a user without write rights on dataDir: as "nobody" when the test
// runs as root (whom rights do not stop), else as this user after taking the rights away.
// Empty when neither can be arranged.
std::optional<TaktoraRun> runWithoutWriteRights(const QString &dataDir,
                                                const QStringList &arguments)
{
    const QString database = QDir(dataDir).filePath(QStringLiteral("taktora.db"));
    const bool root = ::geteuid() == 0;
    const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"));
    if (root && runuser.isEmpty())
        return std::nullopt;
    const QFile::Permissions read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions enter = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QFile::setPermissions(database, root ? read | QFile::WriteOwner : read);
    QFile::setPermissions(dataDir, root ? read | enter | QFile::WriteOwner : read | enter);
    QProcess process;
    if (root) {
        process.setProgram(runuser);
        process.setArguments(QStringList{QStringLiteral("-u"), QStringLiteral("nobody"),
                                         QStringLiteral("--"), taktoraExecutable(),
                                         QStringLiteral("--data-dir"), dataDir}
                             + arguments);
        process.start();
    } else {
        startTaktora(process, dataDir, arguments);
    }
    const TaktoraRun run = finishTaktora(process);
    QFile::setPermissions(dataDir, read | enter | QFile::WriteOwner);
    QFile::setPermissions(database, read | QFile::WriteOwner);
    return run;
}

// Employees 1..3; every day record of employee 2 leaves a reference that is checked, and
// refused, only when the transaction commits.
void addThreeEmployeesRefusingTheSecond()
{
    addExampleShiftPlan(1);
    for (int number = 1; number <= 3; ++number)
        addEmployee(number, QStringLiteral("Eva"), QStringLiteral("Name"), 1, 1);
    TempDataDir::exec(QStringLiteral("CREATE TABLE Ref (Schichtplan INTEGER REFERENCES "
                                     "Schicht (Schichtplan) DEFERRABLE INITIALLY DEFERRED)"));
    TempDataDir::exec(QStringLiteral("CREATE TRIGGER RefusesEmployee2 AFTER INSERT ON auswert "
                                     "WHEN NEW.PersonalNummer = 2 BEGIN "
                                     "INSERT INTO Ref VALUES (99); END"));
    Database::disconnect();
}

void expectSuccess(const TaktoraRun &run)
{
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(!run.err.contains(QStringLiteral("gesperrt")), qPrintable(run.err));
}

} // namespace

class TestRecalcProcesses : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusedCommitFailsTheEmployee();
    void refusedCommitFailsThePrintRun();
    void twoRunsAtOnceBothSucceed();
    void recalcBesideAPrintRunBothSucceed();
    void folderWithoutWriteRightsIsReadAndPrinted();
};

void TestRecalcProcesses::refusedCommitFailsTheEmployee()
{
    TK_SQLITE_ONLY();
    TempDataDir dir;
    addThreeEmployeesRefusingTheSecond();
    const TaktoraRun run = runTaktora(dir.path(), RecalcMarch);
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).contains(QStringLiteral("31 angelegt")), qPrintable(run.out));
    QVERIFY2(lines.at(1).startsWith(QStringLiteral("Personal-Nr. 2")), qPrintable(run.out));
    QVERIFY2(!lines.at(1).contains(QStringLiteral("angelegt")), qPrintable(run.out));
    QVERIFY2(lines.at(1).contains(QStringLiteral("nicht gespeichert")), qPrintable(run.out));
    QVERIFY2(lines.at(2).contains(QStringLiteral("31 angelegt")), qPrintable(run.out));
    QCOMPARE(countDayRecords(1), 31);
    QCOMPARE(countDayRecords(2), 0);
    QCOMPARE(countDayRecords(3), 31);
}

void TestRecalcProcesses::refusedCommitFailsThePrintRun()
{
    TK_SQLITE_ONLY();
    TempDataDir dir;
    addThreeEmployeesRefusingTheSecond();
    const QString pdf = dir.filePath(QStringLiteral("summen.pdf"));
    const TaktoraRun run =
        runTaktora(dir.path(),
                   {QStringLiteral("--pdf"), QStringLiteral("summen"), QStringLiteral("--month"),
                    QStringLiteral("2024-03"), QStringLiteral("--output"), pdf});
    QVERIFY(run.exitCode != 0);
    QVERIFY2(!run.out.contains(QStringLiteral("geschrieben")), qPrintable(run.out));
    QVERIFY2(run.err.contains(QStringLiteral("nicht gespeichert")), qPrintable(run.err));
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(countDayRecords(2), 0);
}

void TestRecalcProcesses::twoRunsAtOnceBothSucceed()
{
    TempDataDir dir;
    addStaffWithEntries(Staff, March);
    Database::disconnect();
    QProcess first, second;
    startTaktora(first, dir.databaseUrl(), RecalcMarch);
    startTaktora(second, dir.databaseUrl(), RecalcMarch);
    const TaktoraRun one = finishTaktora(first);
    const TaktoraRun two = finishTaktora(second);
    expectSuccess(one);
    expectSuccess(two);
    QCOMPARE(one.out.count(QLatin1Char('\n')), Staff);
    QCOMPARE(two.out.count(QLatin1Char('\n')), Staff);
    // Whichever came second evaluated every day the first had created.
    QCOMPARE(countEvaluatedDays(), Staff * 31);
}

void TestRecalcProcesses::recalcBesideAPrintRunBothSucceed()
{
    TempDataDir dir;
    addStaffWithEntries(Staff, March);
    Database::disconnect();
    const QString pdf = dir.filePath(QStringLiteral("summen.pdf"));
    QProcess recalc, print;
    startTaktora(recalc, dir.databaseUrl(), RecalcMarch);
    startTaktora(print, dir.databaseUrl(),
                 {QStringLiteral("--pdf"), QStringLiteral("summen"), QStringLiteral("--month"),
                  QStringLiteral("2024-03"), QStringLiteral("--output"), pdf});
    expectSuccess(finishTaktora(recalc));
    expectSuccess(finishTaktora(print));
    QVERIFY(QFileInfo(pdf).size() > 0);
    QCOMPARE(countDayRecords(Staff), 31);
}

void TestRecalcProcesses::folderWithoutWriteRightsIsReadAndPrinted()
{
    TK_SQLITE_ONLY();
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addDayRecord(1, QDate(2024, 3, 4), 1, 480, 615);
    Database::disconnect();
    QTemporaryDir outputDir;
    QFile::setPermissions(outputDir.path(), QFile::Permissions(0x7777));
    const QString pdf = QDir(outputDir.path()).filePath(QStringLiteral("summen.pdf"));

    const auto print = runWithoutWriteRights(dir.path(),
                                             {QStringLiteral("--pdf"), QStringLiteral("summen"),
                                              QStringLiteral("--month"), QStringLiteral("2024-03"),
                                              QStringLiteral("--output"), pdf});
    if (!print)
        QSKIP("Running as root without runuser: no user without write rights to run as.");
    QVERIFY2(print->exitCode == 0, qPrintable(print->err));
    QVERIFY2(print->err.contains(QStringLiteral("30 fehlende Tage können nicht angelegt werden")),
             qPrintable(print->err));
    QVERIFY(QFileInfo(pdf).size() > 0);

    const auto recalc = runWithoutWriteRights(dir.path(), RecalcMarch);
    QVERIFY(recalc->exitCode != 0);
    QVERIFY2(!recalc->out.contains(QStringLiteral("angelegt")), qPrintable(recalc->out));
    QVERIFY2((recalc->out + recalc->err).contains(QStringLiteral("schreibgeschützt")),
             qPrintable(recalc->out + recalc->err));
    QCOMPARE(countDayRecords(1), 1);
}

QTEST_GUILESS_MAIN(TestRecalcProcesses)
#include "tst_recalcprocesses.moc"
