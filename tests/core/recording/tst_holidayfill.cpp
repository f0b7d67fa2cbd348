#include <QTest>
#include <QTextStream>

#include "core/recording/HolidayFill.h"
#include "core/recording/OtherDayEntries.h"
#include "core/settings/FirmSettings.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

const QDate EasterMonday(2024, 4, 1); // a Monday: a working day of the example plan
const QDate WhitMonday(2024, 5, 20);

HolidayFillOutcome fill(int personalNummer, int month, const QString &state = QStringLiteral("BY"))
{
    RecordingTables tables;
    tables.personal.findKey({personalNummer});
    return FillHolidays(tables, month, 2024, state);
}

} // namespace

class TestHolidayFill : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void holidayOnAWorkingDayGetsThePlansTimes();
    void secondRunChangesNothing();
    void daysWithTimesAndDaysOutsideEmploymentAreLeftAlone();
    void planWithoutTimesStartsAtEight();
    void everyEmployeeOfTheMonthIsReported();
};

// Easter Monday 2024, Monday plan 07:00-16:00 with 45 minutes of breaks: one F entry over the
// plan's times, and the day counts 8:15 as holiday.
void TestHolidayFill::holidayOnAWorkingDayGetsThePlansTimes()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    const HolidayFillOutcome outcome = fill(1, 4);
    QCOMPARE(outcome.entered, 1);
    QVERIFY(outcome.leftAlone.isEmpty());
    const QList<TimeEntry> entries = entriesOfDay(1, EasterMonday);
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().von, 420);
    QCOMPARE(entries.first().bis, 960);
    QCOMPARE(entries.first().kennung, QStringLiteral("F"));
    const StoredDay day = storedDay(1, EasterMonday);
    QCOMPARE(day.feiertag.toInt(), 495);
    QCOMPARE(day.summe.toInt(), 495);
    QCOMPARE(day.soll.toInt(), 480);
}

void TestHolidayFill::secondRunChangesNothing()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    QCOMPARE(fill(1, 5).entered, 1); // Whit Monday; Ascension is a Thursday without work
    const HolidayFillOutcome again = fill(1, 5);
    QCOMPARE(again.entered, 0);
    QCOMPARE(again.leftAlone, QStringList{QStringLiteral("20.05.2024 Pfingstmontag")});
    QCOMPARE(entriesOfDay(1, WhitMonday).size(), 1);
}

void TestHolidayFill::daysWithTimesAndDaysOutsideEmploymentAreLeftAlone()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    addEntry(1, EasterMonday, 600, 660, QStringLiteral("N"));
    QCOMPARE(fill(1, 4).leftAlone, QStringList{QStringLiteral("01.04.2024 Ostermontag")});
    QCOMPARE(entriesOfDay(1, EasterMonday).size(), 1);

    addEmployee(2, QStringLiteral("Jan"), QStringLiteral("Kurz"), 1, 1);
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET AustrittsDatum = '2024-03-31' WHERE PersonalNummer = 2"));
    addEmployee(3, QStringLiteral("Ida"), QStringLiteral("Neu"), 1, 1);
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET EintrittsDatum = '2024-04-02' WHERE PersonalNummer = 3"));
    QCOMPARE(fill(2, 4).entered, 0);
    QCOMPARE(fill(3, 4).entered, 0);
    QVERIFY(entriesOfDay(2, EasterMonday).isEmpty());
    QVERIFY(entriesOfDay(3, EasterMonday).isEmpty());
    // without a state only the nationwide holidays count: Easter Monday is one of them
    addEmployee(4, QStringLiteral("Ole"), QStringLiteral("Lang"), 1, 1);
    QCOMPARE(fill(4, 4, QString()).entered, 1);
}

void TestHolidayFill::planWithoutTimesStartsAtEight()
{
    TempDataDir dir;
    addShiftPlan(2, QStringLiteral("Teilzeit"));
    addDayPlan(2, 1, {300, {}, {}, {}, {}, {}, {}, {}, {}});
    for (int day = 2; day <= 8; ++day)
        addDayPlan(2, day, {});
    addEmployee(5, QStringLiteral("Pia"), QStringLiteral("Teil"), 2, 1);
    QCOMPARE(fill(5, 4).entered, 1);
    const QList<TimeEntry> entries = entriesOfDay(5, EasterMonday);
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().von, 480);
    QCOMPARE(entries.first().bis, 780);
    QCOMPARE(storedDay(5, EasterMonday).feiertag.toInt(), 300);
}

// The month run: the state comes from the firm's settings; a 16th-to-15th employee gets the
// holidays of the period 16.04. to 15.05. (Ascension on a Thursday has no work).
void TestHolidayFill::everyEmployeeOfTheMonthIsReported()
{
    TempDataDir dir;
    FirmSettings::setValue(QStringLiteral("Bundesland"), QStringLiteral("BY"));
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    addEmployee(2, QStringLiteral("Jan"), QStringLiteral("Kurz"), 1, 16);
    addEntry(1, EasterMonday, 600, 660, QStringLiteral("N"));
    QString report;
    QTextStream out(&report);
    QCOMPARE(FillHolidaysOfMonth(4, 2024, out), 0);
    QCOMPARE(report,
             QStringLiteral("Personal-Nr. 1 (Eva Berger): 0 Feiertage eingetragen\n"
                            "  01.04.2024 Ostermontag: hat schon Zeiten, nicht geändert\n"
                            "Personal-Nr. 2 (Jan Kurz): 0 Feiertage eingetragen\n"));
    report.clear();
    QCOMPARE(FillHolidaysOfMonth(5, 2024, out), 0);
    QCOMPARE(report,
             QStringLiteral("Personal-Nr. 1 (Eva Berger): 1 Feiertag eingetragen\n"
                            "Personal-Nr. 2 (Jan Kurz): 1 Feiertag eingetragen\n"));
    QCOMPARE(entriesOfDay(2, WhitMonday).size(), 1);
}

QTEST_GUILESS_MAIN(TestHolidayFill)
#include "tst_holidayfill.moc"
