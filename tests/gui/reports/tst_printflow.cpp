#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "core/db/Table.h"
#include "core/reports/engine/Report.h"
#include "gui/masterdata/FormPers.h"
#include "gui/masterdata/FormSchicht.h"
#include "gui/recording/FormAuswert.h"
#include "gui/reports/DlgPrintAbort.h"
#include "gui/reports/ListCommands.h"
#include "gui/reports/PrintMenu.h"
#include "tests/support/ListTestKit.h"
#include "tests/support/TempDataDir.h"

namespace tk::test {

// Answers the next message box (not any other modal window) with OK and keeps its text.
class MessageBoxWatch : public QObject
{
public:
    MessageBoxWatch()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(w);
                if (box && box->isVisible()) {
                    texts << box->text();
                    box->accept();
                }
            }
        });
        m_timer.start(20);
    }
    QStringList texts;

private:
    QTimer m_timer;
};

} // namespace tk::test

using namespace tk;
using namespace tk::test;

namespace {

void choose(TFormAuswert &form, int month, int year)
{
    form.edMonat->setCurrentIndex(month - 1);
    form.edJahr->setValue(year);
}

int currentEmployee(TFormAuswert &form)
{
    return form.tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger();
}

// The text of one page of a PDF file.
QString pdfPageText(const QString &file, int page)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                     QStringLiteral("-l"), QString::number(page), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(20000))
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

int pdfPageCount(const QString &file)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    info.waitForFinished(20000);
    for (const QString &line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return 0;
}

} // namespace

class TestPrintFlow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void menuHoldsTheListCommands();
    void previewCoversTheEvaluationPeriod();
    void previewOfAPeriodThatCannotBeFormed();
    void printRunCoversTheCalendarMonthOfEveryEmployee();
    void printRunEndsAtAnEmployeeWithoutPeriod();
    void abbrechenStopsAfterTheSheetBeingPrinted();
    void cancellingThePrintDialogDoesNothing();
    void emptyEmployeeTablePrintsNothing();
    void grossWageListInPreviewAndPrint();
    void printingDialog();
    void masterWindowsPreviewTheirLists();

private:
    // A window with its print commands answering into capturedTitles / the PDF file.
    std::unique_ptr<TFormAuswert> openForm(int month, int year);
    PrintMenu *commands(TFormAuswert &form);

    std::unique_ptr<TempDataDir> m_dir;
    // the window reports an employee table without a period (an empty one too) by itself
    std::unique_ptr<MessageBoxWatch> m_boxes;
    std::unique_ptr<QTemporaryDir> m_out;
    QString m_pdf;
    QVector<ReportDocument> m_previewed;
    int m_printDialogs = 0;
    bool m_acceptPrintDialog = true;
};

void TestPrintFlow::init()
{
    m_dir = std::make_unique<TempDataDir>();
    m_boxes = std::make_unique<MessageBoxWatch>();
    m_out = std::make_unique<QTemporaryDir>();
    m_pdf = m_out->filePath(QStringLiteral("run.pdf"));
    m_previewed.clear();
    m_printDialogs = 0;
    m_acceptPrintDialog = true;
}

void TestPrintFlow::cleanup()
{
    setListPreviewer(nullptr);
    m_boxes.reset();
    m_out.reset();
    m_dir.reset();
}

std::unique_ptr<TFormAuswert> TestPrintFlow::openForm(int month, int year)
{
    auto form = std::make_unique<TFormAuswert>();
    choose(*form, month, year);
    PrintMenu *print = commands(*form);
    print->setPreviewer([this](Report &report) { m_previewed.append(report.generate()); });
    print->setPrinterChooser([this](QPrinter &printer) {
        ++m_printDialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdf);
        return m_acceptPrintDialog;
    });
    return form;
}

PrintMenu *TestPrintFlow::commands(TFormAuswert &form)
{
    return form.findChild<PrintMenu *>();
}

void TestPrintFlow::menuHoldsTheListCommands()
{
    auto form = openForm(3, 2024);
    QStringList captions;
    QStringList names;
    for (QAction *action : form->mnuDrucken->actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        names << action->objectName();
    }
    QCOMPARE(
        captions,
        QStringList(
            {"Vorschau:  Akt. Personal-Monatsliste (Summen)",
             "Vorschau:  Akt. Personal-Monatsliste (Detail)", "Vorschau:  Auswertung Bruttolohn",
             "-", "Drucken:  Alle Personal-Monatsliste (Summen)",
             "Drucken:  Alle Personal-Monatsliste (Detail)", "Drucken:  Auswertung Bruttolohn", "-",
             "Vorschau:  Zeitkonto", "Vorschau:  Arbeitszeitprüfung", "Drucken:  Zeitkonto",
             "Drucken:  Arbeitszeitprüfung", "-", "Vorschau:  Akt. Änderungsprotokoll"}));
    QCOMPARE(names.at(0), QStringLiteral("mmiPVPersListeSum"));
    QCOMPARE(names.at(5), QStringLiteral("mmiPRPersListeDetail"));
    QCOMPARE(form->btnDrucken->menu(), form->mnuDrucken);
    form->mnuDrucken->grab().save(QDir::temp().filePath(QStringLiteral("lists-menu.png")));
}

