#include <QTest>
#include <QTextStream>

#include "core/common/Errors.h"
#include "core/db/Table.h"
#include "core/recording/AccountYears.h"
#include "core/recording/MonthRecalc.h"
#include "core/recording/TimeAccount.h"
#include "core/reports/lists/TimeAccountList.h"
#include "tests/support/ListTestKit.h"
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
    void listRowsAndSums();
    void newYearCarriesTheYearEnd();
    void impossibleAccountFiguresAreRefused();
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

// The list shows the command line's figures; an employee whose period cannot be formed gets
// the reason and adds nothing to the sums.
void TestTimeAccount::listRowsAndSums()
{
    TempDataDir dir;
    accountMonths();
    addEmployee(2, QStringLiteral("Jan"), QStringLiteral("Albers"), 1, 1);
    TempDataDir::exec(QStringLiteral("UPDATE Personal SET EintrittsDatum = '2024-03-01' "
                                     "WHERE PersonalNummer = 2"));
    addEmployee(3, QStringLiteral("Udo"), QStringLiteral("Kaputt"), 1, 1);
    TempDataDir::exec(
        QStringLiteral("UPDATE Personal SET AuswertBegin = 31 WHERE PersonalNummer = 3"));
    TimeAccountList list;
    list.setMonth(QDate(2024, 2, 1));
    const ReportDocument doc = list.generate();
    QCOMPARE(countBands(doc, QStringLiteral("employeeRow")), 3);
    QCOMPARE(nthBand(doc, QStringLiteral("employeeRow")).texts(),
             QStringList({QStringLiteral("1"), QStringLiteral("Berger, Eva"),
                          QStringLiteral("32,00"), QStringLiteral("20,25"), QStringLiteral("3,25"),
                          QStringLiteral("-11,75"), QStringLiteral("-8,50"), QStringLiteral("32,5"),
                          QStringLiteral("1,5"), QStringLiteral("31,0")}));
    // entering after the month: nothing counts
    QCOMPARE(nthBand(doc, QStringLiteral("employeeRow"), 1).text(QStringLiteral("laNeu")),
             QStringLiteral("0,00"));
    const BandRef broken = nthBand(doc, QStringLiteral("employeeRow"), 2);
    QVERIFY(broken.text(QStringLiteral("laName"))
                .startsWith(QStringLiteral("Kaputt, Udo  – Fehler: ")));
    QCOMPARE(broken.text(QStringLiteral("laNeu")), QString());
    const BandRef sums = nthBand(doc, QStringLiteral("sumRow"));
    QCOMPARE(sums.text(QStringLiteral("laAnzPers")), QStringLiteral("2"));
    QCOMPARE(sums.text(QStringLiteral("laGesNeu")), QStringLiteral("-8,50"));
    QCOMPARE(sums.text(QStringLiteral("laGesRest")), QStringLiteral("31,0"));
}

// A new year takes over the balance and the vacation left at the end of the year before,
// once that year has an account row; before, nothing.
void TestTimeAccount::newYearCarriesTheYearEnd()
{
    TempDataDir dir;
    accountMonths();
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET AustrittsDatum = '2024-02-29' WHERE PersonalNummer = 1"));
    const YearCarry carry = CarryIntoYear(1, 2025);
    QCOMPARE(carry.balance, qint64(-510));
    QCOMPARE(carry.vacation, 31.0);
    QCOMPARE(carry.entitlement, 30.0);
    const YearCarry first = CarryIntoYear(1, 2024);
    QCOMPARE(first.balance, qint64(0));
    QCOMPARE(first.vacation, 0.0);
}

void TestTimeAccount::impossibleAccountFiguresAreRefused()
{
    TempDataDir dir;
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    Table zeitkonto(QStringLiteral("Zeitkonto"), QStringLiteral("PersonalNummer;Jahr"));
    zeitkonto.setPostCheck([&zeitkonto] { CheckAccountYear(zeitkonto); });
    zeitkonto.open();
    const auto refused = [&zeitkonto](const char *field, const QVariant &value) {
        zeitkonto.append();
        zeitkonto.field(QStringLiteral("PersonalNummer")).setAsInteger(1);
        zeitkonto.field(QStringLiteral("Jahr")).setAsInteger(2024);
        zeitkonto.field(QLatin1String(field)).setValue(value);
        QString message;
        try {
            zeitkonto.post();
        } catch (const UserError &e) {
            message = e.message();
        }
        zeitkonto.cancel();
        return message;
    };
    QCOMPARE(refused("Urlaubsanspruch", 2.3),
             QStringLiteral("Urlaubsanspruch: nur ganze und halbe Tage sind möglich."));
    QCOMPARE(refused("Urlaubsanspruch", -1.0),
             QStringLiteral("Urlaubsanspruch: -1,0 Tage sind nicht möglich."));
    QCOMPARE(refused("UrlaubVortrag", 400.0),
             QStringLiteral("Urlaub Vortrag: 400,0 Tage sind nicht möglich."));
    QCOMPARE(refused("Jahr", 1800),
             QStringLiteral("Das Jahr 1800 ist nicht möglich (1900 bis 2100)."));
    QCOMPARE(refused("SaldoVortrag", qint64(6000001)),
             QStringLiteral("Saldo Vortrag: mehr als 100000 Stunden sind nicht möglich."));
    QCOMPARE(sqlValue(QStringLiteral("SELECT COUNT(*) FROM Zeitkonto")).toInt(), 0);
    // half days, a negative carry and a negative balance are fine
    QCOMPARE(refused("UrlaubVortrag", -1.5), QString());
    QCOMPARE(sqlValue(QStringLiteral("SELECT UrlaubVortrag FROM Zeitkonto")).toDouble(), -1.5);
}

QTEST_MAIN(TestTimeAccount)
#include "tst_timeaccount.moc"
