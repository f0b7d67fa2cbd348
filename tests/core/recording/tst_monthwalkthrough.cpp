// One month of a small firm in Bavaria, worked through by hand: the holiday entries, the hours
// account and the working-time findings the month-end runs print for it.
//
// Anna Berger (10) works full time, 07:00-15:45 with breaks 09:00-09:15 and 12:00-12:30 (8:00),
// her period runs from the 16th to the 15th, she joined on 16.03.2024 with 5:00 carried in
// and 30 + 2,5 vacation days. Ben Kurz (20) works part time, Monday, Wednesday and Friday
// 08:00-12:00, from the 1st, joined on 01.03.2024 with -1:00 carried and 15 days. Cem Nacht (30)
// works nights (22:00-06:00, break 01:00-01:30) from 11.03. to 15.03.2024 only.
#include <QTest>
#include <QTextStream>

#include "core/export/PayrollExport.h"
#include "core/recording/HolidayFill.h"
#include "core/recording/LawChecks.h"
#include "core/recording/MonthOverview.h"
#include "core/recording/MonthRecalc.h"
#include "core/recording/TimeAccount.h"
#include "core/reports/lists/DayMarkColors.h"
#include "core/reports/lists/MonthOverviewList.h"
#include "core/settings/FirmSettings.h"
#include "tests/support/ListTestKit.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

constexpr int h(int hours, int minutes = 0)
{
    return hours * 60 + minutes;
}

void shiftPlans()
{
    addShiftPlan(1, QStringLiteral("Vollzeit"));
    addShiftPlan(2, QStringLiteral("Teilzeit"));
    addShiftPlan(3, QStringLiteral("Nacht"));
    const QVariant none;
    for (int day = 1; day <= 8; ++day) {
        const bool weekday = day <= 5;
        addDayPlan(1, day,
                   weekday
                       ? DayPlanTimes{480, h(7), h(15, 45), h(9), h(9, 15), h(12), h(12, 30), 0, 0}
                       : DayPlanTimes{none, none, none, none, none, none, none, none, none});
        const bool partTime = day == 1 || day == 3 || day == 5;
        addDayPlan(2, day,
                   partTime ? DayPlanTimes{240, h(8), h(12), 0, 0, 0, 0, 0, 0}
                            : DayPlanTimes{none, none, none, none, none, none, none, none, none});
        addDayPlan(3, day,
                   weekday ? DayPlanTimes{480, h(22), h(6), h(1), h(1, 30), 0, 0, 0, 0}
                           : DayPlanTimes{none, none, none, none, none, none, none, none, none});
    }
}

void employees()
{
    addEmployee(10, QStringLiteral("Anna"), QStringLiteral("Berger"), 1, 16);
    addEmployee(20, QStringLiteral("Ben"), QStringLiteral("Kurz"), 2, 1);
    addEmployee(30, QStringLiteral("Cem"), QStringLiteral("Nacht"), 3, 1);
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET EintrittsDatum = '2024-03-16' WHERE PersonalNummer = 10"));
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET EintrittsDatum = '2024-03-01' WHERE PersonalNummer = 20"));
    TempDataDir::exec(QStringLiteral("UPDATE Personal SET EintrittsDatum = '2024-03-11', "
                                     "AustrittsDatum = '2024-03-15' WHERE PersonalNummer = 30"));
    TempDataDir::exec(QStringLiteral(
        "INSERT INTO Zeitkonto (PersonalNummer, Jahr, SaldoVortrag, Urlaubsanspruch, "
        "UrlaubVortrag) VALUES (10, 2024, 300, 30, 2.5), (20, 2024, -60, 15, 0)"));
}

void entry(int number, int month, int day, int von, int bis, const char *code = "N")
{
    addEntry(number, QDate(2024, month, day), von, bis, QLatin1String(code));
}

