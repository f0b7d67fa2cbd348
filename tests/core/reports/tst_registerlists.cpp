#include <QTest>

#include "core/reports/lists/PersonnelList.h"
#include "core/reports/lists/ShiftPlanList.h"
#include "tests/support/ListTestKit.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

void addPlan(int plan, const QString &designation)
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Schicht (Schichtplan, Bezeichnung) VALUES (?, ?)"),
        {plan, designation});
}

// Von, Bis, PauseVon1, PauseBis1 and Sollstd of a day plan; everything else empty.
void addDayPlan(int plan, int day, const QString &label, const QVariantList &times,
                const QVariant &ueberstd1 = {})
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Tagplan (Schichtplan, Tagesplan, Bezeichnung, Von, Bis, "
                       "PauseVon1, PauseBis1, Sollstd, Ueberstd1) VALUES (?, ?, ?, ?, ?, ?, ?, "
                       "?, ?)"),
        {plan, day, label, times.value(0), times.value(1), times.value(2), times.value(3),
         times.value(4), ueberstd1});
}

void addFullEmployee(int n, const QVariant &leaving)
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Personal (PersonalNummer, Name, Vorname, Strasse, Plz, Ort, "
                       "Telefon1, Telefon2, Geburtsdatum, EintrittsDatum, AustrittsDatum, "
                       "BruttoLohn, AuswertBegin) VALUES (?, 'Berger', 'Anna', 'Hauptstraße 1', "
                       "'10115', 'Berlin', '030 1234', '0170 99', '1980-04-12', '2010-01-01', ?, "
                       "12.5, 1)"),
        {n, leaving});
}

template <typename List>
ReportDocument listDocument()
{
    List list;
    list.report().setPrintDate(QDate(2024, 6, 3));
    return list.generate();
}

} // namespace

class TestRegisterLists : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void shiftPlanRowsAndDayPlanBlocks();
    void dayPlanTimesAsClockText();
    void planWithoutDayPlansHasNoBlock();
    void secondShiftPlanPageHasThePageHeaderOnly();
    void noShiftPlansNoPage();

    void personnelBlockLines();
    void personnelListRepeatsItsHeadersAndListsLeavers();
    void noEmployeesNoPage();

private:
    std::unique_ptr<TempDataDir> m_dir;
};

void TestRegisterLists::init()
{
    m_dir = std::make_unique<TempDataDir>();
}

void TestRegisterLists::cleanup()
{
    m_dir.reset();
}

void TestRegisterLists::shiftPlanRowsAndDayPlanBlocks()
{
    addPlan(2, QStringLiteral("Spät"));
    addPlan(1, QStringLiteral("Früh"));
    addDayPlan(1, 2, QStringLiteral("Di"), {360, 840});
    addDayPlan(1, 1, QStringLiteral("Mo"), {360, 840});
    addDayPlan(2, 1, QStringLiteral("Mo"), {840, 1320});
    const ReportDocument doc = listDocument<TReportSchi01>();
    QCOMPARE(doc.title, QStringLiteral("Schichtplan Liste"));
    QCOMPARE(bandSequence(doc),
             QStringList({"pageHeader", "columnCaptions", "planRow", "dayPlanBlock", "dayPlanRule",
                          "dayPlanBlock", "dayPlanRule", "planRow", "dayPlanBlock", "dayPlanRule",
                          "pageFooter"}));
    const BandRef header = nthBand(doc, QStringLiteral("pageHeader"));
    QCOMPARE(header.text(QStringLiteral("laTitel")), QStringLiteral("Schichtplan Liste"));
    QCOMPARE(header.text(QStringLiteral("laDatum")), QStringLiteral("03.06.2024"));
    QCOMPARE(nthBand(doc, QStringLiteral("columnCaptions")).texts(),
             QStringList({"Schichtplan", "Bezeichnung"}));
    const BandRef plan = nthBand(doc, QStringLiteral("planRow"));
    QCOMPARE(plan.text(QStringLiteral("Schichtplan")), QStringLiteral("1"));
    QCOMPARE(plan.text(QStringLiteral("Bezeichnung")), QStringLiteral("Früh"));
    QCOMPARE(plan.page->itemsOf(plan.index).first().kind, ReportItem::Kind::Fill);
    QCOMPARE(plan.page->bands.at(plan.index).height, 5.8);
    // day plans in the order of their key
    QCOMPARE(nthBand(doc, QStringLiteral("dayPlanBlock")).text(QStringLiteral("Tag")),
             QStringLiteral("Mo"));
    QCOMPARE(nthBand(doc, QStringLiteral("dayPlanBlock"), 1).text(QStringLiteral("Tag")),
             QStringLiteral("Di"));
    QCOMPARE(nthBand(doc, QStringLiteral("dayPlanBlock"), 2).text(QStringLiteral("Von")),
             QStringLiteral("14:00"));
    QCOMPARE(nthBand(doc, QStringLiteral("pageFooter")).text(QStringLiteral("laSeite")),
             QStringLiteral("Seite 1"));
}

