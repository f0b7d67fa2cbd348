// The day evaluation's computation without tables: breaks, codes and sums.

#include <QTest>

#include <limits>

#include "core/common/EntryCodes.h"
#include "core/recording/DaySums.h"

using namespace tk;

namespace {

// The worked example's Monday plan: breaks 09:00-09:15 and 12:00-12:30, break 3 both 0.
const PlanBreaks ExamplePlan{PlanBreak{540, 555}, PlanBreak{720, 750}, PlanBreak{}};

DaySums sums(qint64 total, qint64 normal, qint64 krank, qint64 urlaub, qint64 feiertag,
             qint64 unbezahlt)
{
    return {total, normal, krank, urlaub, feiertag, unbezahlt};
}

} // namespace

namespace QTest {
template <>
char *toString(const DaySums &s)
{
    return qstrdup(QStringLiteral("(total %1, N %2, K %3, U %4, F %5, A %6)")
                       .arg(QString::number(s.total), QString::number(s.normal),
                            QString::number(s.krank), QString::number(s.urlaub),
                            QString::number(s.feiertag), QString::number(s.unbezahlt))
                       .toUtf8()
                       .constData());
}
} // namespace QTest

class TestDaySums : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void breakDeduction_data();
    void breakDeduction();
    void breaksThatTakePart();
    void workedExample();
    void codesCountByFirstCharacterOnly();
    void withoutDayPlanNothingCounts();
    void extremeMinutesDoNotWrap();
    void entryCodesInDialogOrder();
};

void TestDaySums::breakDeduction_data()
{
    QTest::addColumn<int>("von");
    QTest::addColumn<int>("bis");
    QTest::addColumn<int>("pauseVon");
    QTest::addColumn<int>("pauseBis");
    QTest::addColumn<int>("deducted");

    QTest::newRow("entry covers the break (case 1)") << 420 << 735 << 540 << 555 << 15;
    QTest::newRow("entry equals the break (case 1)") << 720 << 750 << 720 << 750 << 30;
    QTest::newRow("entry inside the break (case 2)") << 725 << 745 << 720 << 750 << 20;
    QTest::newRow("runs into the break (case 3)") << 420 << 735 << 720 << 750 << 15;
    QTest::newRow("ends exactly at break start (case 3)") << 480 << 720 << 720 << 750 << 0;
    QTest::newRow("starts inside, runs past (case 4)") << 740 << 960 << 720 << 750 << 10;
    QTest::newRow("starts exactly at break end (case 4)") << 750 << 800 << 720 << 750 << 0;
    QTest::newRow("wholly before") << 420 << 500 << 540 << 555 << 0;
    QTest::newRow("wholly after") << 960 << 1080 << 720 << 750 << 0;
    QTest::newRow("break from 0 to 30, night entry") << 0 << 60 << 0 << 30 << 30;
    QTest::newRow("break from 0 to 30, entry inside") << 10 << 20 << 0 << 30 << 10;
    // A deduction never adds time: reversed spans deduct nothing below 0, and a break
    // whose end is not after its start deducts nothing (10:00 with no end).
    QTest::newRow("negative span clear of the break") << 900 << 800 << 540 << 555 << 0;
    QTest::newRow("negative span inside the break (case 2)") << 745 << 725 << 720 << 750 << 0;
    QTest::newRow("negative span across the break (case 2)") << 800 << 700 << 720 << 750 << 0;
    QTest::newRow("break without end") << 480 << 780 << 600 << 0 << 0;
    QTest::newRow("break ending where it begins") << 480 << 780 << 600 << 600 << 0;
    QTest::newRow("reversed break") << 480 << 780 << 700 << 600 << 0;
}

void TestDaySums::breakDeduction()
{
    QFETCH(int, von);
    QFETCH(int, bis);
    QFETCH(int, pauseVon);
    QFETCH(int, pauseBis);
    QFETCH(int, deducted);
    QCOMPARE(BreakDeduction(von, bis, {pauseVon, pauseBis}), qint64(deducted));
    const PlanBreaks breaks{PlanBreak{pauseVon, pauseBis}, PlanBreak{}, PlanBreak{}};
    QCOMPARE(NetMinutes(von, bis, breaks), qint64(bis - von - deducted));
}

