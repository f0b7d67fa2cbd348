#include <QFontInfo>
#include <QTest>

#include "core/db/Table.h"
#include "core/reports/engine/Report.h"
#include "core/reports/engine/TableDataSource.h"
#include "core/reports/engine/TextMeasure.h"
#include "tests/support/DemoReport.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using tk::demo::DemoReport;

namespace {

constexpr double Eps = 1e-6;

const ReportItem *findText(const ReportPage &page, const QString &name, int from = 0)
{
    for (int i = from; i < page.items.size(); ++i) {
        const ReportItem &item = page.items.at(i);
        if (item.kind == ReportItem::Kind::Text && item.name == name)
            return &item;
    }
    return nullptr;
}

QVector<ReportItem> linesOf(const ReportPage &page, int bandIndex)
{
    QVector<ReportItem> lines;
    for (const ReportItem &item : page.itemsOf(bandIndex)) {
        if (item.kind == ReportItem::Kind::Line)
            lines.append(item);
    }
    return lines;
}

// The texts of element name over all pages, in printing order.
QStringList allTexts(const ReportDocument &doc, const QString &name)
{
    QStringList result;
    for (const ReportPage &page : doc.pages) {
        for (const ReportItem &item : page.items) {
            if (item.kind == ReportItem::Kind::Text && item.name == name)
                result.append(item.text);
        }
    }
    return result;
}

} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bandsFollowInOrderOnOnePage();
    void hooksSuppressReplaceAndSum();
    void subDetailHeaderAndFooterCanBeLeftOutWhenEmpty();
    void pageBreakRepeatsHeadersAndCountsPages();
    void bandThatFitsExactlyStaysOnThePage();
    void summaryMovesToANewPageWhenFull();
    void bandTallerThanAPageDoesNotLoop();
    void noDataGivesNoPage();
    void everyGenerationStartsFromZero();
    void textCellsAndFramesAreMeasuredInMillimetres();
    void landscapeWidensThePrintingArea();
    void walksATableAndItsLinkedTable();
};

// One page with two departments: every band kind in its place.
void TestReportLayout::bandsFollowInOrderOnOnePage()
{
    DemoReport demo;
    demo.addPerson(1, "Anna", "Lager", 500);
    demo.addPerson(2, "Bert", "Lager", -5); // suppressed row, its entries still print
    demo.addPerson(3, "Cleo", "Versand", 300);
    demo.addEntry(1, 420, 720);
    demo.addEntry(1, 750, 960);
    demo.addEntry(2, 480, 540);

    const ReportDocument doc = demo.report.generate();
    QCOMPARE(doc.pages.size(), 1);
    const QStringList expected = {"pageHeader",  "title",       "columns",   "columnsRule",
                                  "groupHeader", "row",         "overtime",  "entry",
                                  "entry",       "entryEnd",    "entry",     "entryEnd",
                                  "groupFooter", "groupHeader", "row",       "entryEnd",
                                  "groupFooter", "summary",     "pageFooter"};
    QCOMPARE(doc.pages[0].bandNames(), expected);

    const ReportPage &page = doc.pages[0];
    QCOMPARE(page.textOf(4, "laAbteilung"), QStringLiteral("Lager"));
    QCOMPARE(page.textOf(13, "laAbteilung"), QStringLiteral("Versand"));
    // the suppressed person's entry line follows the first person's block
    QCOMPARE(page.textOf(10, "laVon"), QStringLiteral("08:00"));
    QCOMPARE(page.textOf(10, "laBis"), QStringLiteral("09:00"));
}

void TestReportLayout::hooksSuppressReplaceAndSum()
{
    DemoReport demo;
    demo.addPerson(1, "", "Lager", 500); // no name: the on-print hook fills in a text
    demo.addPerson(2, "Bert", "Lager", -5);
    demo.addPerson(3, "Cleo", "Versand", 300);
    const ReportPage page = demo.report.generate().pages.value(0);

    QCOMPARE(page.textOf(page.indexOf("row"), "laName"), QStringLiteral("(ohne Name)"));
    // the suppressed row left nothing on the page, and its child did not print either
    QCOMPARE(page.bandNames().count("row"), 2);
    QCOMPARE(page.bandNames().count("overtime"), 1);
    QVERIFY(!page.texts().contains(QStringLiteral("Bert")));
    // formatter: minutes as decimal hours with the German decimal comma
    QCOMPARE(page.textOf(page.indexOf("row"), "laStunden"), QStringLiteral("8,33"));

    // the group footer prints the sum of its own group only, set by its before-print hook
    const int firstFooter = page.indexOf("groupFooter");
    QCOMPARE(page.textOf(firstFooter, "laGruppe"), QStringLiteral("8,33"));
    QCOMPARE(page.textOf(page.indexOf("groupFooter", firstFooter + 1), "laGruppe"),
             QStringLiteral("5,00"));

    const int summary = page.indexOf("summary");
    QCOMPARE(page.textOf(summary, "laAnzahl"), QStringLiteral("2"));
    QCOMPARE(page.textOf(summary, "laSumme"), QStringLiteral("13,33"));
    QCOMPARE(page.textOf(0, "laTitel"), QStringLiteral("Demo-Liste"));
    QCOMPARE(page.textOf(0, "laDatum"), QStringLiteral("Datum: 05.03.2024"));
}

