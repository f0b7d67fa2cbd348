#include <QTest>

#include "core/db/Table.h"
#include "core/recording/DayGridText.h"
#include "core/recording/MonthSheetCounters.h"
#include "core/reports/lists/MonthSheetDetail.h"
#include "core/reports/lists/MonthSheetSummary.h"
#include "tests/support/ListTestKit.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

const QDate May1(2024, 5, 1); // a Wednesday
const QDate May31(2024, 5, 31);

// Weekdays worked (480 minutes, target 480), weekends empty (target 0), from..to.
void addMonthOfWork(int personalNummer, const QDate &from, const QDate &to)
{
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        if (d.dayOfWeek() <= 5) {
            addWorkedDay(personalNummer, d, 480);
        } else {
            addDay(personalNummer, d, DayMinutes{});
        }
    }
}

template <typename Sheet>
ReportDocument sheetOf(const QDate &start, const QDate &end)
{
    Sheet sheet;
    sheet.setKeyRange(1, start, end);
    sheet.setEmployeeCaption(QStringLiteral("1 Berger, Anna"));
    sheet.setPeriod(start, end);
    sheet.report().setPrintDate(QDate(2024, 6, 3));
    return sheet.generate();
}

} // namespace

class TestMonthSheets : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    // summary sheet
    void headerNamesEmployeeMonthAndPage();
    void weekRowsFollowSundaysAndThePeriodEnd();
    void endDateOnASundayGivesOneWeekRowThenTheTotal();
    void noRecordOnTheEndDateEndsWithTheLastDay();
    void targetOfADayWithoutTimeCountsNothing();
    void largeStoredMinutesAddUpWithoutWrapping();
    void windowTotalsAreTheSheetsTotalRow();
    void presentAndVacationMinutes();
    void weekWithoutSickTimeLeavesItsCellBlank();
    void negativeValuesAreCountedButNotShown();
    void longPeriodRepeatsHeadersOnTheNextPage();
    void everyGenerationStartsTheCountersFromZero();
    void onlyTheEmployeesOwnDaysInTheRange();

    // detail sheet
    void detailHeaderAndColumns();
    void dayWithThreeEntries();
    void lowerCaseCodePrintsNoWord();
    void emptyWeekendDaysAreLeftOut();
    void entryLinesFollowALeftOutDayRow();
    void emptySundayAtThePeriodEndStillCloses();
    void detailWithoutRecordOnTheEndDate();

private:
    std::unique_ptr<TempDataDir> m_dir;
};

void TestMonthSheets::init()
{
    m_dir = std::make_unique<TempDataDir>();
}

void TestMonthSheets::cleanup()
{
    m_dir.reset();
}

void TestMonthSheets::headerNamesEmployeeMonthAndPage()
{
    addMonthOfWork(1, May1, May31);
    const ReportDocument doc = sheetOf<TReportAusw01>(May1, May31);
    QCOMPARE(doc.title, QStringLiteral("Personal-Monatsliste (Summen)"));
    QCOMPARE(doc.pages.size(), 1);
    const BandRef header = nthBand(doc, QStringLiteral("pageHeader"));
    QCOMPARE(header.text(QStringLiteral("laTitel")),
             QStringLiteral("Personal-Monatsliste (Summen)"));
    QCOMPARE(header.text(QStringLiteral("laMonat")), QStringLiteral("Monat:"));
    QCOMPARE(header.text(QStringLiteral("laMonatText")), QStringLiteral("Mai 2024"));
    QCOMPARE(header.text(QStringLiteral("laDatum")), QStringLiteral("Datum: 03.06.2024"));
    QCOMPARE(header.text(QStringLiteral("laPersNr")), QStringLiteral("Personal-Nr.:"));
    QCOMPARE(header.text(QStringLiteral("laPersonal")), QStringLiteral("1 Berger, Anna"));
    QCOMPARE(header.text(QStringLiteral("laSeite")), QStringLiteral("Seite: 1"));

    // the captions and the cells share their columns
    const BandRef columns = nthBand(doc, QStringLiteral("columnHeader"));
    QCOMPARE(columns.texts(),
             QStringList({"Tag", "Soll", "Gesamt", "Ist", "Unbezahlt", "Feiertag", "Krank",
                          "Urlaub", "Ges.ohne Url."}));
    const BandRef row = dayRow(doc, QStringLiteral("Mi 01"));
    QVERIFY(row.isValid());
    for (const ReportItem &item : row.page->itemsOf(row.index)) {
        if (item.name == QLatin1String("Soll")) {
            QCOMPARE(item.rect.left(), 31.8);
            QCOMPARE(item.rect.width(), 15.1);
            QCOMPARE(item.alignment, int(Qt::AlignRight));
        }
        if (item.name == QLatin1String("OUrlaub"))
            QCOMPARE(item.rect.left(), 164.0);
    }
    QCOMPARE(row.page->bands.at(row.index).height, 5.3);
}