// AuswertBegin 16 and November: 16 November to 15 December, headed "November 2023".
void TestPrintFlow::previewCoversTheEvaluationPeriod()
{
    addPerson(1, QStringLiteral("Mitte"), QStringLiteral("Bernd"), 12.5, 16);
    addPerson(2, QStringLiteral("Monat"), QStringLiteral("Anna"), 12.5, 1);
    auto form = openForm(11, 2023);
    QCOMPARE(currentEmployee(*form), 1);
    form->tblPersonal->next();
    form->tblPersonal->first();
    commands(*form)->mmiPVPersListeSum->trigger();
    QCOMPARE(m_previewed.size(), 1);
    const ReportDocument &summary = m_previewed.first();
    QCOMPARE(summary.title, QStringLiteral("Personal-Monatsliste (Summen)"));
    QCOMPARE(nthBand(summary, QStringLiteral("pageHeader")).text(QStringLiteral("laMonatText")),
             QStringLiteral("November 2023"));
    QCOMPARE(nthBand(summary, QStringLiteral("pageHeader")).text(QStringLiteral("laPersonal")),
             QStringLiteral("1 Mitte, Bernd"));
    QCOMPARE(countBands(summary, QStringLiteral("dayRow")), 30); // created by the selection
    QCOMPARE(nthBand(summary, QStringLiteral("dayRow")).text(QStringLiteral("Datum")),
             QStringLiteral("Do 16"));
    QCOMPARE(nthBand(summary, QStringLiteral("dayRow"), 29).text(QStringLiteral("Datum")),
             QStringLiteral("Fr 15"));
    QCOMPARE(bandSequence(summary).last(), QStringLiteral("totalRow"));

    form->tblPersonal->next();
    commands(*form)->mmiPVPersListeDetail->trigger();
    QCOMPARE(m_previewed.size(), 2);
    QCOMPARE(m_previewed.last().title, QStringLiteral("Personal-Monatsliste (Detail)"));
    QCOMPARE(nthBand(m_previewed.last(), QStringLiteral("pageHeader"))
                 .text(QStringLiteral("laPersonal")),
             QStringLiteral("2 Monat, Anna"));
    QCOMPARE(countBands(m_previewed.last(), QStringLiteral("weekRow")), 5);
}

void TestPrintFlow::previewOfAPeriodThatCannotBeFormed()
{
    addPerson(1, QStringLiteral("Falsch"), QStringLiteral("Fritz"), 12.5, 0);
    auto form = openForm(3, 2024);
    QVERIFY(!m_boxes->texts.isEmpty()); // the window's own selection reported it
    m_boxes->texts.clear();
    commands(*form)->mmiPVPersListeSum->trigger();
    QCOMPARE(m_boxes->texts, QStringList({"Ungültiges Argument zum Codieren des Datums"}));
    QVERIFY(m_previewed.isEmpty());
}