// Anna: a plain day is 07:00-15:45 (8:00 net, balance 0).
void annasDays()
{
    const QList<QDate> special = {{2024, 3, 18}, {2024, 3, 20}, {2024, 3, 21}, {2024, 3, 22},
                                  {2024, 3, 25}, {2024, 3, 26}, {2024, 3, 27}, {2024, 3, 28},
                                  {2024, 3, 29}, {2024, 4, 1},  {2024, 4, 2},  {2024, 4, 3},
                                  {2024, 4, 4},  {2024, 4, 10}};
    for (QDate date(2024, 3, 16); date <= QDate(2024, 4, 15); date = date.addDays(1)) {
        if (date.dayOfWeek() <= 5 && !special.contains(date))
            addEntry(10, date, h(7), h(15, 45), QStringLiteral("N"));
    }
    entry(10, 3, 18, h(7), h(11, 15));           // 4:00 worked ...
    entry(10, 3, 18, h(11, 15), h(15, 45), "U"); // ... and half a vacation day
    entry(10, 3, 20, h(12, 30), h(18, 30));      // exactly 6:00 without a break
    entry(10, 3, 21, h(12, 30), h(18, 31));      // 6:01 without a break
    entry(10, 3, 22, h(7), h(15, 45), "U");      // a vacation day
    entry(10, 3, 25, h(7), h(15, 45), "K");      // sick
    entry(10, 3, 26, h(12, 30), h(16));          // a 14-minute gap ...
    entry(10, 3, 26, h(16, 14), h(19, 30));      // ... is no break
    entry(10, 3, 27, h(12, 30), h(16));          // a 15-minute gap ...
    entry(10, 3, 27, h(16, 15), h(19, 31));      // ... is one
    entry(10, 3, 28, h(7), h(15, 45));           // 10:15 in all
    entry(10, 3, 28, h(16), h(18, 15));          //
    entry(10, 4, 1, h(8), h(12));                // Easter Monday worked: 3:45
    entry(10, 4, 2, h(12, 30), h(16));           // ends at 20:00 ...
    entry(10, 4, 2, h(16, 30), h(20));           //
    entry(10, 4, 3, h(6, 59), h(15, 45));        // ... and starts 10:59 later
    entry(10, 4, 4, h(12, 30), h(16));           // ends at 20:00 ...
    entry(10, 4, 4, h(16, 30), h(20));           // ... 05.04. starts 11:00 later
    // 29.03. (Good Friday) is left to the holiday run, 10.04. stays missing
}

// Ben: a plain day is 08:00-12:00 on Monday, Wednesday and Friday.
void bensDays()
{
    for (QDate date(2024, 3, 1); date <= QDate(2024, 3, 31); date = date.addDays(1)) {
        const int weekday = date.dayOfWeek();
        const bool special = date.day() == 13 || date.day() == 22 || date.day() == 29;
        if ((weekday == 1 || weekday == 3 || weekday == 5) && !special)
            addEntry(20, date, h(8), h(12), QStringLiteral("N"));
    }
    entry(20, 3, 12, h(8), h(10));      // a Tuesday, no target: 2:00 over
    entry(20, 3, 13, h(8), h(10), "U"); // half a vacation day
    entry(20, 3, 13, h(10), h(12));     //
    // 22.03. is missing, 29.03. is Good Friday
}

// Cem: Monday 22:00 to Friday 06:00, each night split at midnight.
void cemsNights()
{
    for (int day = 11; day <= 14; ++day)
        entry(30, 3, day, h(22), h(24));
    for (int day = 12; day <= 15; ++day)
        entry(30, 3, day, 0, h(6));
}

// A line per employee, a character per day: the code letter, ! missing, - not employed,
// . nothing.
QStringList marks(const MonthOverview &overview)
{
    QStringList lines;
    for (const OverviewEmployee &employee : overview.employees) {
        QString line;
        for (const OverviewDay &day : employee.days) {
            const QString text = DayMarkText(day.mark);
            line += day.mark == DayMark::Missing   ? QLatin1Char('!')
                : day.mark == DayMark::NotEmployed ? QLatin1Char('-')
                : text.isEmpty()                   ? QLatin1Char('.')
                                                   : text.at(0);
        }
        lines << line;
    }
    return lines;
}