// May 2024 starts on a Wednesday: the first week sums Wednesday to Sunday only.
void TestMonthSheets::weekRowsFollowSundaysAndThePeriodEnd()
{
    addMonthOfWork(1, May1, May31);
    const ReportDocument doc = sheetOf<TReportAusw01>(May1, May31);
    const QStringList bands = bandSequence(doc);
    QCOMPARE(bands.mid(0, 3), QStringList({"pageHeader", "columnHeader", "columnRule"}));
    QCOMPARE(
        bands.mid(3, 7),
        QStringList({"dayRow", "dayRow", "dayRow", "dayRow", "dayRow", "weekRow", "weekRule"}));
    QCOMPARE(countBands(doc, QStringLiteral("weekRow")),
             5); // after the 5th, 12th, 19th, 26th, 31st

    const BandRef first = nthBand(doc, QStringLiteral("weekRow"));
    QCOMPARE(first.text(QStringLiteral("laSummeWoche")), QStringLiteral("Summe Woche"));
    QCOMPARE(first.text(QStringLiteral("laSoll")), QStringLiteral("24,00"));
    QCOMPARE(first.text(QStringLiteral("laSumme")), QStringLiteral("24,00"));
    QCOMPARE(first.text(QStringLiteral("laAnwesend")), QStringLiteral("24,00"));
    QCOMPARE(first.text(QStringLiteral("laOUrlaub")), QStringLiteral("24,00"));
    QCOMPARE(first.lineCount(), 1); // a rule along its top only
    QCOMPARE(nthBand(doc, QStringLiteral("weekRow"), 1).text(QStringLiteral("laSoll")),
             QStringLiteral("40,00"));
    // the period ends on a Friday: a week row of three days, then the total
    const BandRef last = nthBand(doc, QStringLiteral("weekRow"), 4);
    QCOMPARE(last.text(QStringLiteral("laSoll")), QStringLiteral("40,00"));
    QCOMPARE(bands.mid(bands.size() - 4),
             QStringList({"dayRow", "weekRow", "weekRule", "totalRow"}));
    const BandRef total = nthBand(doc, QStringLiteral("totalRow"));
    QCOMPARE(total.text(QStringLiteral("laGesamt")), QStringLiteral("Gesamt"));
    QCOMPARE(total.text(QStringLiteral("laGesSoll")), QStringLiteral("184,00"));
    QCOMPARE(total.text(QStringLiteral("laGesOUrlaub")), QStringLiteral("184,00"));
    QCOMPARE(total.lineCount(), 2);
    QCOMPARE(total.page->itemsOf(total.index).first().font.pointSize, 10.0);
}

void TestMonthSheets::endDateOnASundayGivesOneWeekRowThenTheTotal()
{
    const QDate monday(2024, 3, 25);
    const QDate sunday(2024, 3, 31);
    addMonthOfWork(1, monday, sunday);
    const ReportDocument doc = sheetOf<TReportAusw01>(monday, sunday);
    QCOMPARE(bandSequence(doc).mid(3),
             QStringList({"dayRow", "dayRow", "dayRow", "dayRow", "dayRow", "dayRow", "dayRow",
                          "weekRow", "weekRule", "totalRow"}));
    QCOMPARE(nthBand(doc, QStringLiteral("totalRow")).text(QStringLiteral("laGesSumme")),
             QStringLiteral("40,00"));
}