void TestReportLayout::subDetailHeaderAndFooterCanBeLeftOutWhenEmpty()
{
    DemoReport demo;
    demo.addPerson(1, "Anna", "Lager", 100);
    demo.addPerson(2, "Bert", "Lager", 200);
    demo.addEntry(2, 480, 540);
    demo.report.subDetails().front()->setHeaderAndFooterWhenEmpty(false);
    const QStringList names = demo.report.generate().pages.value(0).bandNames();
    QCOMPARE(names.mid(4, 5), (QStringList{"groupHeader", "row", "row", "entry", "entryEnd"}));
}

void TestReportLayout::pageBreakRepeatsHeadersAndCountsPages()
{
    DemoReport demo;
    demo.fill(40);
    const ReportDocument doc = demo.report.generate();
    QVERIFY(doc.pages.size() >= 3);

    const double footerTop = 277.0 - 6.0;
    for (int pageIndex = 0; pageIndex < doc.pages.size(); ++pageIndex) {
        const ReportPage &page = doc.pages[pageIndex];
        const int n = page.number;
        QCOMPARE(n, pageIndex + 1);
        const QStringList names = page.bandNames();
        const QStringList head = n == 1
            ? QStringList{"pageHeader", "title", "columns", "columnsRule"}
            : QStringList{"pageHeader", "columns", "columnsRule"};
        QCOMPARE(names.mid(0, head.size()), head);
        QCOMPARE(names.last(), QStringLiteral("pageFooter"));
        QCOMPARE(page.textOf(0, "laSeite"), QStringLiteral("Seite: %1").arg(n));
        QCOMPARE(page.textOf(names.size() - 1, "laFussSeite"), QStringLiteral("Seite %1").arg(n));

        QVERIFY(qAbs(page.bands.last().top - footerTop) < Eps);
        // the body starts under the headers and never runs into the page footer
        QCOMPARE(page.bands[head.size()].top, n == 1 ? 23.5 : 17.5);
        for (int i = 0; i + 1 < page.bands.size(); ++i) {
            const PlacedBand &b = page.bands[i];
            QVERIFY2(b.top + b.height <= footerTop + Eps, qPrintable(b.name));
            if (i > 0)
                QVERIFY(qAbs(b.top - (page.bands[i - 1].top + page.bands[i - 1].height)) < Eps);
        }
    }
    QCOMPARE(allTexts(doc, "laHinweis").size(), 1);
    QCOMPARE(allTexts(doc, "laAnzahl"), QStringList{"40"});
    QCOMPARE(doc.pages.last().bandNames().count("summary"), 1);

    // every person once, in order, across the pages
    QStringList expected;
    for (int i = 1; i <= 40; ++i)
        expected << QString::number(i);
    QCOMPARE(allTexts(doc, "laNr"), expected);
}

void TestReportLayout::bandThatFitsExactlyStaysOnThePage()
{
    MemoryDataSource rows({"Nr"});
    rows.addRow({1});
    rows.addRow({2});
    Report report("Test", &rows);
    report.addBand(BandKind::PageHeader, "head", 10);
    report.addBand(BandKind::Detail, "row", 133.5); // 10 + 2 * 133.5 = 277
    const ReportDocument doc = report.generate();
    QCOMPARE(doc.pages.size(), 1);
    QCOMPARE(doc.pages[0].bandNames(), (QStringList{"head", "row", "row"}));
}

void TestReportLayout::summaryMovesToANewPageWhenFull()
{
    MemoryDataSource rows({"Nr"});
    rows.addRow({1});
    rows.addRow({2});
    Report report("Test", &rows);
    report.addBand(BandKind::PageHeader, "head", 10);
    report.addBand(BandKind::Title, "title", 5);
    report.addBand(BandKind::ColumnHeader, "columns", 5);
    report.addBand(BandKind::Detail, "row", 100);
    report.addBand(BandKind::Summary, "summary", 60);
    report.addBand(BandKind::PageFooter, "foot", 5);
    const ReportDocument doc = report.generate();
    QCOMPARE(doc.pages.size(), 2);
    QCOMPARE(doc.pages[0].bandNames(),
             (QStringList{"head", "title", "columns", "row", "row", "foot"}));
    QCOMPARE(doc.pages[1].bandNames(), (QStringList{"head", "columns", "summary", "foot"}));
    QCOMPARE(doc.pages[1].bands[2].top, 15.0);
}