// The month as the clerk closes it: holidays entered, then the days created and evaluated.
void evaluateMarch()
{
    QString ignored;
    QTextStream sink(&ignored);
    QCOMPARE(FillHolidaysOfMonth(3, 2024, sink), 0);
    for (int pass = 0; pass < 2; ++pass) // creates the missing day records, then evaluates
        QCOMPARE(RecalcMonth(3, 2024, sink), 0);
}

QStringList run(const std::function<int(QTextStream &)> &work)
{
    QString report;
    QTextStream out(&report);
    const int failures = work(out);
    out.flush();
    QStringList lines = report.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (failures != 0)
        lines.prepend(QStringLiteral("%1 Fehler").arg(failures));
    return lines;
}

} // namespace

class TestMonthWalkthrough : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void holidaysAreEnteredOnce();
    void accountOfMarch();
    void findingsOfMarch();
    void overviewOfMarch();
    void missingDaysUpToToday();
    void overviewList();
    void balanceHistoryEndsWithTheLastEndedPeriod();
    void payrollFilesByteForByte();

private:
    std::unique_ptr<TempDataDir> m_dir;
};

void TestMonthWalkthrough::init()
{
    m_dir = std::make_unique<TempDataDir>();
    FirmSettings::setValue(QStringLiteral("Bundesland"), QStringLiteral("BY"));
    shiftPlans();
    employees();
    annasDays();
    bensDays();
    cemsNights();
}

void TestMonthWalkthrough::cleanup()
{
    m_dir.reset();
}

// Good Friday is a working day for Anna and Ben and is entered; Easter Monday already has
// Anna's hours and stays as it is; Cem has left by Good Friday.
void TestMonthWalkthrough::holidaysAreEnteredOnce()
{
    const auto fill = [](QTextStream &out) { return FillHolidaysOfMonth(3, 2024, out); };
    QCOMPARE(run(fill),
             QStringList({"Personal-Nr. 10 (Anna Berger): 1 Feiertag eingetragen",
                          "  01.04.2024 Ostermontag: hat schon Zeiten, nicht geändert",
                          "Personal-Nr. 20 (Ben Kurz): 1 Feiertag eingetragen",
                          "Personal-Nr. 30 (Cem Nacht): 0 Feiertage eingetragen"}));
    const StoredDay goodFriday = storedDay(10, QDate(2024, 3, 29));
    QCOMPARE(goodFriday.feiertag.toInt(), 480);
    QCOMPARE(goodFriday.summe.toInt(), 480);
    QCOMPARE(storedDay(20, QDate(2024, 3, 29)).feiertag.toInt(), 240);
    QCOMPARE(run(fill),
             QStringList({"Personal-Nr. 10 (Anna Berger): 0 Feiertage eingetragen",
                          "  29.03.2024 Karfreitag: hat schon Zeiten, nicht geändert",
                          "  01.04.2024 Ostermontag: hat schon Zeiten, nicht geändert",
                          "Personal-Nr. 20 (Ben Kurz): 0 Feiertage eingetragen",
                          "  29.03.2024 Karfreitag: hat schon Zeiten, nicht geändert",
                          "Personal-Nr. 30 (Cem Nacht): 0 Feiertage eingetragen"}));
}