void TestRegisterLists::dayPlanTimesAsClockText()
{
    addPlan(1, QStringLiteral("Früh"));
    addDayPlan(1, 1, QStringLiteral("Mo"), {360, 840, 540, 555, 450}, 1500);
    const ReportDocument doc = listDocument<TReportSchi01>();
    const BandRef block = nthBand(doc, QStringLiteral("dayPlanBlock"));
    QCOMPARE(block.text(QStringLiteral("Von")), QStringLiteral("06:00"));
    QCOMPARE(block.text(QStringLiteral("Bis")), QStringLiteral("14:00"));
    QCOMPARE(block.text(QStringLiteral("Sollstd")), QStringLiteral("07:30"));
    QCOMPARE(block.text(QStringLiteral("PauseVon1")), QStringLiteral("09:00"));
    QCOMPARE(block.text(QStringLiteral("PauseBis1")), QStringLiteral("09:15"));
    QCOMPARE(block.text(QStringLiteral("Ueberstd1")), QStringLiteral("25:00")); // no day folding
    // only one break: the other two print with 00:00
    for (const char *empty : {"PauseVon2", "PauseBis2", "PauseVon3", "PauseBis3", "Ueberstd3"})
        QCOMPARE(block.text(QLatin1String(empty)), QStringLiteral("00:00"));
    QCOMPARE(block.text(QStringLiteral("laPause3")), QStringLiteral("Pause 3:"));
    QCOMPARE(block.text(QStringLiteral("laUeberstd2")), QStringLiteral("Überstd. 2:"));
    for (const ReportItem &item : block.page->itemsOf(block.index)) {
        if (item.name == QLatin1String("PauseVon3")) {
            QCOMPARE(item.rect.left(), 87.8);
            QCOMPARE(item.rect.top() - block.page->bands.at(block.index).top, 9.5);
            QCOMPARE(item.rect.width(), 10.8);
            QCOMPARE(item.alignment, int(Qt::AlignHCenter));
            QCOMPARE(item.font.pointSize, 8.0);
        }
        if (item.name == QLatin1String("Tag")) {
            QVERIFY(item.font.bold);
            QVERIFY(item.clip);
        }
    }
}

void TestRegisterLists::planWithoutDayPlansHasNoBlock()
{
    addPlan(1, QStringLiteral("Leer"));
    addPlan(2, QStringLiteral("Früh"));
    addDayPlan(2, 1, QStringLiteral("Mo"), {360, 840});
    const ReportDocument doc = listDocument<TReportSchi01>();
    QCOMPARE(bandSequence(doc).mid(2, 3), QStringList({"planRow", "planRow", "dayPlanBlock"}));
}

void TestRegisterLists::secondShiftPlanPageHasThePageHeaderOnly()
{
    for (int plan = 1; plan <= 3; ++plan) {
        addPlan(plan, QStringLiteral("Plan %1").arg(plan));
        for (int day = 1; day <= 8; ++day)
            addDayPlan(plan, day, QStringLiteral("T%1").arg(day), {360, 840});
    }
    const ReportDocument doc = listDocument<TReportSchi01>();
    QVERIFY(doc.pages.size() >= 2);
    QCOMPARE(doc.pages.at(1).bandNames().first(), QStringLiteral("pageHeader"));
    QVERIFY(!doc.pages.at(1).bandNames().contains(QStringLiteral("columnCaptions")));
    QCOMPARE(doc.pages.at(1).bandNames().last(), QStringLiteral("pageFooter"));
    const BandRef footer = nthBand(doc, QStringLiteral("pageFooter"), 1);
    QCOMPARE(footer.text(QStringLiteral("laSeite")), QStringLiteral("Seite 2"));
    QCOMPARE(countBands(doc, QStringLiteral("dayPlanBlock")), 24);
}

