#include <QTest>

#include <limits>

#include "core/common/Errors.h"
#include "core/reports/lists/GrossWageList.h"
#include "tests/support/ListTestKit.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

ReportDocument listOf(const QDate &firstDay)
{
    TReportAusw03 list;
    list.setMonth(firstDay);
    list.report().setPrintDate(QDate(2024, 6, 3));
    return list.generate();
}

BandRef rowOf(const ReportDocument &doc, const QString &personalNummer)
{
    for (int i = 0;; ++i) {
        const BandRef row = nthBand(doc, QStringLiteral("employeeRow"), i);
        if (!row.isValid() || row.text(QStringLiteral("PersonalNummer")) == personalNummer)
            return row;
    }
}

} // namespace

class TestGrossWageList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void titleAndColumnsOnALandscapePage();
    void hourlyRateExample();
    void grandGrossFromTheUnroundedTotal();
    void eachEmployeeHasItsOwnPeriod();
    void targetOfDaysWithoutTimeIsLeftOut();
    void employeeWithoutDaysGetsZeros();
    void grandSumsKeepAllTheirDigits();
    void longListRepeatsTheColumnHeaderOnly();
    void emptyTableGivesNoPage();
    void periodThatCannotBeFormedStopsTheList();
    void everyGenerationStartsFromZero();
    void rowsThatDoNotFitAreMarkedInvalid();

private:
    std::unique_ptr<TempDataDir> m_dir;
};

void TestGrossWageList::init()
{
    m_dir = std::make_unique<TempDataDir>();
}

void TestGrossWageList::cleanup()
{
    m_dir.reset();
}

void TestGrossWageList::titleAndColumnsOnALandscapePage()
{
    addPerson(7, QStringLiteral("Berger"), QStringLiteral("Anna"), 12.5, 1);
    const ReportDocument doc = listOf(QDate(2024, 3, 1));
    QVERIFY(doc.landscape);
    QCOMPARE(doc.printingArea().width(), 277.0);
    QCOMPARE(doc.title, QStringLiteral("Auswertung: Bruttolohn"));
    const BandRef title = nthBand(doc, QStringLiteral("title"));
    QCOMPARE(title.text(QStringLiteral("laTitel")),
             QStringLiteral("Auswertung: Bruttolohn  (ohne Zuschläge)"));
    QCOMPARE(title.text(QStringLiteral("laMonatText")), QStringLiteral("März 2024"));
    QCOMPARE(title.text(QStringLiteral("laDatum")), QStringLiteral("03.06.2024"));
    QCOMPARE(title.text(QStringLiteral("laSeite")), QStringLiteral("Seite: 1"));
    QCOMPARE(nthBand(doc, QStringLiteral("columnHeader")).texts(),
             QStringList({"Pers.Nr.", "Name", "Soll", "Summe", "Ist", "Unbez.", "Feiertag", "Krank",
                          "Urlaub", "Ges.o.Url.", "Std-Satz", "Brutto"}));
    QCOMPARE(bandSequence(doc),
             QStringList({"title", "columnHeader", "columnRule", "employeeRow", "sumRow"}));
    const BandRef row = rowOf(doc, QStringLiteral("7"));
    QCOMPARE(row.text(QStringLiteral("laName")), QStringLiteral("Berger, Anna"));
    for (const ReportItem &item : row.page->itemsOf(row.index)) {
        if (item.name == QLatin1String("laBrutto")) {
            QCOMPARE(item.rect.left(), 249.2);
            QCOMPARE(item.rect.width(), 25.7);
        }
        if (item.name == QLatin1String("laOUrlaub"))
            QCOMPARE(item.rect.left(), 213.8);
        QCOMPARE(item.font.pointSize, 10.0);
    }
    QCOMPARE(nthBand(doc, QStringLiteral("sumRow")).lineCount(), 2);
}

