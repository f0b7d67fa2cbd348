#include <QTest>
#include <QTextStream>

#include "core/recording/MonthRecalc.h"
#include "core/recording/TimeAccount.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

// January 2024: every Monday worked 07:00-16:00 (8:15 net against 8:00, +0:15 each).
// February: 05.02. a whole vacation day, 12.02. half a day (3:45 against 8:00), 19.02.
// worked, 26.02. missing. The year starts with 2:00 carried in and 30 + 2.5 vacation days.
void accountMonths()
{
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    for (int day : {1, 8, 15, 22, 29})
        addEntry(1, QDate(2024, 1, day), 420, 960, QStringLiteral("N"));
    addEntry(1, QDate(2024, 2, 5), 420, 960, QStringLiteral("U"));
    addEntry(1, QDate(2024, 2, 12), 420, 660, QStringLiteral("U"));
    addEntry(1, QDate(2024, 2, 19), 420, 960, QStringLiteral("N"));
    TempDataDir::exec(QStringLiteral("INSERT INTO Zeitkonto (PersonalNummer, Jahr, SaldoVortrag, "
                                     "Urlaubsanspruch, UrlaubVortrag) VALUES (1, 2024, 120, 30, "
                                     "2.5)"));
    QString ignored;
    QTextStream out(&ignored);
    // the first run creates the day records, the second evaluates them
    for (int run = 0; run < 2; ++run) {
        QCOMPARE(RecalcMonth(1, 2024, out), 0);
        QCOMPARE(RecalcMonth(2, 2024, out), 0);
    }
}

QStringList accountLines(int month)
{
    QString report;
    QTextStream out(&report);
    if (WriteAccounts(month, 2024, 0, out) != 0)
        return {report};
    return report.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class TestTimeAccount : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void monthByHand();
    void daysAfterLeavingCountNothing();
    void missingDayRecordsCountTheirTarget();
};

void TestTimeAccount::monthByHand()
{
    TempDataDir dir;
    accountMonths();
    const QStringList january = accountLines(1);
    QCOMPARE(
        january.first(),
        QStringLiteral("PersonalNummer;Name;Vorname;Soll;Gesamt;Saldo Vortrag;"
                       "Saldo Zeitraum;Saldo neu;Urlaub Anspruch;Urlaub genommen;Urlaub Rest"));
    QCOMPARE(january.at(1),
             QStringLiteral("1;Berger;Eva;40,00;41,25;2,00;1,25;3,25;32,5;0,0;32,5"));
    // February: target 4 x 8:00, total 8:15 + 3:45 + 8:15; vacation 1 + 0.5 days.
    QCOMPARE(accountLines(2).at(1),
             QStringLiteral("1;Berger;Eva;32,00;20,25;3,25;-11,75;-8,50;32,5;1,5;31,0"));
}

void TestTimeAccount::daysAfterLeavingCountNothing()
{
    TempDataDir dir;
    accountMonths();
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET AustrittsDatum = '2024-02-20' WHERE PersonalNummer = 1"));
    QCOMPARE(accountLines(2).at(1),
             QStringLiteral("1;Berger;Eva;24,00;20,25;3,25;-3,75;-0,50;32,5;1,5;31,0"));
}

// A working day whose record was never created is missing its whole target.
void TestTimeAccount::missingDayRecordsCountTheirTarget()
{
    TempDataDir dir;
    accountMonths();
    TempDataDir::exec(QStringLiteral("DELETE FROM auswert WHERE Datum = '2024-02-26'"));
    QCOMPARE(accountLines(2).at(1),
             QStringLiteral("1;Berger;Eva;32,00;20,25;3,25;-11,75;-8,50;32,5;1,5;31,0"));
}

QTEST_GUILESS_MAIN(TestTimeAccount)
#include "tst_timeaccount.moc"