void TestPrintFlow::printRunCoversTheCalendarMonthOfEveryEmployee()
{
    addPerson(1, QStringLiteral("Mitte"), QStringLiteral("Bernd"), 12.5, 16);
    addPerson(2, QStringLiteral("Monat"), QStringLiteral("Anna"), 12.5, 1);
    // employee 1's first half of November comes from the selection of October
    for (QDate d(2023, 11, 1); d <= QDate(2023, 11, 15); d = d.addDays(1))
        addWorkedDay(1, d, 180);
    addWorkedDay(2, QDate(2023, 11, 2), 300);
    auto form = openForm(11, 2023);
    form->tblPersonal->last();
    QStringList printed;
    QStringList progress;
    connect(commands(*form), &PrintMenu::sheetPrinted, this, [&](const QString &caption) {
        printed << caption;
        progress << commands(*form)->printAbortDialog()->progressText();
    });
    commands(*form)->mmiPRPersListeSum->trigger();

    QCOMPARE(m_printDialogs, 1);
    QCOMPARE(printed, QStringList({"1 Mitte, Bernd", "2 Monat, Anna"}));
    QCOMPARE(progress, QStringList({"Drucke: Mitte, Bernd", "Drucke: Monat, Anna"}));
    QVERIFY(!commands(*form)->printAbortDialog());
    QCOMPARE(form->tblPersonal->currentRow(), 0); // back on the first employee
    QCOMPARE(currentEmployee(*form), 1);

    // each sheet on its own pages with its own days of the calendar month
    QCOMPARE(pdfPageCount(m_pdf), 2);
    const QString first = pdfPageText(m_pdf, 1);
    QVERIFY2(first.contains(QStringLiteral("1 Mitte, Bernd")), qPrintable(first));
    QVERIFY(first.contains(QStringLiteral("Mi 01")));
    QVERIFY(first.contains(QStringLiteral("Do 30")));
    QVERIFY(!first.contains(QStringLiteral("Fr 15"))); // no December day
    QVERIFY(first.contains(QStringLiteral("Seite: 1")));
    QVERIFY(first.contains(QStringLiteral("3,00")));
    const QString second = pdfPageText(m_pdf, 2);
    QVERIFY2(second.contains(QStringLiteral("2 Monat, Anna")), qPrintable(second));
    QVERIFY(second.contains(QStringLiteral("Seite: 1")));
    QVERIFY(second.contains(QStringLiteral("5,00")));
    QVERIFY(!second.contains(QStringLiteral("3,00")));
}

// An employee whose period cannot be formed ends the run with its message; no sheet shows
// another employee's days under its name.
void TestPrintFlow::printRunEndsAtAnEmployeeWithoutPeriod()
{
    addPerson(1, QStringLiteral("Erst"), QStringLiteral("Eva"), 12.5, 1);
    addPerson(2, QStringLiteral("Falsch"), QStringLiteral("Fritz"), 12.5, 0);
    addPerson(3, QStringLiteral("Dritt"), QStringLiteral("Dora"), 12.5, 1);
    addWorkedDay(1, QDate(2024, 3, 4), 300);
    auto form = openForm(3, 2024);
    QStringList printed;
    connect(commands(*form), &PrintMenu::sheetPrinted, this,
            [&](const QString &caption) { printed << caption; });
    m_boxes->texts.clear();
    commands(*form)->mmiPRPersListeDetail->trigger();

    QCOMPARE(printed, QStringList({"1 Erst, Eva"}));
    QCOMPARE(m_boxes->texts, QStringList({"Ungültiges Argument zum Codieren des Datums"}));
    QVERIFY(!commands(*form)->printAbortDialog());
    QCOMPARE(currentEmployee(*form), 2); // the employee the run stopped at
    QCOMPARE(pdfPageCount(m_pdf), 1);
    QVERIFY(!pdfPageText(m_pdf, 1).contains(QStringLiteral("Falsch")));
}

void TestPrintFlow::abbrechenStopsAfterTheSheetBeingPrinted()
{
    for (int n = 1; n <= 3; ++n)
        addPerson(n, QStringLiteral("Person %1").arg(n), QStringLiteral("X"), 12.5, 1);
    auto form = openForm(3, 2024);
    QStringList printed;
    connect(commands(*form), &PrintMenu::sheetPrinted, this, [&](const QString &caption) {
        printed << caption;
        if (printed.size() == 1)
            commands(*form)->printAbortDialog()->btnAbbrechen->click();
    });
    commands(*form)->mmiPRPersListeSum->trigger();
    QCOMPARE(printed, QStringList({"1 Person 1, X"}));
    QVERIFY(!commands(*form)->printAbortDialog());
    QCOMPARE(form->tblPersonal->currentRow(), 0);
}

void TestPrintFlow::cancellingThePrintDialogDoesNothing()
{
    addPerson(1, QStringLiteral("Erst"), QStringLiteral("Eva"), 12.5, 1);
    addPerson(2, QStringLiteral("Zweit"), QStringLiteral("Zora"), 12.5, 1);
    auto form = openForm(3, 2024);
    form->tblPersonal->last();
    m_acceptPrintDialog = false;
    int printed = 0;
    connect(commands(*form), &PrintMenu::sheetPrinted, this, [&] { ++printed; });
    commands(*form)->mmiPRPersListeSum->trigger();
    commands(*form)->mmiPRBruttolohn->trigger();
    QCOMPARE(m_printDialogs, 2);
    QCOMPARE(printed, 0);
    QCOMPARE(currentEmployee(*form), 2);
    QVERIFY(!QFile::exists(m_pdf));
}

