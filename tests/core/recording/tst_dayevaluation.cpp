#include <QTest>

#include "core/common/Errors.h"
#include "core/recording/PeriodSelection.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

const QDate Monday(2024, 3, 4);
const QDate Sunday(2024, 3, 10);

using Tables = RecordingTables;

void expectDay(const StoredDay &day, int soll, int summe, int anwesend, int krank, int urlaub,
               int feiertag, int unbezahlt)
{
    QVERIFY(day.exists);
    QCOMPARE(day.soll, QVariant(soll));
    QCOMPARE(day.summe, QVariant(summe));
    QCOMPARE(day.anwesend, QVariant(anwesend));
    QCOMPARE(day.krank, QVariant(krank));
    QCOMPARE(day.urlaub, QVariant(urlaub));
    QCOMPARE(day.feiertag, QVariant(feiertag));
    QCOMPARE(day.unbezahlt, QVariant(unbezahlt));
}

// Employee 1 with the worked example's shift plan 1, evaluated by calendar month.
void exampleData()
{
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
}

} // namespace

class TestDayEvaluation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void workedExampleOnMondayAndSunday();
    void entryInsideABreakNetsZero();
    void codesCountByFirstCharacterOnly();
    void noDayPlanMeansNothingCounts();
    void shiftPlanZeroWithDayAndPeriod();
    void onlyRecalcOneReevaluates();
    void createdRecordHasTargetAndEmptyCodeSums();
    void currentRecordAfterwards();
    void errorKeepsEarlierRecordsAndRestoresTables();
    void minutesThatDoNotFitAreReported_data();
    void minutesThatDoNotFitAreReported();
    void periodSelection_data();
    void periodSelection();
    void periodThatCannotBeFormedChangesNothing_data();
    void periodThatCannotBeFormedChangesNothing();
};

void TestDayEvaluation::workedExampleOnMondayAndSunday()
{
    TempDataDir dir;
    exampleData();
    addDayRecord(1, Monday, 1, 0, 0);
    addDayRecord(1, Sunday, 1, 0, 0);
    addExampleEntries(1, Monday);
    addExampleEntries(1, Sunday);
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);

    t.evaluation.EvaluateDay(1, Monday);
    expectDay(storedDay(1, Monday), 480, 615, 495, 0, 120, 0, 0);
    QCOMPARE(storedDay(1, Monday).schicht, QVariant(1));
    QCOMPARE(t.evaluation.SumTotal, 615);
    QCOMPARE(t.evaluation.SumNormal, 495);
    QCOMPARE(t.evaluation.SumUrlaub, 120);

    t.evaluation.EvaluateDay(1, Sunday);
    expectDay(storedDay(1, Sunday), 0, 655, 535, 0, 120, 0, 0);
}

void TestDayEvaluation::entryInsideABreakNetsZero()
{
    TempDataDir dir;
    exampleData();
    addDayRecord(1, Monday, 1, 0, 0);
    addExampleEntries(1, Monday);
    addEntry(1, Monday, 725, 745, QStringLiteral("N"));
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);
    t.evaluation.EvaluateDay(1, Monday);
    expectDay(storedDay(1, Monday), 480, 615, 495, 0, 120, 0, 0);
}

void TestDayEvaluation::codesCountByFirstCharacterOnly()
{
    TempDataDir dir;
    exampleData();
    addDayRecord(1, Monday, 1, 0, 0);
    // Clear of all breaks, so every entry nets its gross span.
    addEntry(1, Monday, 400, 410, QStringLiteral("Nacht")); // N counts: first character
    addEntry(1, Monday, 800, 820, QStringLiteral("n"));     // lower case: no code sum
    addEntry(1, Monday, 830, 860, QStringLiteral("X"));     // unknown: no code sum
    addEntry(1, Monday, 870, 910, QVariant());              // empty: no code sum
    addEntry(1, Monday, 920, 970, QStringLiteral("A"));     // unpaid counts in Summe
    addEntry(1, Monday, 980, 1040, QStringLiteral("K "));
    addEntry(1, Monday, 1050, 1120, QStringLiteral("F"));
    addEntry(1, Monday, 1130, 1210, QStringLiteral("U"));
    addEntry(1, Monday, 1300, 1200, QStringLiteral("N")); // negative span, clear of breaks
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);
    t.evaluation.EvaluateDay(1, Monday);
    const int summe = 10 + 20 + 30 + 40 + 50 + 60 + 70 + 80 - 100;
    expectDay(storedDay(1, Monday), 480, summe, 10 - 100, 60, 80, 70, 50);
}