// Anna, 16.03.-15.04.: 21 working days of 8:00 = 168:00. Balances: 20.03. -2:00, 21.03. -1:59,
// 26.03. and 27.03. -1:14 each, 28.03. +2:15, 01.04. -4:15, 02.04. and 04.04. -1:00 each,
// 03.04. +0:01, 10.04. -8:00: -18:26 in all (-18,43), total 149:34 (149,57), new balance
// 5:00 - 18:26 = -13:26 (-13,43); vacation 0,5 + 1 day of 32,5.
// Ben, March: 13 working days of 4:00 = 52:00; 12.03. +2:00, 22.03. -4:00: -2:00, total 50:00.
// Cem, 11.-15.03.: 5 x 8:00 = 40:00 against 2:00 + 3 x 7:30 + 5:30 = 30:00.
void TestMonthWalkthrough::accountOfMarch()
{
    evaluateMarch();
    QCOMPARE(run([](QTextStream &out) { return WriteAccounts(3, 2024, 0, out); }),
             QStringList({"PersonalNummer;Name;Vorname;Soll;Gesamt;Saldo Vortrag;Saldo Zeitraum;"
                          "Saldo neu;Urlaub Anspruch;Urlaub genommen;Urlaub Rest",
                          "10;Berger;Anna;168,00;149,57;5,00;-18,43;-13,43;32,5;1,5;31,0",
                          "20;Kurz;Ben;52,00;50,00;-1,00;-2,00;-3,00;15,0;0,5;14,5",
                          "30;Nacht;Cem;40,00;30,00;0,00;-10,00;-10,00;0,0;0,0;0,0"}));
}

// Exactly 6:00 without a break, the 15-minute gap as a break, 11:00 of rest and the night
// shift over midnight give nothing; the boundaries' other sides give one finding each.
void TestMonthWalkthrough::findingsOfMarch()
{
    QCOMPARE(run([](QTextStream &out) { return WriteLawChecks(3, 2024, 0, out); }),
             QStringList(
                 {"10;21.03.2024;ARBZG4;Pausen 0:00 bei 6:01 Arbeitszeit, vorgeschrieben sind 30 "
                  "Minuten",
                  "10;21.03.2024;ARBZG4;6:01 Arbeit ohne Pause von mindestens 15 Minuten",
                  "10;26.03.2024;ARBZG4;Pausen 0:00 bei 6:46 Arbeitszeit, vorgeschrieben sind 30 "
                  "Minuten",
                  "10;26.03.2024;ARBZG4;6:46 Arbeit ohne Pause von mindestens 15 Minuten",
                  "10;27.03.2024;ARBZG4;Pausen 0:15 bei 6:46 Arbeitszeit, vorgeschrieben sind 30 "
                  "Minuten",
                  "10;28.03.2024;ARBZG3;Arbeitszeit 10:15 über 10 Stunden",
                  "10;01.04.2024;ARBZG9;Arbeit am Feiertag Ostermontag",
                  "10;03.04.2024;ARBZG5;Ruhezeit 10:59 nach Arbeitsende 20:00 am 02.04.2024, "
                  "vorgeschrieben sind 11 Stunden",
                  "8 Befunde"}));
}

// After the holiday run: Anna from the 16th, Ben all month with 22.03. missing, Cem from the
// 11th to the 15th. Half a vacation day shows U (a tie goes to the absence).
void TestMonthWalkthrough::overviewOfMarch()
{
    evaluateMarch();
    const MonthOverview overview = ReadMonthOverview(3, 2024, QDate(2024, 4, 30), "BY");
    QCOMPARE(marks(overview),
             QStringList({"---------------..UNNNU..KNNNF..", "N..N.N.N..NNU.N..N.N.!..N.N.F..",
                          "----------NNNNN----------------"}));
    QCOMPARE(overview.holidays.at(28), QStringLiteral("Karfreitag"));
    QVERIFY(overview.isFreeDay(28));
    QVERIFY(overview.isFreeDay(1)); // Saturday
    QVERIFY(!overview.isFreeDay(0));
    QCOMPARE(overview.absentOn(12), 1); // Ben's vacation
    QCOMPARE(overview.absentOn(21), 1); // Anna's vacation; Ben's missing day is no absence
    QCOMPARE(overview.absentOn(24), 1); // Anna sick
    QCOMPARE(overview.absentOn(28), 0); // the holiday
    const OverviewDay halfDay = overview.employees.at(1).days.at(12);
    QCOMPARE(halfDay.soll, qint64(240));
    QCOMPARE(halfDay.urlaub, qint64(120));
    QCOMPARE(halfDay.anwesend, qint64(120));
}

