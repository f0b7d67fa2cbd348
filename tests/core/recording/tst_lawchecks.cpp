#include <QTest>
#include <QTextStream>

#include "core/recording/LawChecks.h"
#include "core/recording/MonthRecalc.h"
#include "core/reports/lists/LawCheckList.h"
#include "core/settings/FirmSettings.h"
#include "tests/support/ListTestKit.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

class TestLawChecks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void monthOfTheStoredEntries();
    void listShowsTheFindingsUnderTheEmployee();
};

namespace {

// April 2024 in Bavaria, the Monday plan with its breaks: a day within the law, a Sunday and
// a holiday worked, a day without breaks, and a short rest from the last day of March, which
// is read but not reported itself. A day record's own shift plan gives its breaks.
void aprilInBavaria()
{
    FirmSettings::setValue(QStringLiteral("Bundesland"), QStringLiteral("BY"));
    addExampleShiftPlan(1);
    addShiftPlan(2, QStringLiteral("ohne Pausen"));
    for (int day = 1; day <= 8; ++day)
        addDayPlan(2, day, {480, 420, 960, {}, {}, {}, {}, {}, {}});
    addEmployee(7, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    addEntry(7, QDate(2024, 3, 31), 1200, 1380, QStringLiteral("N")); // Sunday 20:00-23:00
    addEntry(7, QDate(2024, 4, 1), 420, 960, QStringLiteral("N"));    // Easter Monday
    addEntry(7, QDate(2024, 4, 8), 420, 960, QStringLiteral("N"));    // within the law
    addEntry(7, QDate(2024, 4, 14), 480, 600, QStringLiteral("N"));   // a Sunday
    addEntry(7, QDate(2024, 4, 15), 420, 960, QStringLiteral("N"));   // plan 2: no breaks
    addDayRecord(7, QDate(2024, 4, 15), 2, 480, 0);
}

} // namespace

void TestLawChecks::monthOfTheStoredEntries()
{
    TempDataDir dir;
    aprilInBavaria();
    QString report;
    QTextStream out(&report);
    QCOMPARE(WriteLawChecks(4, 2024, 0, out), 0);
    QCOMPARE(report.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             QStringList({QStringLiteral("7;01.04.2024;ARBZG5;Ruhezeit 8:00 nach Arbeitsende 23:00 "
                                         "am 31.03.2024, vorgeschrieben sind 11 Stunden"),
                          QStringLiteral("7;01.04.2024;ARBZG9;Arbeit am Feiertag Ostermontag"),
                          QStringLiteral("7;14.04.2024;ARBZG9;Arbeit am Sonntag"),
                          QStringLiteral("7;15.04.2024;ARBZG4;Pausen 0:00 bei 9:00 Arbeitszeit, "
                                         "vorgeschrieben sind 30 Minuten"),
                          QStringLiteral("7;15.04.2024;ARBZG4;9:00 Arbeit ohne Pause von "
                                         "mindestens 15 Minuten"),
                          QStringLiteral("5 Befunde")}));
    report.clear();
    QCOMPARE(WriteLawChecks(4, 2024, 8, out), 0); // another employee only: nothing
    QCOMPARE(report, QStringLiteral("0 Befunde\n"));
}

// The printed list holds what the command line prints, under one heading per employee; an
// employee without findings is left out and the count closes the list.
void TestLawChecks::listShowsTheFindingsUnderTheEmployee()
{
    TempDataDir dir;
    aprilInBavaria();
    addEmployee(8, QStringLiteral("Jan"), QStringLiteral("Albers"), 1, 1);
    addEntry(8, QDate(2024, 4, 9), 480, 720, QStringLiteral("N")); // 4 hours: nothing to find
    LawCheckList list;
    list.setMonth(QDate(2024, 4, 1));
    const ReportDocument doc = list.generate();
    QCOMPARE(countBands(doc, QStringLiteral("employeeHeader")), 1);
    QCOMPARE(nthBand(doc, QStringLiteral("employeeHeader")).text(QStringLiteral("laMitarbeiter")),
             QStringLiteral("7 Berger, Eva"));
    QCOMPARE(countBands(doc, QStringLiteral("findingRow")), 5);
    const BandRef first = nthBand(doc, QStringLiteral("findingRow"));
    QCOMPARE(first.texts(),
             QStringList({QStringLiteral("Mo 01.04.2024"), QStringLiteral("ARBZG5"),
                          QStringLiteral("Ruhezeit 8:00 nach Arbeitsende 23:00 am "
                                         "31.03.2024, vorgeschrieben sind 11 "
                                         "Stunden")}));
    QCOMPARE(nthBand(doc, QStringLiteral("findingRow"), 4).text(QStringLiteral("laRegel")),
             QStringLiteral("ARBZG4"));
    QCOMPARE(nthBand(doc, QStringLiteral("sumRow")).text(QStringLiteral("laAnzahl")),
             QStringLiteral("5 Befunde"));
    QCOMPARE(nthBand(doc, QStringLiteral("title")).text(QStringLiteral("laMonatText")),
             QStringLiteral("April 2024"));
}

QTEST_MAIN(TestLawChecks)
#include "tst_lawchecks.moc"