void TestReportLayout::bandTallerThanAPageDoesNotLoop()
{
    MemoryDataSource rows({"Nr"});
    rows.addRow({1});
    rows.addRow({2});
    Report report("Test", &rows);
    report.addBand(BandKind::PageHeader, "head", 10);
    report.addBand(BandKind::Detail, "row", 300);
    const ReportDocument doc = report.generate();
    QCOMPARE(doc.pages.size(), 2);
    for (const ReportPage &page : doc.pages)
        QCOMPARE(page.bandNames(), (QStringList{"head", "row"}));
}

void TestReportLayout::noDataGivesNoPage()
{
    DemoReport demo;
    QVERIFY(demo.report.generate().pages.isEmpty());
    QCOMPARE(demo.generations, 1);

    // linked rows of a master that is not there print nothing either
    demo.addEntry(7, 480, 540);
    QVERIFY(demo.report.generate().pages.isEmpty());
}

void TestReportLayout::everyGenerationStartsFromZero()
{
    DemoReport demo;
    demo.fill(5);
    const ReportDocument first = demo.report.generate();
    const ReportDocument second = demo.report.generate();
    QCOMPARE(demo.generations, 2);
    QCOMPARE(allTexts(second, "laSumme"), allTexts(first, "laSumme"));
    QCOMPARE(allTexts(second, "laAnzahl"), QStringList{"5"});
    QCOMPARE(allTexts(second, "laGruppe"), allTexts(first, "laGruppe"));
}

void TestReportLayout::textCellsAndFramesAreMeasuredInMillimetres()
{
    DemoReport demo;
    demo.addPerson(1, "Anna", "Lager", 100);
    demo.addEntry(1, 480, 540);
    const ReportPage page = demo.report.generate().pages.value(0);

    // fixed cell, right-aligned, cut at its edge
    const ReportItem *nr = findText(page, "laNr");
    QVERIFY(nr);
    QCOMPARE(nr->rect.left(), 0.0);
    QCOMPARE(nr->rect.width(), 15.0);
    QVERIFY(nr->clip);
    QCOMPARE(nr->alignment, int(Qt::AlignRight));

    // a cell as wide as its text: "Name" in Arial 10 pt is 2.667 em = 9.41 mm
    const ReportItem *caption = findText(page, "capName");
    QVERIFY(caption);
    // (needs Arial or the metric-compatible Liberation Sans of fonts-liberation)
    QVERIFY2(qAbs(caption->rect.width() - 9.41) < 0.3,
             qPrintable(QStringLiteral("%1 mm in %2")
                            .arg(caption->rect.width())
                            .arg(QFontInfo(toQFont(caption->font)).family())));
    QVERIFY(!caption->clip);
    // one line of 10 pt text is about 4 mm high (11.5 pt)
    QVERIFY2(caption->rect.height() > 3.6 && caption->rect.height() < 4.4,
             qPrintable(QString::number(caption->rect.height())));
    QCOMPARE(caption->rect.top(), page.bands[page.indexOf("columns")].top + 0.8);

    // right edge of the printing area, fonts as set
    const ReportItem *date = findText(page, "laDatum");
    QCOMPARE(date->rect.right(), 190.0);
    QCOMPARE(date->alignment, int(Qt::AlignRight));
    QCOMPARE(findText(page, "laTitel")->font, (ReportFont{"Arial", 12, true}));
    QCOMPARE(findText(page, "laVon")->font, (ReportFont{"Arial", 8, false}));
    QCOMPARE(findText(page, "laSumme")->font, (ReportFont{"Arial", 10, true}));

    // frames: thin, thick (double thickness), double (two rules) and dashed, across the area
    const int columns = page.indexOf("columns");
    const QVector<ReportItem> top = linesOf(page, columns);
    QCOMPARE(top.size(), 1);
    QCOMPARE(top[0].line, QLineF(0, page.bands[columns].top, 190, page.bands[columns].top));
    QCOMPARE(top[0].lineStyle, LineStyle::Solid);
    const QVector<ReportItem> thick = linesOf(page, page.indexOf("columnsRule"));
    QCOMPARE(thick.size(), 1);
    QCOMPARE(thick[0].lineWidth, 2 * top[0].lineWidth);
    const int groupFooter = page.indexOf("groupFooter");
    const QVector<ReportItem> twin = linesOf(page, groupFooter);
    QCOMPARE(twin.size(), 2);
    QCOMPARE(twin[0].line.y1(), page.bands[groupFooter].top);
    QVERIFY(twin[1].line.y1() > twin[0].line.y1());
    QVERIFY(twin[1].line.y1() < page.bands[groupFooter].top + 6);
    QCOMPARE(linesOf(page, page.indexOf("entryEnd")).value(0).lineStyle, LineStyle::Dashed);
    const int summary = page.indexOf("summary");
    const QVector<ReportItem> rules = linesOf(page, summary);
    QCOMPARE(rules.size(), 2);
    QCOMPARE(rules[1].line.y1(), page.bands[summary].top + 7);

    // band background
    const int groupHeader = page.indexOf("groupHeader");
    const ReportItem fill = page.itemsOf(groupHeader).value(0);
    QCOMPARE(fill.kind, ReportItem::Kind::Fill);
    QCOMPARE(fill.rect, QRectF(0, page.bands[groupHeader].top, 190, 6));
    QCOMPARE(fill.color, QColor(Qt::lightGray));
}