void TestDayEvaluation::noDayPlanMeansNothingCounts()
{
    TempDataDir dir;
    addShiftPlan(2, QStringLiteral("ohne Tagespläne"));
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 2, 1);
    addDayRecord(1, Monday, 2, 480, 999);
    addExampleEntries(1, Monday);
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);
    QCOMPARE(t.evaluation.GetDayPlanNo(2, Monday), 0);
    QCOMPARE(t.evaluation.GetPlanStart(2, Monday), 0);
    t.evaluation.EvaluateDay(1, Monday);
    expectDay(storedDay(1, Monday), 0, 0, 0, 0, 0, 0, 0);
}

void TestDayEvaluation::shiftPlanZeroWithDayAndPeriod()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), QVariant(), 1);
    addExampleEntries(1, Monday);
    {
        Tables t;
        t.selectEmployee(1);
        t.restrictMonth(1, 3, 2024);
        // Created while the employee has no shift plan: Schicht 0.
        t.evaluation.EvaluateDay(0, Monday);
        QCOMPARE(storedDay(1, Monday).schicht, QVariant(0));
        // EvaluateDay keeps the day without plan: target and sums 0.
        t.evaluation.EvaluateDay(1, Monday);
        expectDay(storedDay(1, Monday), 0, 0, 0, 0, 0, 0, 0);
        QCOMPARE(storedDay(1, Monday).schicht, QVariant(0));
    }
    TempDataDir::exec(QStringLiteral("UPDATE Personal SET Schicht = 1"));
    addDayRecord(1, Sunday, 2, 0, 0); // a day that names another plan keeps it
    addExampleEntries(1, Sunday);
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);
    t.evaluation.EvaluateDay(1, Monday);
    QCOMPARE(storedDay(1, Monday).schicht, QVariant(0)); // EvaluateDay gives no plan
    t.evaluation.EvaluatePeriod(1, QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(storedDay(1, Monday).schicht, QVariant(1));
    expectDay(storedDay(1, Monday), 480, 615, 495, 0, 120, 0, 0);
    QCOMPARE(storedDay(1, Sunday).schicht, QVariant(2));
    expectDay(storedDay(1, Sunday), 0, 0, 0, 0, 0, 0, 0);
}

void TestDayEvaluation::onlyRecalcOneReevaluates()
{
    TempDataDir dir;
    exampleData();
    addDayRecord(1, Monday, 1, 111, 222);
    TempDataDir::exec(QStringLiteral("UPDATE auswert SET Anwesend = 333"));
    addExampleEntries(1, Monday);
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);
    for (qint16 recalc : {qint16(0), qint16(2), qint16(-1)}) {
        const PeriodOutcome outcome =
            t.evaluation.EvaluatePeriod(recalc, QDate(2024, 3, 1), QDate(2024, 3, 31));
        QCOMPARE(outcome.reevaluated, 0);
        t.evaluation.EvaluateDay(recalc, Monday);
        const StoredDay day = storedDay(1, Monday);
        QCOMPARE(day.soll, QVariant(111));
        QCOMPARE(day.summe, QVariant(222));
        QCOMPARE(day.anwesend, QVariant(333));
        QVERIFY(day.urlaub.isNull());
    }
    QCOMPARE(countDayRecords(1, QDate(2024, 3, 1), QDate(2024, 3, 31)), 31);
    const PeriodOutcome outcome =
        t.evaluation.EvaluatePeriod(1, QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(outcome.reevaluated, 31);
    QCOMPARE(outcome.created, 0);
    expectDay(storedDay(1, Monday), 480, 615, 495, 0, 120, 0, 0);
}

void TestDayEvaluation::createdRecordHasTargetAndEmptyCodeSums()
{
    TempDataDir dir;
    exampleData();
    addExampleEntries(1, Monday); // entries do not matter when a record is created
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);
    const PeriodOutcome outcome =
        t.evaluation.EvaluatePeriod(1, QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(outcome.created, 31);
    QCOMPARE(t.auswert.recordCount(), 31);
    const StoredDay monday = storedDay(1, Monday);
    QCOMPARE(monday.schicht, QVariant(1));
    QCOMPARE(monday.soll, QVariant(480));
    QCOMPARE(monday.summe, QVariant(0));
    for (const QVariant &sum :
         {monday.anwesend, monday.krank, monday.urlaub, monday.feiertag, monday.unbezahlt})
        QVERIFY(sum.isNull());
    QCOMPARE(storedDay(1, QDate(2024, 3, 5)).soll, QVariant(0)); // Tuesday plan is empty
}