void TestPrintFlow::emptyEmployeeTablePrintsNothing()
{
    auto form = openForm(3, 2024);
    int printed = 0;
    connect(commands(*form), &PrintMenu::sheetPrinted, this, [&] { ++printed; });
    m_boxes->texts.clear();
    commands(*form)->mmiPRPersListeDetail->trigger();
    QCOMPARE(m_boxes->texts, QStringList()); // no message either
    QCOMPARE(m_printDialogs, 1);
    QCOMPARE(printed, 0);
    QVERIFY(!commands(*form)->printAbortDialog());
    QVERIFY(!QFile::exists(m_pdf));
}

void TestPrintFlow::grossWageListInPreviewAndPrint()
{
    addPerson(1, QStringLiteral("Berger"), QStringLiteral("Anna"), 12.5, 16);
    addWorkedDay(1, QDate(2024, 2, 20), 480);
    addWorkedDay(1, QDate(2024, 3, 14), 480);
    addWorkedDay(1, QDate(2024, 3, 16), 480); // after the period
    auto form = openForm(2, 2024);
    commands(*form)->mmiPVBruttolohn->trigger();
    QCOMPARE(m_printDialogs, 0);
    QCOMPARE(m_previewed.size(), 1);
    QCOMPARE(m_previewed.first().title, QStringLiteral("Auswertung: Bruttolohn"));
    QCOMPARE(
        nthBand(m_previewed.first(), QStringLiteral("title")).text(QStringLiteral("laMonatText")),
        QStringLiteral("Februar 2024"));
    QCOMPARE(
        nthBand(m_previewed.first(), QStringLiteral("employeeRow")).text(QStringLiteral("laIst")),
        QStringLiteral("16,00")); // 16 Feb to 15 Mar 2024

    commands(*form)->mmiPRBruttolohn->trigger();
    QCOMPARE(m_printDialogs, 1);
    QCOMPARE(m_previewed.size(), 1);
    const QString text = pdfPageText(m_pdf, 1);
    QVERIFY2(text.contains(QStringLiteral("Bruttolohn")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("200,00")));
}

void TestPrintFlow::printingDialog()
{
    TDlgPrintAbort dialog;
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(dialog.size(), QSize(291, 93));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Drucke..."));
    QCOMPARE(dialog.progressText(), QStringLiteral("Drucke..."));
    QCOMPARE(dialog.paValue->alignment(), Qt::AlignCenter);
    QCOMPARE(dialog.btnAbbrechen->text(), QStringLiteral("Abbrechen"));
    QVERIFY(dialog.btnAbbrechen->font().bold());
    QVERIFY(!dialog.btnAbbrechen->icon().isNull());
    dialog.show();
    dialog.setProgressText(QStringLiteral("Drucke: Berger, Anna"));
    dialog.grab().save(QDir::temp().filePath(QStringLiteral("lists-dgprnabo.png")));
    QVERIFY(!dialog.cancelled());
    QTest::keyClick(&dialog, Qt::Key_Escape); // cancels like the button, the dialog stays
    QVERIFY(dialog.cancelled());
    QVERIFY(dialog.isVisible());
    TDlgPrintAbort second;
    second.btnAbbrechen->click();
    QVERIFY(second.cancelled());
}

void TestPrintFlow::masterWindowsPreviewTheirLists()
{
    addPerson(1, QStringLiteral("Berger"), QStringLiteral("Anna"), 12.5, 1);
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Schicht (Schichtplan, Bezeichnung) VALUES (1, 'Früh')"));
    QStringList titles;
    setListPreviewer([&](Report &report, QWidget *) {
        const ReportDocument doc = report.generate();
        titles << doc.title + QStringLiteral(":%1").arg(doc.pages.size());
    });

    TFormPers pers;
    pers.show();
    QVERIFY(QTest::qWaitForWindowActive(&pers));
    pers.findChild<QToolButton *>(QStringLiteral("btnPrint"))->click();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &pers, Qt::Key_P,
                    Qt::ControlModifier);
    QCOMPARE(titles, QStringList({"Personal Liste:1", "Personal Liste:1"}));
    pers.close();

    titles.clear();
    TFormSchicht schicht;
    schicht.show();
    QVERIFY(QTest::qWaitForWindowActive(&schicht));
    schicht.findChild<QToolButton *>(QStringLiteral("btnPrint"))->click();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &schicht, Qt::Key_P,
                    Qt::ControlModifier);
    QCOMPARE(titles, QStringList({"Schichtplan Liste:1", "Schichtplan Liste:1"}));
}

QTEST_MAIN(TestPrintFlow)
#include "tst_printflow.moc"
