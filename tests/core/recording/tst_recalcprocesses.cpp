#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
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

int countEvaluatedDays()
{
    QSqlQuery q(Database::connection());
    q.exec(QStringLiteral("SELECT count(*) FROM auswert WHERE Anwesend IS NOT NULL"));
    q.next();
    return q.value(0).toInt();
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
    void twoRunsAtOnceBothSucceed();
    void recalcBesideAPrintRunBothSucceed();
};

void TestRecalcProcesses::refusedCommitFailsTheEmployee()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    for (int number = 1; number <= 3; ++number)
        addEmployee(number, QStringLiteral("Eva"), QStringLiteral("Name"), 1, 1);
    // Every day record of employee 2 leaves a reference that is checked, and refused, only
    // when the transaction commits.
    TempDataDir::exec(QStringLiteral("CREATE TABLE Ref (Schichtplan INTEGER REFERENCES "
                                     "Schicht (Schichtplan) DEFERRABLE INITIALLY DEFERRED)"));
    TempDataDir::exec(QStringLiteral("CREATE TRIGGER RefusesEmployee2 AFTER INSERT ON auswert "
                                     "WHEN NEW.PersonalNummer = 2 BEGIN "
                                     "INSERT INTO Ref VALUES (99); END"));
    Database::disconnect();

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

void TestRecalcProcesses::twoRunsAtOnceBothSucceed()
{
    TempDataDir dir;
    addStaffWithEntries(Staff, March);
    Database::disconnect();
    QProcess first, second;
    startTaktora(first, dir.path(), RecalcMarch);
    startTaktora(second, dir.path(), RecalcMarch);
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
    startTaktora(recalc, dir.path(), RecalcMarch);
    startTaktora(print, dir.path(),
                 {QStringLiteral("--pdf"), QStringLiteral("summen"), QStringLiteral("--month"),
                  QStringLiteral("2024-03"), QStringLiteral("--output"), pdf});
    expectSuccess(finishTaktora(recalc));
    expectSuccess(finishTaktora(print));
    QVERIFY(QFileInfo(pdf).size() > 0);
    QCOMPARE(countDayRecords(Staff), 31);
}

QTEST_GUILESS_MAIN(TestRecalcProcesses)
#include "tst_recalcprocesses.moc"