// 9600 present, 480 sick, 960 vacation, 240 unpaid at 12.50 an hour: 184 paid hours.
void TestGrossWageList::hourlyRateExample()
{
    addPerson(1, QStringLiteral("Berger"), QStringLiteral("Anna"), 12.5, 1);
    const QDate first(2024, 3, 1);
    DayMinutes m;
    m.soll = 9600;
    m.summe = 11280;
    m.anwesend = 9600;
    m.krank = 480;
    m.urlaub = 960;
    m.unbezahlt = 240;
    addDay(1, first, m);
    const ReportDocument doc = listOf(first);
    const BandRef row = rowOf(doc, QStringLiteral("1"));
    QCOMPARE(row.text(QStringLiteral("laOUrlaub")), QStringLiteral("168,00"));
    QCOMPARE(row.text(QStringLiteral("laUnbezahlt")), QStringLiteral("4,00"));
    QCOMPARE(row.text(QStringLiteral("laIst")), QStringLiteral("160,00"));
    QCOMPARE(row.text(QStringLiteral("laUrlaub")), QStringLiteral("16,00"));
    QCOMPARE(row.text(QStringLiteral("laSumme")), QStringLiteral("188,00"));
    QCOMPARE(row.text(QStringLiteral("BruttoLohn")), QStringLiteral("12,50"));
    QCOMPARE(row.text(QStringLiteral("laBrutto")), QStringLiteral("2.300,00"));
    const BandRef sum = nthBand(doc, QStringLiteral("sumRow"));
    QCOMPARE(sum.text(QStringLiteral("laAnzPers")), QStringLiteral("1"));
    QCOMPARE(sum.text(QStringLiteral("laSumme")), QStringLiteral("Summe"));
    QCOMPARE(sum.text(QStringLiteral("laGesBrutto")), QStringLiteral("2.300,00"));
    QCOMPARE(sum.text(QStringLiteral("laGesUnbezahlt")), QStringLiteral("4,00"));
}

// Each gross amount is 10.004: the rows show 10,00, the grand total 20,01.
void TestGrossWageList::grandGrossFromTheUnroundedTotal()
{
    const QDate first(2024, 3, 1);
    for (int n : {1, 2}) {
        addPerson(n, QStringLiteral("Person %1").arg(n), QStringLiteral("X"), 10.004, 1);
        DayMinutes hour;
        hour.summe = 60;
        hour.anwesend = 60;
        addDay(n, first, hour);
    }
    const ReportDocument doc = listOf(first);
    QCOMPARE(rowOf(doc, QStringLiteral("1")).text(QStringLiteral("laBrutto")),
             QStringLiteral("10,00"));
    QCOMPARE(rowOf(doc, QStringLiteral("2")).text(QStringLiteral("laBrutto")),
             QStringLiteral("10,00"));
    QCOMPARE(nthBand(doc, QStringLiteral("sumRow")).text(QStringLiteral("laGesBrutto")),
             QStringLiteral("20,01"));
    QCOMPARE(nthBand(doc, QStringLiteral("sumRow")).text(QStringLiteral("laAnzPers")),
             QStringLiteral("2"));
}

// November 2023: the 16th-to-15th employee sums 16 Nov to 15 Dec, the other 1 to 30 Nov.
void TestGrossWageList::eachEmployeeHasItsOwnPeriod()
{
    addPerson(1, QStringLiteral("Monat"), QStringLiteral("A"), 10, 1);
    addPerson(2, QStringLiteral("Mitte"), QStringLiteral("B"), 10, 16);
    const QDate days[] = {QDate(2023, 11, 1),  QDate(2023, 11, 15), QDate(2023, 11, 16),
                          QDate(2023, 11, 30), QDate(2023, 12, 1),  QDate(2023, 12, 15),
                          QDate(2023, 12, 16)};
    int minutes = 60;
    for (const QDate &day : days) {
        for (int n : {1, 2})
            addWorkedDay(n, day, minutes);
        minutes *= 2; // each day its own bit: the sums tell which days counted
    }
    const ReportDocument doc = listOf(QDate(2023, 11, 1));
    // employee 1: 1, 15, 16, 30 Nov = 60+120+240+480 minutes = 15 hours
    QCOMPARE(rowOf(doc, QStringLiteral("1")).text(QStringLiteral("laIst")),
             QStringLiteral("15,00"));
    // employee 2: 16, 30 Nov, 1, 15 Dec = 240+480+960+1920 minutes = 60 hours
    QCOMPARE(rowOf(doc, QStringLiteral("2")).text(QStringLiteral("laIst")),
             QStringLiteral("60,00"));
    QCOMPARE(rowOf(doc, QStringLiteral("2")).text(QStringLiteral("laBrutto")),
             QStringLiteral("600,00"));
    QCOMPARE(nthBand(doc, QStringLiteral("sumRow")).text(QStringLiteral("laGesIst")),
             QStringLiteral("75,00"));
}

