#include <QApplication>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "core/reports/engine/ReportRenderer.h"
#include "gui/reports/ReportPreview.h"
#include "tests/support/DemoReport.h"

using namespace tk;
using tk::demo::DemoReport;

namespace {

// Runs a poppler tool on a file and returns its standard output; empty when it fails.
QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList pdfPages(const QString &fileName)
{
    QStringList pages = poppler("pdftotext", {"-layout", fileName, "-"}).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Acts on the next modal dialog; a watchdog closes whatever is modal after the timeout so
// that a test fails instead of hanging.
class ModalAnswer : public QObject
{
public:
    explicit ModalAnswer(std::function<void(QWidget *)> act, int timeoutMs = 15000)
        : m_act(std::move(act))
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                m_poll.stop();
                m_answered = true;
                m_act(modal);
            }
        });
        m_poll.start(20);
        QTimer::singleShot(timeoutMs, this, [this] {
            if (m_answered)
                return;
            m_poll.stop();
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
    }
    bool answered() const { return m_answered; }

private:
    std::function<void(QWidget *)> m_act;
    QTimer m_poll;
    bool m_answered = false;
};

bool isDark(QRgb pixel)
{
    return qGray(pixel) < 100;
}

} // namespace

class TestReportRenderer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pdfReadsBackPageByPage();
    void noDataWritesNoFile();
    void unwritableFileGivesAGermanMessage();
    void oneJobKeepsEachDocumentsOrientation();
    void pageImageShowsFillsRulesAndText();
    void previewGeneratesOnEveryPaintAndSavesPdf();
    void cancellingThePrintDialogDoesNothing();
    void printsToAChosenPrinter();

private:
    QTemporaryDir m_dir;
};

void TestReportRenderer::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestReportRenderer::pdfReadsBackPageByPage()
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    DemoReport demo;
    demo.fill(40);
    const QString file = m_dir.filePath("demo.pdf");
    int pageCount = 0;
    QString message;
    QVERIFY2(writeReportPdf(demo.report, file, &message, &pageCount), qPrintable(message));
    QVERIFY(pageCount >= 3);

    const QStringList pages = pdfPages(file);
    QCOMPARE(pages.size(), pageCount);
    for (int i = 0; i < pages.size(); ++i) {
        const QString &page = pages[i];
        QVERIFY(page.contains("Demo-Liste"));
        QVERIFY(page.contains("Datum: 05.03.2024"));
        QVERIFY(page.contains(QStringLiteral("Seite: %1").arg(i + 1)));
        QVERIFY(page.contains(QRegularExpression(QStringLiteral("Seite %1\\s*$").arg(i + 1))));
        QCOMPARE(page.contains("Stunden je Mitarbeiter"), i == 0);
    }
    // the first row: number, name and hours in their columns; its entries below
    QVERIFY(pages[0].contains(QRegularExpression("\\n\\s*1\\s+Mitarbeiter 1\\s+6,68\\n")));
    QVERIFY(pages[0].contains(QRegularExpression("07:00\\s+12:00")));
    QVERIFY(pages[0].indexOf("Abteilung 1") < pages[0].indexOf("Mitarbeiter 1"));
    QVERIFY(pages.last().contains(QRegularExpression("40\\s+Summe\\s+[0-9]+,[0-9]{2}")));

    // right-aligned numbers end in the same column
    const QStringList lines = pages[0].split('\n');
    const auto endOf = [&](const QString &text) -> qsizetype {
        for (const QString &line : lines) {
            if (line.contains(text))
                return line.indexOf(text) + text.size();
        }
        return -1;
    };
    QVERIFY(endOf("6,68") > 0);
    QCOMPARE(endOf("6,85"), endOf("6,68")); // 411 and 401 minutes
}

void TestReportRenderer::noDataWritesNoFile()
{
    DemoReport demo;
    const QString file = m_dir.filePath("empty.pdf");
    int pageCount = -1;
    QVERIFY(writeReportPdf(demo.report, file, nullptr, &pageCount));
    QCOMPARE(pageCount, 0);
    QVERIFY(!QFile::exists(file));
}

void TestReportRenderer::unwritableFileGivesAGermanMessage()
{
    DemoReport demo;
    demo.fill(2);
    QString message;
    const QString file = m_dir.filePath("fehlt/demo.pdf");
    QVERIFY(!writeReportPdf(demo.report, file, &message));
    QCOMPARE(message, QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(file));
}