void TestReportLayout::landscapeWidensThePrintingArea()
{
    DemoReport demo;
    demo.report.setLandscape(true);
    demo.addPerson(1, "Anna", "Lager", 100);
    const ReportDocument doc = demo.report.generate();
    QCOMPARE(doc.paperSize, QSizeF(297, 210));
    const ReportPage &page = doc.pages[0];
    QCOMPARE(findText(page, "laDatum")->rect.right(), 277.0);
    QCOMPARE(page.bands.last().top, 190.0 - 6.0);
    QCOMPARE(linesOf(page, page.indexOf("columns"))[0].line.x2(), 277.0);
}

void TestReportLayout::walksATableAndItsLinkedTable()
{
    tk::test::TempDataDir dir;
    QVERIFY(dir.isValid());
    tk::test::TempDataDir::exec("INSERT INTO Schicht (Schichtplan, Bezeichnung) VALUES (2, "
                                "'Spät'), (1, 'Früh'), (3, 'Nacht')");
    tk::test::TempDataDir::exec("INSERT INTO Tagplan (Schichtplan, Tagesplan, Bezeichnung) VALUES "
                                "(1, 2, 'Di'), (1, 1, 'Mo'), (2, 1, 'Mo')");
    Table plans("Schicht", "Schichtplan");
    Table days("Tagplan", "Schichtplan;Tagesplan");
    plans.open();
    days.setMaster(&plans, {"Schichtplan"}, {"Schichtplan"});
    days.open();
    TableDataSource planSource(plans);
    TableDataSource daySource(days);

    Report report("Schichten", &planSource);
    report.addBand(BandKind::Detail, "plan", 6).addField("laPlan", 0, 0, "Bezeichnung");
    report.addSubDetail("day", &daySource, 5).band().addField("laTag", 20, 0, "Bezeichnung");
    const ReportPage page = report.generate().pages.value(0);
    QCOMPARE(page.bandNames(), (QStringList{"plan", "day", "day", "plan", "day", "plan"}));
    QCOMPARE(page.texts(), (QStringList{"Früh", "Mo", "Di", "Spät", "Mo", "Nacht"}));

    // an empty table gives no page
    tk::test::TempDataDir::exec("DELETE FROM Schicht");
    plans.refresh();
    QVERIFY(report.generate().pages.isEmpty());

    // dates come from the table as ISO text and print in the short date form
    tk::test::TempDataDir::exec("INSERT INTO Personal (PersonalNummer, Geburtsdatum, BruttoLohn) "
                                "VALUES (1, '1980-03-05', 12.5), (2, NULL, NULL)");
    Table people("Personal", "PersonalNummer");
    people.open();
    TableDataSource personSource(people);
    Report list("Personal", &personSource);
    ReportBand &row = list.addBand(BandKind::Detail, "person", 5);
    row.addField("laGeboren", 0, 0, "Geburtsdatum").setFormatter(dateFieldText);
    row.addField("laLohn", 40, 0, "BruttoLohn");
    const ReportPage people1 = list.generate().pages.value(0);
    QCOMPARE(people1.textOf(0, "laGeboren"), QStringLiteral("05.03.1980"));
    QCOMPARE(people1.textOf(0, "laLohn"), QStringLiteral("12,5"));
    QCOMPARE(people1.textOf(1, "laGeboren"), QString());
    QCOMPARE(people1.textOf(1, "laLohn"), QString());
}

QTEST_MAIN(TestReportLayout)
#include "tst_reportlayout.moc"