void TestGrossWageList::targetOfDaysWithoutTimeIsLeftOut()
{
    addPerson(1, QStringLiteral("Berger"), QStringLiteral("Anna"), 12.5, 1);
    addWorkedDay(1, QDate(2024, 3, 4), 480);
    DayMinutes idle;
    idle.soll = 480;
    addDay(1, QDate(2024, 3, 5), idle);
    const ReportDocument doc = listOf(QDate(2024, 3, 1));
    QCOMPARE(rowOf(doc, QStringLiteral("1")).text(QStringLiteral("laSoll")),
             QStringLiteral("8,00"));
}

void TestGrossWageList::employeeWithoutDaysGetsZeros()
{
    addPerson(1, QStringLiteral("Neu"), QStringLiteral("Nina"), 0, 1);
    const ReportDocument doc = listOf(QDate(2024, 3, 1));
    const BandRef row = rowOf(doc, QStringLiteral("1"));
    QCOMPARE(row.text(QStringLiteral("laSoll")), QStringLiteral("0,00"));
    QCOMPARE(row.text(QStringLiteral("laOUrlaub")), QStringLiteral("0,00"));
    QCOMPARE(row.text(QStringLiteral("laBrutto")), QStringLiteral("0,00"));
}

// 100000 hours of 200 employees do not fit the 15.1 mm of a column: the total runs to the
// left of it.
void TestGrossWageList::grandSumsKeepAllTheirDigits()
{
    for (int number = 1; number <= 200; ++number) {
        addPerson(number, QStringLiteral("Berger"), QStringLiteral("Anna"), 1, 1);
        addWorkedDay(number, QDate(2024, 3, 4), 30000);
    }
    const ReportDocument doc = listOf(QDate(2024, 3, 1));
    const BandRef sum = nthBand(doc, QStringLiteral("sumRow"));
    QCOMPARE(sum.text(QStringLiteral("laGesIst")), QStringLiteral("100000,00"));
    for (const ReportItem &item : sum.page->itemsOf(sum.index)) {
        if (item.name == QLatin1String("laGesIst")) {
            QCOMPARE(item.rect.right(), 122.8 + 15.1);
            QVERIFY(item.rect.width() > 25.0);
        }
    }
}

void TestGrossWageList::longListRepeatsTheColumnHeaderOnly()
{
    for (int n = 1; n <= 60; ++n)
        addPerson(n, QStringLiteral("Person %1").arg(n), QStringLiteral("X"), 10, 1);
    const ReportDocument doc = listOf(QDate(2024, 3, 1));
    QCOMPARE(doc.pages.size(), 2);
    QCOMPARE(doc.pages.at(1).bandNames().mid(0, 2), QStringList({"columnHeader", "columnRule"}));
    QCOMPARE(countBands(doc, QStringLiteral("title")), 1); // month, date and page on page 1 only
    QCOMPARE(countBands(doc, QStringLiteral("employeeRow")), 60);
    QCOMPARE(bandSequence(doc).last(), QStringLiteral("sumRow"));
    QCOMPARE(nthBand(doc, QStringLiteral("sumRow")).text(QStringLiteral("laAnzPers")),
             QStringLiteral("60"));
}

void TestGrossWageList::emptyTableGivesNoPage()
{
    QVERIFY(listOf(QDate(2024, 3, 1)).pages.isEmpty());
}

void TestGrossWageList::periodThatCannotBeFormedStopsTheList()
{
    addPerson(1, QStringLiteral("Berger"), QStringLiteral("Anna"), 12.5, 1);
    addPerson(2, QStringLiteral("Falsch"), QStringLiteral("Fritz"), 12.5, 0);
    TReportAusw03 list;
    list.setMonth(QDate(2024, 3, 1));
    try {
        list.generate();
        QFAIL("the list was generated");
    } catch (const DateEncodingError &e) {
        QCOMPARE(e.message(), QStringLiteral("Ungültiges Argument zum Codieren des Datums"));
    }
}