void TestMonthSheets::noRecordOnTheEndDateEndsWithTheLastDay()
{
    // a calendar month whose last day has no record (31 March 2024 is a Sunday)
    addMonthOfWork(1, QDate(2024, 3, 1), QDate(2024, 3, 30));
    const ReportDocument doc = sheetOf<TReportAusw01>(QDate(2024, 3, 1), QDate(2024, 3, 31));
    const QStringList bands = bandSequence(doc);
    QCOMPARE(bands.last(), QStringLiteral("dayRow"));
    QCOMPARE(nthBand(doc, QStringLiteral("dayRow"), 29).text(QStringLiteral("Datum")),
             QStringLiteral("Sa 30"));
    QCOMPARE(countBands(doc, QStringLiteral("weekRow")), 4);
    QCOMPARE(countBands(doc, QStringLiteral("totalRow")), 0);
}

void TestMonthSheets::targetOfADayWithoutTimeCountsNothing()
{
    const QDate monday(2024, 3, 25);
    DayMinutes idle;
    idle.soll = 480;
    idle.summe = 0;
    addDay(1, monday, idle);
    addWorkedDay(1, monday.addDays(1), 480);
    const ReportDocument doc = sheetOf<TReportAusw01>(monday, monday.addDays(1));
    const BandRef row = dayRow(doc, QStringLiteral("Mo 25"));
    QCOMPARE(row.text(QStringLiteral("Soll")), QStringLiteral("0,00"));
    QCOMPARE(row.text(QStringLiteral("Summe")), QStringLiteral("0,00"));
    QCOMPARE(row.text(QStringLiteral("OUrlaub")), QStringLiteral("0,00"));
    for (const char *blank : {"Anwesend", "Unbezahlt", "Feiertag", "Krank", "Urlaub"})
        QCOMPARE(row.text(QLatin1String(blank)), QString());
    QCOMPARE(nthBand(doc, QStringLiteral("weekRow")).text(QStringLiteral("laSoll")),
             QStringLiteral("8,00"));
    QCOMPARE(nthBand(doc, QStringLiteral("totalRow")).text(QStringLiteral("laGesSoll")),
             QStringLiteral("8,00"));
}

// Day records written by another program may hold more minutes than 32 bits can add up:
// two days of 2000000000 minutes each are 66666666,67 hours, not a negative number.
void TestMonthSheets::largeStoredMinutesAddUpWithoutWrapping()
{
    const QDate monday(2024, 3, 25);
    DayMinutes huge;
    huge.soll = 480;
    huge.summe = 2000000000;
    huge.anwesend = 2000000000;
    addDay(1, monday, huge);
    addDay(1, monday.addDays(1), huge);
    const ReportDocument doc = sheetOf<TReportAusw01>(monday, monday.addDays(1));
    const BandRef total = nthBand(doc, QStringLiteral("totalRow"));
    QCOMPARE(total.text(QStringLiteral("laGesSumme")), QStringLiteral("66666666,67"));
    QCOMPARE(total.text(QStringLiteral("laGesAnwesend")), QStringLiteral("66666666,67"));
    QCOMPARE(total.text(QStringLiteral("laGesOUrlaub")), QStringLiteral("66666666,67"));
}