void TestDayEvaluation::currentRecordAfterwards()
{
    TempDataDir dir;
    exampleData();
    addExampleEntries(1, Monday);
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);
    t.evaluation.EvaluatePeriod(0, QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(t.auswert.currentRow(), 0);
    QCOMPARE(t.auswert.field(QStringLiteral("Datum")).asDate(), QDate(2024, 3, 1));
    QVERIFY(!t.auswPos.hasRange());
    QVERIFY(t.auswPos.isEmpty()); // follows the 1st, which has no entries

    t.evaluation.EvaluateDay(1, Monday);
    QCOMPARE(t.auswert.field(QStringLiteral("Datum")).asDate(), Monday);
    QVERIFY(!t.auswPos.hasRange());
    QCOMPARE(t.auswPos.recordCount(), 3); // again the entries of the current day record
    QVERIFY(!t.auswert.controlsDisabled());
    QVERIFY(!t.auswPos.controlsDisabled());

    t.evaluation.EvaluatePeriod(1, QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(t.auswert.field(QStringLiteral("Datum")).asDate(), QDate(2024, 3, 1));
}

void TestDayEvaluation::errorKeepsEarlierRecordsAndRestoresTables()
{
    TempDataDir dir;
    exampleData();
    addExampleEntries(1, Monday);
    TempDataDir::refuseWrites(
        QStringLiteral("refuse_tenth"), QStringLiteral("BEFORE INSERT ON auswert"),
        QStringLiteral("NEW.Datum = '2024-03-10'"), QStringLiteral("Speicher voll"));
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);
    QVERIFY_THROWS_EXCEPTION(DbError,
                             t.evaluation.EvaluatePeriod(0, QDate(2024, 3, 1), QDate(2024, 3, 31)));
    // SQLite stores day by day and keeps the days before the refused one; a server takes the
    // missing days in one statement, all or none.
    const int kept = TempDataDir::onServer() ? 0 : 9;
    QCOMPARE(countDayRecords(1, QDate(2024, 3, 1), QDate(2024, 3, 9)), kept);
    QCOMPARE(countDayRecords(1), kept);
    QCOMPARE(t.auswert.recordCount(), kept);
    QVERIFY(!t.auswert.isEditing());
    QVERIFY(!t.auswPos.hasRange());
    QVERIFY(!t.auswert.controlsDisabled());
    QVERIFY(!t.auswPos.controlsDisabled());

    // The same failure while days are re-evaluated: the range on the entries is lifted.
    TempDataDir::exec(TempDataDir::onServer()
                          ? QStringLiteral("DROP TRIGGER refuse_tenth ON auswert")
                          : QStringLiteral("DROP TRIGGER refuse_tenth"));
    if (TempDataDir::onServer()) // the days to re-evaluate, which SQLite kept above
        t.evaluation.EvaluatePeriod(0, QDate(2024, 3, 1), QDate(2024, 3, 9));
    TempDataDir::refuseWrites(
        QStringLiteral("refuse_update"), QStringLiteral("BEFORE UPDATE ON auswert"),
        QStringLiteral("NEW.Datum = '2024-03-04'"), QStringLiteral("Speicher voll"));
    QVERIFY_THROWS_EXCEPTION(DbError,
                             t.evaluation.EvaluatePeriod(1, QDate(2024, 3, 1), QDate(2024, 3, 31)));
    QVERIFY(!t.auswPos.hasRange());
    QVERIFY(!t.auswert.isEditing());
    QCOMPARE(storedDay(1, QDate(2024, 3, 1)).anwesend, QVariant(0)); // stored before the error
    QVERIFY(storedDay(1, Monday).anwesend.isNull());
    t.auswert.next(); // the table is usable again
}

void TestDayEvaluation::minutesThatDoNotFitAreReported_data()
{
    QTest::addColumn<qint64>("von");
    QTest::addColumn<qint64>("bis");
    QTest::newRow("span beyond 32 bits") << qint64(-2147483648LL) << qint64(2147483647LL);
    QTest::newRow("Bis beyond 32 bits") << qint64(420) << qint64(5000000000LL);
    QTest::newRow("Von beyond 32 bits") << qint64(-5000000000LL) << qint64(420);
}