void TestDaySums::breaksThatTakePart()
{
    // Both bounds 0 or less: skipped, even where the comparison cases would deduct.
    QCOMPARE(NetMinutes(0, 60, {PlanBreak{0, 0}, PlanBreak{-10, 0}, PlanBreak{-30, -5}}), 60);
    // One bound above 0 is enough to take part.
    QCOMPARE(NetMinutes(0, 60, {PlanBreak{-10, 20}, PlanBreak{}, PlanBreak{}}), 40);
    // A backwards entry across two breaks gains nothing from them.
    QCOMPARE(NetMinutes(800, 500, {PlanBreak{540, 555}, PlanBreak{720, 750}, PlanBreak{}}), -300);
    // Overlapping breaks both deduct, as before.
    QCOMPARE(NetMinutes(480, 780, {PlanBreak{600, 630}, PlanBreak{615, 645}, PlanBreak{}}),
             300 - 30 - 30);
    // Each break deducts on its own.
    QCOMPARE(NetMinutes(420, 1080, {PlanBreak{540, 555}, PlanBreak{720, 750}, PlanBreak{900, 910}}),
             660 - 15 - 30 - 10);
}

void TestDaySums::workedExample()
{
    const QVector<EntryTimes> day{{420, 735, QStringLiteral("N")},
                                  {740, 960, QStringLiteral("N")},
                                  {960, 1080, QStringLiteral("U")}};
    QCOMPARE(evaluateDay(ExamplePlan, day), sums(615, 495, 0, 120, 0, 0));
    // A plan with empty times deducts nothing.
    QCOMPARE(evaluateDay(PlanBreaks{}, day), sums(655, 535, 0, 120, 0, 0));
    // Two entries overlapping one break each lose their own overlap.
    QCOMPARE(evaluateDay(ExamplePlan,
                         {{700, 735, QStringLiteral("N")}, {725, 760, QStringLiteral("N")}}),
             sums(35 - 15 + 35 - 25, 30, 0, 0, 0, 0));
}

void TestDaySums::codesCountByFirstCharacterOnly()
{
    // Clear of all breaks, so every entry nets its gross span.
    const QVector<EntryTimes> day{
        {400, 410, QStringLiteral("Nacht")}, // N counts: first character
        {800, 820, QStringLiteral("n")},     // lower case: no code sum
        {830, 860, QStringLiteral("X")},     // unknown: no code sum
        {870, 910, QString()},               // empty: no code sum
        {920, 970, QStringLiteral("A")},     // unpaid counts in the total
        {980, 1040, QStringLiteral("K ")},
        {1050, 1120, QStringLiteral("F")},
        {1130, 1210, QStringLiteral("U")},
        {1300, 1200, QStringLiteral("N")}}; // negative span, clear of the breaks
    QCOMPARE(evaluateDay(ExamplePlan, day),
             sums(10 + 20 + 30 + 40 + 50 + 60 + 70 + 80 - 100, 10 - 100, 60, 80, 70, 50));
}

void TestDaySums::withoutDayPlanNothingCounts()
{
    QCOMPARE(evaluateDay(std::nullopt, {{420, 735, QStringLiteral("N")}}), DaySums());
    QCOMPARE(evaluateDay(ExamplePlan, {}), DaySums());
}

void TestDaySums::extremeMinutesDoNotWrap()
{
    constexpr qint64 Min = std::numeric_limits<int>::min();
    constexpr qint64 Max = std::numeric_limits<int>::max();
    // The whole 32-bit range with the plan's two breaks inside: 2^32 - 1 - 45, not -46.
    const DaySums wide = evaluateDay(ExamplePlan, {{Min, Max, QStringLiteral("N")}});
    QCOMPARE(wide.total, (qint64(1) << 32) - 1 - 45);
    QVERIFY(!FitsMinutes(wide.total));
    // Many ordinary entries sum past 32 bits without folding.
    QVector<EntryTimes> many(3, {0, Max, QStringLiteral("K")});
    QCOMPARE(evaluateDay(PlanBreaks{}, many).krank, 3 * Max);
    QVERIFY(FitsMinutes(Max));
    QVERIFY(FitsMinutes(Min));
    QVERIFY(!FitsMinutes(Min - 1));
    QVERIFY(!FitsMinutes(5000000000));
}

void TestDaySums::entryCodesInDialogOrder()
{
    QCOMPARE(EntryCodeLetters(), QStringList({"N", "A", "F", "K", "U"}));
    QCOMPARE(EntryCodeAt(3), QStringLiteral("K"));
    QCOMPARE(EntryCodeAt(5), QString());
    QCOMPARE(EntryCodePosition(QStringLiteral("urlaub")), 4); // the dialogs ignore case
    QCOMPARE(EntryCodePosition(QStringLiteral("X")), -1);
    QCOMPARE(EntryCodeName(QStringLiteral("A")), QStringLiteral("Unbezahlt"));
    QCOMPARE(EntryCodeName(QStringLiteral("N ")), QString()); // the whole value counts
    QCOMPARE(EntryCodeName(QVariant()), QString());
}

QTEST_MAIN(TestDaySums)
#include "tst_daysums.moc"