// The time recording window's totals line and the summary sheet's total row come from the
// same counting: a period from the 16th across the month end, with a day without time whose
// target does not count, sick, vacation, holiday, unpaid and negative minutes.
void TestMonthSheets::windowTotalsAreTheSheetsTotalRow()
{
    const QDate from(2024, 11, 16);
    const QDate to(2024, 12, 15);
    addMonthOfWork(1, from, to);
    TempDataDir::exec(QStringLiteral("UPDATE auswert SET Summe = 0, Anwesend = NULL "
                                     "WHERE Datum = '2024-12-02'"));
    TempDataDir::exec(QStringLiteral("UPDATE auswert SET Anwesend = 0, Krank = 480 "
                                     "WHERE Datum = '2024-12-03'"));
    TempDataDir::exec(QStringLiteral("UPDATE auswert SET Anwesend = 240, Urlaub = 240 "
                                     "WHERE Datum = '2024-12-04'"));
    TempDataDir::exec(QStringLiteral("UPDATE auswert SET Anwesend = 0, Feiertag = 480 "
                                     "WHERE Datum = '2024-12-05'"));
    TempDataDir::exec(QStringLiteral("UPDATE auswert SET Anwesend = 420, Unbezahlt = 60 "
                                     "WHERE Datum = '2024-12-06'"));
    TempDataDir::exec(QStringLiteral("UPDATE auswert SET Summe = -30, Anwesend = -30 "
                                     "WHERE Datum = '2024-12-09'"));
    Table days(QStringLiteral("auswert"), QStringLiteral("PersonalNummer;Datum"));
    days.open();
    days.setRange({1, from}, {1, to});
    const MonthSheetCounters::Values totals = MonthSheetCounters::periodTotals(days);
    // 20 weekdays of 480: Mo 2.12. without time and Mo 9.12. with -30 minutes have no target.
    QCOMPARE(totals[MonthSheetCounters::Soll], 18 * 480);
    QCOMPARE(totals[MonthSheetCounters::Gesamt], 18 * 480 - 30);
    QCOMPARE(totals[MonthSheetCounters::Krank], 480);
    QCOMPARE(totals[MonthSheetCounters::OhneUrlaub], 14 * 480 + 240 + 420 - 30 + 480 + 480);

    const ReportDocument doc = sheetOf<TReportAusw01>(from, to);
    const BandRef total = nthBand(doc, QStringLiteral("totalRow"));
    const QString line = PeriodTotalsText(totals).replace(QChar(QChar::Nbsp), QLatin1Char(' '));
    for (const char *cell : {"laGesSoll", "laGesSumme", "laGesAnwesend", "laGesUnbezahlt",
                             "laGesFeiertag", "laGesKrank", "laGesUrlaub", "laGesOUrlaub"}) {
        const QString figure = total.text(QLatin1String(cell));
        QVERIFY2(line.contains(QLatin1Char(' ') + figure), qPrintable(cell + (": " + line)));
    }
    QVERIFY2(line.contains(QStringLiteral("Soll 144,00   Gesamt 143,50")), qPrintable(line));
}

void TestMonthSheets::presentAndVacationMinutes()
{
    const QDate day(2024, 3, 25);
    DayMinutes m;
    m.soll = 480;
    m.summe = 480;
    m.anwesend = 450;
    m.urlaub = 30;
    addDay(1, day, m);
    const ReportDocument doc = sheetOf<TReportAusw01>(day, day);
    const BandRef row = dayRow(doc, QStringLiteral("Mo 25"));
    QCOMPARE(row.text(QStringLiteral("Anwesend")), QStringLiteral("7,50"));
    QCOMPARE(row.text(QStringLiteral("Urlaub")), QStringLiteral("0,50"));
    QCOMPARE(row.text(QStringLiteral("OUrlaub")), QStringLiteral("7,50"));
    QCOMPARE(row.text(QStringLiteral("Summe")), QStringLiteral("8,00"));
    const BandRef total = nthBand(doc, QStringLiteral("totalRow"));
    QCOMPARE(total.text(QStringLiteral("laGesUrlaub")), QStringLiteral("0,50"));
    QCOMPARE(total.text(QStringLiteral("laGesOUrlaub")), QStringLiteral("7,50"));
}

void TestMonthSheets::weekWithoutSickTimeLeavesItsCellBlank()
{
    const QDate monday(2024, 3, 18);
    addMonthOfWork(1, monday, monday.addDays(6));
    DayMinutes sick;
    sick.soll = 480;
    sick.summe = 480;
    sick.krank = 480;
    addDay(1, monday.addDays(7), sick);
    ReportDocument doc = sheetOf<TReportAusw01>(monday, monday.addDays(7));
    QCOMPARE(nthBand(doc, QStringLiteral("weekRow")).text(QStringLiteral("laKrank")), QString());
    QCOMPARE(nthBand(doc, QStringLiteral("weekRow"), 1).text(QStringLiteral("laKrank")),
             QStringLiteral("8,00"));
    QCOMPARE(nthBand(doc, QStringLiteral("weekRow"), 1).text(QStringLiteral("laOUrlaub")),
             QStringLiteral("8,00"));

    // without any sick time the total row still shows 0 with two decimals
    doc = sheetOf<TReportAusw01>(monday, monday.addDays(6));
    const BandRef total = nthBand(doc, QStringLiteral("totalRow"));
    QCOMPARE(total.text(QStringLiteral("laGesKrank")), QStringLiteral("0,00"));
    QCOMPARE(total.text(QStringLiteral("laGesUnbezahlt")), QStringLiteral("0,00"));
    QCOMPARE(nthBand(doc, QStringLiteral("weekRow")).text(QStringLiteral("laUnbezahlt")),
             QString());
}