void TestRegisterLists::noShiftPlansNoPage()
{
    QVERIFY(listDocument<TReportSchi01>().pages.isEmpty());
}

void TestRegisterLists::personnelBlockLines()
{
    addFullEmployee(4, QVariant());
    const ReportDocument doc = listDocument<TReportPers01>();
    QCOMPARE(doc.title, QStringLiteral("Personal Liste"));
    QCOMPARE(bandSequence(doc),
             QStringList({"pageHeader", "columnHeader", "columnRule", "employeeBlock",
                          "employeeRule", "pageFooter"}));
    const BandRef block = nthBand(doc, QStringLiteral("employeeBlock"));
    QCOMPARE(block.text(QStringLiteral("PersonalNummer")), QStringLiteral("4"));
    QCOMPARE(block.text(QStringLiteral("Name")), QStringLiteral("Berger"));
    QCOMPARE(block.text(QStringLiteral("Vorname")), QStringLiteral("Anna"));
    QCOMPARE(block.text(QStringLiteral("Plz")), QStringLiteral("10115"));
    QCOMPARE(block.text(QStringLiteral("Ort")), QStringLiteral("Berlin"));
    QCOMPARE(block.text(QStringLiteral("Strasse")), QStringLiteral("Hauptstraße 1"));
    QCOMPARE(block.text(QStringLiteral("Telefon2")), QStringLiteral("0170 99"));
    QCOMPARE(block.text(QStringLiteral("Geburtsdatum")), QStringLiteral("12.04.1980"));
    QCOMPARE(block.text(QStringLiteral("EintrittsDatum")), QStringLiteral("01.01.2010"));
    QCOMPARE(block.text(QStringLiteral("AustrittsDatum")), QString()); // no leaving date
    QCOMPARE(block.text(QStringLiteral("BruttoLohn")),
             QStringLiteral("12,5")); // the field's own text
    for (const ReportItem &item : block.page->itemsOf(block.index)) {
        const double top = item.rect.top() - block.page->bands.at(block.index).top;
        if (item.name == QLatin1String("AustrittsDatum"))
            QCOMPARE(top, 10.6);
        if (item.name == QLatin1String("PersonalNummer")) {
            QVERIFY(item.font.bold);
            QCOMPARE(item.rect.width(), 14.0);
        }
    }
    const BandRef rule = nthBand(doc, QStringLiteral("employeeRule"));
    QCOMPARE(rule.page->itemsOf(rule.index).first().lineStyle, LineStyle::Dashed);
    const BandRef columnRule = nthBand(doc, QStringLiteral("columnRule"));
    const ReportItem thick = columnRule.page->itemsOf(columnRule.index).first();
    QCOMPARE(thick.lineWidth,
             2 * nthBand(doc, QStringLiteral("columnHeader")).page->itemsOf(1).last().lineWidth);
    QCOMPARE(nthBand(doc, QStringLiteral("pageFooter")).text(QStringLiteral("laSeite")),
             QStringLiteral("Seite: 1"));
    QCOMPARE(nthBand(doc, QStringLiteral("pageHeader")).text(QStringLiteral("laTitel")),
             QStringLiteral("Personal Liste"));
}

void TestRegisterLists::personnelListRepeatsItsHeadersAndListsLeavers()
{
    for (int n = 1; n <= 20; ++n)
        addFullEmployee(n, n == 5 ? QVariant(QStringLiteral("2023-06-30")) : QVariant());
    const ReportDocument doc = listDocument<TReportPers01>();
    QCOMPARE(doc.pages.size(), 2);
    QCOMPARE(doc.pages.at(1).bandNames().mid(0, 3),
             QStringList({"pageHeader", "columnHeader", "columnRule"}));
    QCOMPARE(countBands(doc, QStringLiteral("employeeBlock")), 20);
    QCOMPARE(
        nthBand(doc, QStringLiteral("employeeBlock"), 4).text(QStringLiteral("AustrittsDatum")),
        QStringLiteral("30.06.2023"));
    QCOMPARE(nthBand(doc, QStringLiteral("pageFooter"), 1).text(QStringLiteral("laSeite")),
             QStringLiteral("Seite: 2"));
}

void TestRegisterLists::noEmployeesNoPage()
{
    QVERIFY(listDocument<TReportPers01>().pages.isEmpty());
}

QTEST_MAIN(TestRegisterLists)
#include "tst_registerlists.moc"