void TestDayEvaluation::minutesThatDoNotFitAreReported()
{
    QFETCH(qint64, von);
    QFETCH(qint64, bis);
    if (TempDataDir::onServer() && (qint32(von) != von || qint32(bis) != bis))
        QSKIP("the server's integer columns refuse such values when they are stored");
    TempDataDir dir;
    exampleData();
    addDayRecord(1, Monday, 1, 480, 7);
    TempDataDir::exec(
        QStringLiteral("INSERT INTO AuswPos (PersonalNummer, Datum, Von, Bis, Kennung) "
                       "VALUES (1, ?, ?, ?, 'N')"),
        {Monday.toString(Qt::ISODate), von, bis});
    Tables t;
    t.selectEmployee(1);
    t.restrictMonth(1, 3, 2024);
    for (qint16 recalc : {qint16(1), qint16(2)}) {
        try {
            if (recalc == 1)
                t.evaluation.EvaluateDay(1, Monday);
            else
                t.evaluation.EvaluatePeriod(1, QDate(2024, 3, 1), QDate(2024, 3, 31));
            QFAIL("a value beyond a minutes value was evaluated");
        } catch (const UserError &e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Ungültiger Minutenwert")),
                     qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("Personal-Nr. 1 am 04.03.2024")),
                     qPrintable(e.message()));
        }
        // Nothing folded into the day: it keeps what it had.
        QCOMPARE(storedDay(1, Monday).summe, QVariant(7));
        QVERIFY(!t.auswert.isEditing());
        QVERIFY(!t.auswPos.hasRange());
    }
}

void TestDayEvaluation::periodSelection_data()
{
    QTest::addColumn<int>("auswertBegin");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");

    QTest::newRow("16th across the year end")
        << 16 << 12 << 2023 << QDate(2023, 12, 16) << QDate(2024, 1, 15);
    QTest::newRow("16th in February")
        << 16 << 2 << 2023 << QDate(2023, 2, 16) << QDate(2023, 3, 15);
    QTest::newRow("16th in a leap February")
        << 16 << 2 << 2024 << QDate(2024, 2, 16) << QDate(2024, 3, 15);
    QTest::newRow("calendar month, leap February")
        << 1 << 2 << 2024 << QDate(2024, 2, 1) << QDate(2024, 2, 29);
}

void TestDayEvaluation::periodSelection()
{
    QFETCH(int, auswertBegin);
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, auswertBegin);
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Schmidt"), 1, auswertBegin);
    addDayRecord(2, from, 1, 0, 0); // another employee's day is not in the view
    Tables t;
    t.selectEmployee(1);
    const DatePeriod period = SelectEvaluationPeriod(t.evaluation, month, year);
    QCOMPARE(period.from, from);
    QCOMPARE(period.to, to);
    const int days = int(from.daysTo(to)) + 1;
    QCOMPARE(t.auswert.recordCount(), days);
    QCOMPARE(countDayRecords(1), days);
    QCOMPARE(t.auswert.field(QStringLiteral("Datum")).asDate(), from);
    t.auswert.last();
    QCOMPARE(t.auswert.field(QStringLiteral("Datum")).asDate(), to);
}

void TestDayEvaluation::periodThatCannotBeFormedChangesNothing_data()
{
    QTest::addColumn<QVariant>("auswertBegin");
    QTest::newRow("empty") << QVariant();
    QTest::newRow("zero") << QVariant(0);
    QTest::newRow("beyond February") << QVariant(30);
}

void TestDayEvaluation::periodThatCannotBeFormedChangesNothing()
{
    QFETCH(QVariant, auswertBegin);
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Schmidt"), 1, auswertBegin);
    Tables t;
    t.selectEmployee(1);
    SelectEvaluationPeriod(t.evaluation, 2, 2024);
    t.selectEmployee(2);
    try {
        SelectEvaluationPeriod(t.evaluation, 2, 2024);
        QFAIL("no error for a period that cannot be formed");
    } catch (const DateEncodingError &e) {
        QCOMPARE(e.message(), QStringLiteral("Ungültiges Argument zum Codieren des Datums"));
    }
    QCOMPARE(countDayRecords(2), 0);
    QCOMPARE(t.auswert.recordCount(), 29); // still employee 1's February
    QCOMPARE(t.auswert.field(QStringLiteral("PersonalNummer")).asInteger(), 1);
}

QTEST_MAIN(TestDayEvaluation)
#include "tst_dayevaluation.moc"