void TestMonthSheets::negativeValuesAreCountedButNotShown()
{
    const QDate monday(2024, 3, 25);
    DayMinutes m;
    m.summe = 480;
    m.anwesend = 510;
    m.feiertag = -30; // a stored correction
    addDay(1, monday, m);
    const ReportDocument doc = sheetOf<TReportAusw01>(monday, monday);
    const BandRef row = dayRow(doc, QStringLiteral("Mo 25"));
    QCOMPARE(row.text(QStringLiteral("Feiertag")), QString());
    QCOMPARE(row.text(QStringLiteral("OUrlaub")), QStringLiteral("8,00"));
    QCOMPARE(nthBand(doc, QStringLiteral("totalRow")).text(QStringLiteral("laGesFeiertag")),
             QStringLiteral("-0,50"));
}

void TestMonthSheets::longPeriodRepeatsHeadersOnTheNextPage()
{
    const QDate from(2024, 1, 1);
    const QDate to(2024, 3, 31);
    addMonthOfWork(1, from, to);
    const ReportDocument doc = sheetOf<TReportAusw01>(from, to);
    QVERIFY(doc.pages.size() >= 2);
    for (int p = 0; p < doc.pages.size(); ++p) {
        const ReportPage &page = doc.pages.at(p);
        QCOMPARE(page.bandNames().mid(0, 3),
                 QStringList({"pageHeader", "columnHeader", "columnRule"}));
        QCOMPARE(page.textOf(0, QStringLiteral("laSeite")), QStringLiteral("Seite: %1").arg(p + 1));
        QCOMPARE(page.textOf(0, QStringLiteral("laPersonal")), QStringLiteral("1 Berger, Anna"));
        QCOMPARE(page.textOf(0, QStringLiteral("laMonatText")), QStringLiteral("Januar 2024"));
    }
    QCOMPARE(countBands(doc, QStringLiteral("dayRow")), 91);
    QCOMPARE(bandSequence(doc).last(), QStringLiteral("totalRow"));
    QCOMPARE(nthBand(doc, QStringLiteral("totalRow")).text(QStringLiteral("laGesSoll")),
             QStringLiteral("520,00")); // 65 weekdays
}

void TestMonthSheets::everyGenerationStartsTheCountersFromZero()
{
    addMonthOfWork(1, May1, May31);
    TReportAusw01 sheet;
    sheet.setKeyRange(1, May1, May31);
    sheet.setPeriod(May1, May31);
    const ReportDocument first = sheet.generate();
    const ReportDocument second = sheet.generate(); // as a print from the preview does
    for (const ReportDocument *doc : {&first, &second}) {
        QCOMPARE(nthBand(*doc, QStringLiteral("totalRow")).text(QStringLiteral("laGesSoll")),
                 QStringLiteral("184,00"));
        QCOMPARE(nthBand(*doc, QStringLiteral("weekRow")).text(QStringLiteral("laSoll")),
                 QStringLiteral("24,00"));
    }
}

void TestMonthSheets::onlyTheEmployeesOwnDaysInTheRange()
{
    addMonthOfWork(1, May1, May31);
    addWorkedDay(2, QDate(2024, 5, 2), 60);
    addWorkedDay(1, QDate(2024, 6, 1), 60);
    const ReportDocument doc = sheetOf<TReportAusw01>(May1, May31);
    QCOMPARE(countBands(doc, QStringLiteral("dayRow")), 31);
    QCOMPARE(dayRow(doc, QStringLiteral("Do 02")).text(QStringLiteral("Summe")),
             QStringLiteral("8,00"));

    // a range without records gives no page at all
    TReportAusw01 empty;
    empty.setKeyRange(3, May1, May31);
    empty.setPeriod(May1, May31);
    QVERIFY(empty.generate().pages.isEmpty());
}