void TestGrossWageList::everyGenerationStartsFromZero()
{
    addPerson(1, QStringLiteral("Berger"), QStringLiteral("Anna"), 12.5, 1);
    addWorkedDay(1, QDate(2024, 3, 4), 480);
    TReportAusw03 list;
    list.setMonth(QDate(2024, 3, 1));
    list.generate();
    const ReportDocument again = list.generate();
    const BandRef sum = nthBand(again, QStringLiteral("sumRow"));
    QCOMPARE(sum.text(QStringLiteral("laAnzPers")), QStringLiteral("1"));
    QCOMPARE(sum.text(QStringLiteral("laGesBrutto")), QStringLiteral("100,00"));
    QCOMPARE(sum.text(QStringLiteral("laGesSoll")), QStringLiteral("8,00"));
}

// Numbers that cannot be shown in their column never run over the neighbours or print
// "inf": the row keeps its name, says why it is invalid and adds nothing to the totals.
void TestGrossWageList::rowsThatDoNotFitAreMarkedInvalid()
{
    TK_SQLITE_ONLY(); // the server's integer columns refuse such values when they are stored
    const QDate first(2024, 3, 1);
    const struct
    {
        int number;
        double rate;
        qint64 summe;
        const char *reason;
    } rows[] = {{1, 12.5, 600, nullptr},
                {2, 1e308, 600, "Stundensatz passt nicht"},
                {3, 1e20, 600, "Stundensatz passt nicht"},
                {4, -5.0, 600, "ungültiger Stundensatz -5"},
                {5, 12.5, 5000000000LL, "Summe passt nicht"},
                {6, std::numeric_limits<double>::infinity(), 600, "ungültiger Stundensatz inf"}};
    for (const auto &r : rows) {
        addPerson(r.number, QStringLiteral("Name%1").arg(r.number), QStringLiteral("V"), r.rate, 1);
        TempDataDir::exec(QStringLiteral("INSERT INTO auswert (PersonalNummer, Datum, Schicht, "
                                         "Soll, Summe, Anwesend) VALUES (?, ?, 1, 480, ?, ?)"),
                          {r.number, iso(first), r.summe, r.summe});
    }
    const ReportDocument doc = listOf(first);
    for (const auto &r : rows) {
        const BandRef row = rowOf(doc, QString::number(r.number));
        QVERIFY(row.isValid());
        const QString name = row.text(QStringLiteral("laName"));
        if (!r.reason) {
            QCOMPARE(row.text(QStringLiteral("laSumme")), QStringLiteral("10,00"));
            QVERIFY(!name.contains(QStringLiteral("ungültig")));
            continue;
        }
        QVERIFY2(name.contains(QStringLiteral("ungültig")), qPrintable(name));
        QVERIFY2(name.contains(QString::fromUtf8(r.reason)), qPrintable(name));
        // "inf" only where the name states the reason, never in a number column
        const QStringList withInf = row.texts().filter(QStringLiteral("inf"));
        QCOMPARE(withInf, name.contains(QStringLiteral("inf")) ? QStringList{name} : QStringList{});
        QCOMPARE(row.text(QStringLiteral("laSumme")), QString());
        QCOMPARE(row.text(QStringLiteral("BruttoLohn")), QString());
        QCOMPARE(row.text(QStringLiteral("laBrutto")), QString());
    }
    const BandRef sum = nthBand(doc, QStringLiteral("sumRow"));
    QCOMPARE(sum.text(QStringLiteral("laAnzPers")), QStringLiteral("6"));
    QCOMPARE(sum.text(QStringLiteral("laGesSumme")), QStringLiteral("10,00")); // employee 1 only
    QCOMPARE(sum.text(QStringLiteral("laGesBrutto")), QStringLiteral("125,00"));
}

QTEST_MAIN(TestGrossWageList)
#include "tst_grosswagelist.moc"