void TestReportRenderer::oneJobKeepsEachDocumentsOrientation()
{
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty())
        QSKIP("pdfinfo (poppler-utils) is not installed");
    DemoReport portrait;
    portrait.fill(2);
    DemoReport landscape;
    landscape.fill(2);
    landscape.report.setLandscape(true);
    const QString file = m_dir.filePath("job.pdf");
    QVERIFY(writePdf(
        {portrait.report.generate(), landscape.report.generate(), portrait.report.generate()},
        file));
    const QString info = poppler("pdfinfo", {"-f", "1", "-l", "3", file});
    QVERIFY(
        info.contains(QRegularExpression("Page\\s+1 size:\\s+595(\\.\\d+)? x 842(\\.\\d+)? pts")));
    QVERIFY(
        info.contains(QRegularExpression("Page\\s+2 size:\\s+842(\\.\\d+)? x 595(\\.\\d+)? pts")));
    QVERIFY(
        info.contains(QRegularExpression("Page\\s+3 size:\\s+595(\\.\\d+)? x 842(\\.\\d+)? pts")));
    // each document counts its own pages
    const QStringList pages = pdfPages(file);
    QCOMPARE(pages.size(), 3);
    for (const QString &page : pages)
        QVERIFY(page.contains("Seite: 1"));
}

void TestReportRenderer::pageImageShowsFillsRulesAndText()
{
    DemoReport demo;
    demo.addPerson(1, "Anna", "Lager", 100);
    const ReportDocument doc = demo.report.generate();
    const double dpi = 100;
    const QImage image = ReportRenderer(doc).pageImage(0, dpi);
    QCOMPARE(image.size(), QSize(827, 1169));
    const auto px = [&](double xMm, double yMm) {
        return image.pixel(qRound((xMm + doc.margin) * dpi / 25.4),
                           qRound((yMm + doc.margin) * dpi / 25.4));
    };
    const ReportPage &page = doc.pages[0];

    const PlacedBand &group = page.bands[page.indexOf("groupHeader")];
    QCOMPARE(QColor(px(150, group.top + 3)), QColor(Qt::lightGray));
    QCOMPARE(px(-5, -5), qRgb(255, 255, 255)); // the margin stays white

    const double ruleY = page.bands[page.indexOf("columns")].top;
    bool ruleSeen = false;
    for (double dy : {-0.3, 0.0, 0.3})
        ruleSeen = ruleSeen || isDark(px(150, ruleY + dy));
    QVERIFY(ruleSeen);
    QVERIFY(!isDark(px(150, ruleY + 2.5)));

    int dark = 0;
    const QRectF title = page.itemsOf(0).value(0).rect;
    for (double x = title.left(); x < title.right(); x += 0.25) {
        for (double y = title.top(); y < title.bottom(); y += 0.25)
            dark += isDark(px(x, y)) ? 1 : 0;
    }
    QVERIFY(dark > 20);
}

void TestReportRenderer::previewGeneratesOnEveryPaintAndSavesPdf()
{
    DemoReport demo;
    demo.fill(40);
    const int pageCount = int(demo.report.generate().pages.size());
    demo.generations = 0;

    ReportPreviewDialog dialog(demo.report);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Demo-Liste"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTRY_VERIFY(demo.generations >= 1);
    auto *widget = dialog.findChild<QPrintPreviewWidget *>();
    QVERIFY(widget);
    QCOMPARE(widget->pageCount(), pageCount);
    // Opens at the page's width, not fitted whole into the window.
    QCOMPARE(widget->zoomMode(), QPrintPreviewWidget::FitToWidth);
    auto *fitWidth = dialog.findChild<QAction *>(QStringLiteral("fitWidthAction"));
    QVERIFY(fitWidth && fitWidth->isChecked());

    const int before = demo.generations;
    widget->updatePreview();
    QCOMPARE(demo.generations, before + 1);
    QCOMPARE(demo.printedRows, 40); // counted from 0 again, not 80

    auto *toolBar = dialog.findChild<QToolBar *>();
    QVERIFY(toolBar && toolBar->actions().contains(dialog.pdfAction()));
    QCOMPARE(dialog.pdfAction()->text(), QStringLiteral("PDF"));
    const QString file = m_dir.filePath("preview.pdf");
    QVERIFY(dialog.savePdfTo(file));
    QVERIFY(QFileInfo(file).size() > 1000);
    dialog.reject();
}

void TestReportRenderer::cancellingThePrintDialogDoesNothing()
{
    DemoReport demo;
    demo.fill(3);
    QString dialogTitle;
    ModalAnswer answer([&](QWidget *modal) {
        dialogTitle = modal->windowTitle();
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    });
    QVERIFY(!printReport(demo.report, nullptr));
    QVERIFY(answer.answered());
    QCOMPARE(dialogTitle, QStringLiteral("Drucken"));
    QCOMPARE(demo.generations, 0);
}

void TestReportRenderer::printsToAChosenPrinter()
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    DemoReport demo;
    demo.fill(40);
    demo.report.setShowProgress(false);
    QPrinter printer(QPrinter::HighResolution);
    const QString file = m_dir.filePath("printer.pdf");
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    setUpPrinter(printer, demo.report);
    const int pages = printReport(demo.report, printer);
    QVERIFY(pages >= 3);
    QCOMPARE(printer.docName(), QStringLiteral("Demo-Liste"));
    const QStringList text = pdfPages(file);
    QCOMPARE(text.size(), pages);
    QVERIFY(text.last().contains(QStringLiteral("Seite: %1").arg(pages)));
}

QTEST_MAIN(TestReportRenderer)
#include "tst_reportrenderer.moc"