void TestMonthSheets::detailHeaderAndColumns()
{
    addMonthOfWork(1, May1, May31);
    const ReportDocument doc = sheetOf<TReportAusw02>(May1, May31);
    QCOMPARE(doc.title, QStringLiteral("Personal-Monatsliste (Detail)"));
    const BandRef header = nthBand(doc, QStringLiteral("pageHeader"));
    QCOMPARE(header.text(QStringLiteral("laTitel")),
             QStringLiteral("Personal-Monatsliste (Detail)"));
    QCOMPARE(header.text(QStringLiteral("laSeite")), QStringLiteral("Seite 1"));
    QCOMPARE(bandSequence(doc).mid(0, 3),
             QStringList({"pageHeader", "columnHeader", "columnRule"}));
    QCOMPARE(nthBand(doc, QStringLiteral("columnRule")).page->bands.at(2).height, 1.0);
    const BandRef row = dayRow(doc, QStringLiteral("Mi 01"));
    QCOMPARE(row.page->bands.at(row.index).height, 4.8);
    for (const ReportItem &item : row.page->itemsOf(row.index)) {
        if (item.name == QLatin1String("Soll"))
            QCOMPARE(item.rect.left(), 29.6);
        if (item.name == QLatin1String("Unbezahlt"))
            QCOMPARE(item.rect.left(), 90.0);
        QCOMPARE(item.font.pointSize, 9.0);
    }
    // week rows have rules along top and bottom; the total row prints in 9 pt
    QCOMPARE(nthBand(doc, QStringLiteral("weekRow")).lineCount(), 2);
    const BandRef total = nthBand(doc, QStringLiteral("totalRow"));
    QCOMPARE(total.page->itemsOf(total.index).first().font.pointSize, 9.0);
    QCOMPARE(total.text(QStringLiteral("laGesSoll")), QStringLiteral("184,00"));
}

void TestMonthSheets::dayWithThreeEntries()
{
    const QDate monday(2024, 5, 6);
    DayMinutes m;
    m.soll = 480;
    m.summe = 570;
    m.anwesend = 510;
    m.urlaub = 60;
    addDay(1, monday, m);
    addTimeEntry(1, monday, 420, 720, QStringLiteral("N"));
    addTimeEntry(1, monday, 750, 960, QStringLiteral("N"));
    addTimeEntry(1, monday, 960, 1020, QStringLiteral("U"));
    addTimeEntry(1, monday.addDays(1), 420, 480, QStringLiteral("N")); // another day's entry
    const ReportDocument doc = sheetOf<TReportAusw02>(monday, monday);
    QCOMPARE(bandSequence(doc).mid(3),
             QStringList({"dayRow", "entryLine", "entryLine", "entryLine", "weekRow", "weekRule",
                          "totalRow"}));
    const QStringList expected[] = {
        {"07:00", "12:00", "Normal"}, {"12:30", "16:00", "Normal"}, {"16:00", "17:00", "Urlaub"}};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(nthBand(doc, QStringLiteral("entryLine"), i).texts(), expected[i]);
    const BandRef line = nthBand(doc, QStringLiteral("entryLine"));
    for (const ReportItem &item : line.page->itemsOf(line.index)) {
        if (item.name == QLatin1String("Von"))
            QCOMPARE(item.rect.left(), 29.6);
        if (item.name == QLatin1String("Kennung")) {
            QCOMPARE(item.rect.left(), 65.6);
            QCOMPARE(item.alignment, int(Qt::AlignLeft));
        }
    }
    QCOMPARE(dayRow(doc, QStringLiteral("Mo 06")).text(QStringLiteral("Urlaub")),
             QStringLiteral("1,00"));
}