// Good Friday without its entry is a missing working day too, until the holiday run; a day
// after today is never missing.
void TestMonthWalkthrough::missingDaysUpToToday()
{
    const auto missing = [](const QDate &today) {
        return run([&today](QTextStream &out) {
            WriteMissingDays(ReadMonthOverview(3, 2024, today, "BY"), out);
            return 0;
        });
    };
    QCOMPARE(missing(QDate(2024, 4, 30)),
             QStringList({"10;29.03.2024", "20;22.03.2024", "20;29.03.2024", "3 fehlende Tage"}));
    QCOMPARE(missing(QDate(2024, 3, 22)), QStringList({"20;22.03.2024", "1 fehlende Tage"}));
    QCOMPARE(missing(QDate(2024, 3, 21)), QStringList({"0 fehlende Tage"}));
}

void TestMonthWalkthrough::overviewList()
{
    MonthOverviewList list;
    list.setMonth(QDate(2024, 3, 1));
    list.setToday(QDate(2024, 4, 30));
    const ReportDocument doc = list.generate();
    QCOMPARE(countBands(doc, QStringLiteral("employeeRow")), 3);
    const BandRef ben = nthBand(doc, QStringLiteral("employeeRow"), 1);
    QCOMPARE(ben.text(QStringLiteral("laName")), QStringLiteral("Kurz, Ben"));
    QCOMPARE(ben.text(QStringLiteral("d22")), QStringLiteral("fehlt"));
    QCOMPARE(ben.text(QStringLiteral("d13")), QStringLiteral("U"));
    QCOMPARE(ben.text(QStringLiteral("laFehlt")), QStringLiteral("2"));
    int missingFills = 0;
    for (const ReportItem &item : ben.page->itemsOf(ben.index))
        missingFills += item.kind == ReportItem::Kind::Fill
            && item.color == DayMarkBackground(DayMark::Missing);
    QCOMPARE(missingFills, 2);
    const BandRef absent = nthBand(doc, QStringLiteral("absentRow"));
    QCOMPARE(absent.text(QStringLiteral("laAbwesend13")), QStringLiteral("1"));
    QCOMPARE(absent.text(QStringLiteral("laAbwesend14")), QString());
    QCOMPARE(absent.text(QStringLiteral("laGesFehlt")), QStringLiteral("3"));
    QCOMPARE(nthBand(doc, QStringLiteral("dayNumbers")).text(QStringLiteral("laTag31")),
             QStringLiteral("31"));
    QCOMPARE(nthBand(doc, QStringLiteral("columnHeader")).text(QStringLiteral("laWochentag1")),
             QStringLiteral("Fr"));
}

// On 20.04.2024 Anna's April period (to 15.05.) has not ended: March is the last one. Before
// she joined nothing counts; 2024 starts with her 5:00 carried in.
void TestMonthWalkthrough::balanceHistoryEndsWithTheLastEndedPeriod()
{
    evaluateMarch();
    const QVector<PeriodBalance> history = BalanceHistory(10, QDate(2024, 4, 20));
    QCOMPARE(history.size(), 12);
    QCOMPARE(history.first().month, 4);
    QCOMPARE(history.first().year, 2023);
    QCOMPARE(history.at(8).balance, qint64(0)); // December 2023
    QCOMPARE(history.at(9).balance, qint64(300));
    QCOMPARE(history.at(10).period, qint64(0));
    QCOMPARE(history.last().month, 3);
    QCOMPARE(history.last().period, qint64(-1106));
    QCOMPARE(history.last().balance, qint64(-806));
    // Ben's March period ends on the 31st: on that day it is still running
    QCOMPARE(BalanceHistory(20, QDate(2024, 3, 31)).last().month, 2);
    QCOMPARE(BalanceHistory(20, QDate(2024, 4, 1)).last().period, qint64(-120));
}

// The files written by hand from the summary sheets' total rows (Anna: Soll 160,00 as the
// sheet counts no target on 10.04., Gesamt 149,57, Anwesend 121,57, Krank 8,00, Urlaub
// 12,00, Feiertag 8,00) and the account; gross = (Gesamt - Unbezahlt) x 12,50.
void TestMonthWalkthrough::payrollFilesByteForByte()
{
    evaluateMarch();
    for (const auto &[key, value] :
         {std::pair{"BeraterNr", "1234567"}, std::pair{"MandantenNr", "12345"},
          std::pair{"Lohnart.Anwesend", "100"}, std::pair{"Lohnart.Krank", "200"},
          std::pair{"Lohnart.Urlaub", "300"}, std::pair{"Lohnart.Feiertag", "400"}})
        FirmSettings::setValue(QLatin1String(key), QLatin1String(value));
    const auto written = [this](PayrollFormat format) {
        const QString path = m_dir->path() + QStringLiteral("/export");
        ExportPayroll(format, 3, 2024, path);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QCOMPARE(written(PayrollFormat::Csv),
             QByteArray("\xEF\xBB\xBFPersonalnummer;Name;Vorname;Von;Bis;Soll;Gesamt;Anwesend;"
                        "Krank;Urlaub;Feiertag;Unbezahlt;Saldo;Urlaubstage;Stundenlohn;Brutto\r\n"
                        "10;Berger;Anna;16.03.2024;15.04.2024;160,00;149,57;121,57;8,00;12,00;"
                        "8,00;0,00;-13,43;1,5;12,50;1869,58\r\n"
                        "20;Kurz;Ben;01.03.2024;31.03.2024;48,00;50,00;44,00;0,00;2,00;4,00;"
                        "0,00;-3,00;0,5;12,50;625,00\r\n"
                        "30;Nacht;Cem;01.03.2024;31.03.2024;40,00;30,00;30,00;0,00;0,00;0,00;"
                        "0,00;-10,00;0,0;12,50;375,00\r\n"));
    QCOMPARE(
        written(PayrollFormat::Lodas),
        QByteArray("[Allgemein]\r\nZiel=LODAS\r\nBeraterNr=1234567\r\nMandantenNr=12345\r\n"
                   "Feldtrennzeichen=;\r\nZahlenkomma=,\r\nDatumsformat=TT.MM.JJJJ\r\n\r\n"
                   "[Satzbeschreibung]\r\n10;u_lod_bwd_buchung_standard;abrechnung_zeitraum#bwd;"
                   "pnr#bwd;la_eigene#bwd;bs_nr#bwd;bs_wert_butab#bwd;\r\n\r\n"
                   "[Bewegungsdaten]\r\n"
                   "10;01.03.2024;10;100;1;121,57;\r\n10;01.03.2024;10;200;1;8,00;\r\n"
                   "10;01.03.2024;10;300;1;12,00;\r\n10;01.03.2024;10;400;1;8,00;\r\n"
                   "10;01.03.2024;20;100;1;44,00;\r\n10;01.03.2024;20;300;1;2,00;\r\n"
                   "10;01.03.2024;20;400;1;4,00;\r\n10;01.03.2024;30;100;1;30,00;\r\n"));
    QCOMPARE(written(PayrollFormat::Lug),
             QByteArray("1234567;12345;03/2024\r\n"
                        "10;;;100;121,57;;;;;;\r\n10;;;200;8,00;;;;;;\r\n10;;;300;12,00;;;;;;\r\n"
                        "10;;;400;8,00;;;;;;\r\n20;;;100;44,00;;;;;;\r\n20;;;300;2,00;;;;;;\r\n"
                        "20;;;400;4,00;;;;;;\r\n30;;;100;30,00;;;;;;\r\n"));
}

QTEST_MAIN(TestMonthWalkthrough)
#include "tst_monthwalkthrough.moc"