void TestMonthSheets::lowerCaseCodePrintsNoWord()
{
    const QDate monday(2024, 5, 6);
    addWorkedDay(1, monday, 60);
    addTimeEntry(1, monday, 480, 540, QStringLiteral("n"));
    const ReportDocument doc = sheetOf<TReportAusw02>(monday, monday);
    const BandRef line = nthBand(doc, QStringLiteral("entryLine"));
    QCOMPARE(line.text(QStringLiteral("Von")), QStringLiteral("08:00"));
    QCOMPARE(line.text(QStringLiteral("Bis")), QStringLiteral("09:00"));
    QCOMPARE(line.text(QStringLiteral("Kennung")), QString());
}

void TestMonthSheets::emptyWeekendDaysAreLeftOut()
{
    // Fri 3, Sat 4, Sun 5 and Mon 6 May; only Friday has time
    addWorkedDay(1, QDate(2024, 5, 3), 480);
    addTimeEntry(1, QDate(2024, 5, 3), 420, 900, QStringLiteral("N"));
    addDay(1, QDate(2024, 5, 4), DayMinutes{});
    addDay(1, QDate(2024, 5, 5), DayMinutes{});
    DayMinutes idle;
    idle.soll = 480;
    addDay(1, QDate(2024, 5, 6), idle);
    const ReportDocument doc = sheetOf<TReportAusw02>(QDate(2024, 5, 3), QDate(2024, 5, 6));
    QCOMPARE(bandSequence(doc).mid(3),
             QStringList({"dayRow", "entryLine", "weekRow", "weekRule", "dayRow", "weekRow",
                          "weekRule", "totalRow"}));
    QCOMPARE(nthBand(doc, QStringLiteral("dayRow"), 1).text(QStringLiteral("Datum")),
             QStringLiteral("Mo 06")); // a Monday without time keeps its row
    QCOMPARE(nthBand(doc, QStringLiteral("weekRow")).text(QStringLiteral("laSumme")),
             QStringLiteral("8,00"));

    // the summary sheet lists the weekend
    const ReportDocument summary = sheetOf<TReportAusw01>(QDate(2024, 5, 3), QDate(2024, 5, 6));
    QCOMPARE(countBands(summary, QStringLiteral("dayRow")), 4);
}

void TestMonthSheets::entryLinesFollowALeftOutDayRow()
{
    const QDate saturday(2024, 5, 4);
    addDay(1, saturday, DayMinutes{}); // not evaluated yet: Summe 0
    addTimeEntry(1, saturday, 480, 600, QStringLiteral("N"));
    const ReportDocument doc = sheetOf<TReportAusw02>(saturday, saturday);
    QCOMPARE(bandSequence(doc).mid(3),
             QStringList({"entryLine", "weekRow", "weekRule", "totalRow"}));
    // a left-out row adds nothing
    QCOMPARE(nthBand(doc, QStringLiteral("totalRow")).text(QStringLiteral("laGesOUrlaub")),
             QStringLiteral("0,00"));
}

void TestMonthSheets::emptySundayAtThePeriodEndStillCloses()
{
    addWorkedDay(1, QDate(2024, 5, 3), 240);
    addDay(1, QDate(2024, 5, 4), DayMinutes{});
    addDay(1, QDate(2024, 5, 5), DayMinutes{});
    const ReportDocument doc = sheetOf<TReportAusw02>(May1, QDate(2024, 5, 5));
    QCOMPARE(bandSequence(doc).mid(3), QStringList({"dayRow", "weekRow", "weekRule", "totalRow"}));
    QCOMPARE(nthBand(doc, QStringLiteral("totalRow")).text(QStringLiteral("laGesSumme")),
             QStringLiteral("4,00"));
}

void TestMonthSheets::detailWithoutRecordOnTheEndDate()
{
    addMonthOfWork(1, May1, QDate(2024, 5, 30));
    const ReportDocument doc = sheetOf<TReportAusw02>(May1, May31);
    QCOMPARE(countBands(doc, QStringLiteral("totalRow")), 0);
    QCOMPARE(countBands(doc, QStringLiteral("weekRow")), 4);
    QCOMPARE(bandSequence(doc).last(), QStringLiteral("dayRow"));
}

QTEST_MAIN(TestMonthSheets)
#include "tst_monthsheets.moc"
