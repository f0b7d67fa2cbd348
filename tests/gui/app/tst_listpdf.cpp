#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "core/reports/engine/ReportRenderer.h"
#include "core/reports/lists/GrossWageList.h"
#include "core/reports/lists/ListDocuments.h"
#include "core/reports/lists/MonthSheetDetail.h"
#include "core/reports/lists/MonthSheetSummary.h"
#include "core/reports/lists/PersonnelList.h"
#include "core/reports/lists/ShiftPlanList.h"
#include "tests/support/ListTestKit.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

QString pdfText(const QString &file)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(20000))
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// Two employees with a shift plan, a worked March 2024 and the first half of April.
void seedStaff()
{
    addExampleShiftPlan(1);
    addPerson(1, QStringLiteral("Berger"), QStringLiteral("Anna"), 12.5, 1, 1);
    addPerson(2, QStringLiteral("Czerny"), QStringLiteral("Bruno"), 14.75, 16, 1);
    TempDataDir::exec(QStringLiteral("UPDATE Personal SET Ort = 'Köln', Plz = '50667', "
                                     "Geburtsdatum = '1980-04-12' WHERE PersonalNummer = 1"));
    for (QDate d(2024, 3, 1); d <= QDate(2024, 3, 31); d = d.addDays(1)) {
        if (d.dayOfWeek() <= 5)
            addWorkedDay(1, d, 495);
        else
            addDay(1, d, DayMinutes{});
    }
    addTimeEntry(1, QDate(2024, 3, 4), 420, 960, QStringLiteral("N"));
    addWorkedDay(2, QDate(2024, 3, 20), 300);
}

struct CommandResult
{
    int code = -1;
    QString out;
    QString err;
};

CommandResult runCommand(const QStringList &arguments)
{
    CommandResult result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.code =
        runCommand(parseCommandLine(QStringList{QStringLiteral("taktora")} + arguments), out, err);
    out.flush();
    err.flush();
    return result;
}

} // namespace

class TestListPdf : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void everyListReadsBackFromItsPdf();
    void oneEmployeeOverTheEvaluationPeriod();
    void allEmployeesOverTheCalendarMonth();
    void registerListsNeedNoMonth();
    void errorsEndWithAMessage();
    void unwritableOutputChangesNothing();
    void outputIsReplacedOnlyWhenComplete();

private:
    QString outFile(const QString &name) const { return m_out->filePath(name); }

    std::unique_ptr<TempDataDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_out;
};

void TestListPdf::init()
{
    m_dir = std::make_unique<TempDataDir>();
    m_out = std::make_unique<QTemporaryDir>();
}

void TestListPdf::cleanup()
{
    m_out.reset();
    m_dir.reset();
}

// Each list painted into a PDF file shows its texts where pdftotext finds them.
void TestListPdf::everyListReadsBackFromItsPdf()
{
    seedStaff();
    QVector<ReportDocument> docs;
    {
        TReportAusw01 summary;
        summary.setKeyRange(1, QDate(2024, 3, 1), QDate(2024, 3, 31));
        summary.setEmployeeCaption(QStringLiteral("1 Berger, Anna"));
        summary.setPeriod(QDate(2024, 3, 1), QDate(2024, 3, 31));
        docs << summary.generate();
        TReportAusw02 detail;
        detail.setKeyRange(1, QDate(2024, 3, 1), QDate(2024, 3, 31));
        detail.setEmployeeCaption(QStringLiteral("1 Berger, Anna"));
        detail.setPeriod(QDate(2024, 3, 1), QDate(2024, 3, 31));
        docs << detail.generate();
        TReportAusw03 gross;
        gross.setMonth(QDate(2024, 3, 1));
        docs << gross.generate();
        docs << TReportSchi01().generate() << TReportPers01().generate();
    }
    const QStringList expected[] = {
        {"Personal-Monatsliste (Summen)", "März 2024", "1 Berger, Anna", "Summe Woche", "Gesamt",
         "173,25", "Seite: 1"},
        {"Personal-Monatsliste (Detail)", "Mo 04", "07:00", "16:00", "Normal", "Seite 1"},
        {"Auswertung: Bruttolohn", "(ohne Zuschläge)", "Berger, Anna", "173,25", "2.165,63",
         "Czerny, Bruno", "Summe"},
        {"Schichtplan Liste", "Frühschicht", "Arbeitszeit:", "07:00", "Überstd. 3:", "Seite 1"},
        {"Personal Liste", "Berger", "Köln", "12.04.1980", "12,5", "Seite: 1"}};
    for (int i = 0; i < docs.size(); ++i) {
        QVERIFY(!docs.at(i).pages.isEmpty());
        const QString file = outFile(QStringLiteral("list%1.pdf").arg(i));
        QString message;
        QVERIFY2(writePdf({docs.at(i)}, file, &message), qPrintable(message));
        const QString text = pdfText(file);
        for (const QString &part : expected[i])
            QVERIFY2(text.contains(part),
                     qPrintable(part + QStringLiteral(" missing in:\n") + text));
    }
}

void TestListPdf::oneEmployeeOverTheEvaluationPeriod()
{
    seedStaff();
    const QString file = outFile(QStringLiteral("one.pdf"));
    const CommandResult result =
        runCommand({"--data-dir", m_dir->path(), "--pdf", "summen", "--month", "2024-03",
                    "--employee", "2", "--output", file});
    QCOMPARE(result.code, int(ExitOk));
    QVERIFY(result.out.contains(QStringLiteral("1 Seite(n)")));
    const QString text = pdfText(file);
    QVERIFY(text.contains(QStringLiteral("2 Czerny, Bruno")));
    QVERIFY(text.contains(QStringLiteral("Sa 16"))); // 16 March ...
    QVERIFY(text.contains(QStringLiteral("Mo 15"))); // ... to 15 April
    QVERIFY(text.contains(QStringLiteral("5,00")));
    // the missing day records of the period were created as the window's selection does
    QCOMPARE(countDayRecords(2, QDate(2024, 3, 16), QDate(2024, 4, 15)), 31);
    QCOMPARE(countDayRecords(1), 31); // nobody else's
}

void TestListPdf::allEmployeesOverTheCalendarMonth()
{
    seedStaff();
    const QString file = outFile(QStringLiteral("all.pdf"));
    const CommandResult result = runCommand(
        {"--data-dir", m_dir->path(), "--pdf=detail", "--month=2024-03", "--output", file});
    QCOMPARE(result.code, int(ExitOk));
    const QString text = pdfText(file);
    QVERIFY(text.contains(QStringLiteral("1 Berger, Anna")));
    QVERIFY(text.contains(QStringLiteral("2 Czerny, Bruno")));
    QCOMPARE(text.count(QStringLiteral("Seite 1")), 2); // each sheet counts its own pages
    QCOMPARE(text.count(QStringLiteral("Seite 2")), 0);
    // employee 2's sheet covers 1 to 31 March, where only its own selection created days
    QCOMPARE(countDayRecords(2, QDate(2024, 3, 16), QDate(2024, 4, 15)), 31);
    QCOMPARE(countDayRecords(1, QDate(2024, 3, 1), QDate(2024, 3, 31)), 31);
}

void TestListPdf::registerListsNeedNoMonth()
{
    seedStaff();
    const QString file = outFile(QStringLiteral("plans.pdf"));
    CommandResult result =
        runCommand({"--data-dir", m_dir->path(), "--pdf", "schichtplan", "--output", file});
    QCOMPARE(result.code, int(ExitOk));
    QVERIFY(pdfText(file).contains(QStringLiteral("Schichtplan Liste")));
    result = runCommand({"--data-dir", m_dir->path(), "--pdf", "bruttolohn", "--month", "2024-03",
                         "--output", outFile(QStringLiteral("gross.pdf"))});
    QCOMPARE(result.code, int(ExitOk));
}

void TestListPdf::errorsEndWithAMessage()
{
    seedStaff();
    const QString file = outFile(QStringLiteral("x.pdf"));
    CommandResult result = runCommand({"--data-dir", m_dir->path(), "--pdf", "summen", "--month",
                                       "2024-03", "--employee", "9", "--output", file});
    QCOMPARE(result.code, int(ExitFailed));
    QVERIFY2(result.err.contains(QStringLiteral("Personal-Nr. 9")), qPrintable(result.err));

    TempDataDir::exec(
        QStringLiteral("UPDATE Personal SET AuswertBegin = 0 WHERE PersonalNummer = 2"));
    result = runCommand(
        {"--data-dir", m_dir->path(), "--pdf", "summen", "--month", "2024-03", "--output", file});
    QCOMPARE(result.code, int(ExitFailed));
    QCOMPARE(result.err.trimmed(), QStringLiteral("Ungültiges Argument zum Codieren des Datums"));
    QVERIFY(!QFile::exists(file));

    result = runCommand({"--data-dir", m_dir->path(), "--pdf", "summen", "--month", "2024-03",
                         "--employee", "1", "--output", m_out->path() + "/missing/dir/x.pdf"});
    QCOMPARE(result.code, int(ExitFailed));
    QVERIFY(result.err.contains(QStringLiteral("kann nicht geschrieben werden")));

    result = runCommand({"--data-dir", m_dir->path(), "--pdf", "summen", "--month", "2030-01",
                         "--employee", "1", "--output", file});
    QCOMPARE(result.code, int(ExitOk)); // the selection created the month's days

    TempDataDir::exec(QStringLiteral("DELETE FROM Personal"));
    result = runCommand({"--data-dir", m_dir->path(), "--pdf", "personal", "--output", file});
    QCOMPARE(result.code, int(ExitNoData));

    QTemporaryDir noDatabase;
    result = runCommand({"--data-dir", noDatabase.path(), "--pdf", "personal", "--output", file});
    QCOMPARE(result.code, int(ExitFailed));
    QVERIFY(!result.err.isEmpty());
}

// An output that cannot be written is refused before the database is touched: no day
// record is created and no file is left behind.
void TestListPdf::unwritableOutputChangesNothing()
{
    seedStaff();
    QDir(m_out->path()).mkdir(QStringLiteral("ordner"));
    QDir(m_out->path()).mkdir(QStringLiteral("nur-lesen"));
    QString readOnly = outFile(QStringLiteral("nur-lesen"));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(readOnly).isWritable()) // as root every folder can be written
        readOnly = QStringLiteral("/proc");
    const struct
    {
        QString output;
        QString reason;
    } cases[] = {
        {outFile(QStringLiteral("fehlt/x.pdf")), QStringLiteral("ist nicht vorhanden")},
        {readOnly + QStringLiteral("/x.pdf"), QStringLiteral("darf nicht geschrieben werden")},
        {outFile(QStringLiteral("ordner")), QStringLiteral("das ist ein Ordner")},
    };
    const int days = countDayRecords(2);
    for (const auto &c : cases) {
        const CommandResult result = runCommand({"--data-dir", m_dir->path(), "--pdf", "summen",
                                                 "--month", "2024-04", "--output", c.output});
        QCOMPARE(result.code, int(ExitFailed));
        QVERIFY2(result.err.startsWith(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben "
                                                      "werden: ")
                                           .arg(c.output)),
                 qPrintable(result.err));
        QVERIFY2(result.err.contains(c.reason), qPrintable(result.err));
        QCOMPARE(countDayRecords(2), days);
    }
    QFile::setPermissions(outFile(QStringLiteral("nur-lesen")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(QDir(outFile(QStringLiteral("nur-lesen")))
                 .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList());
    QCOMPARE(
        QDir(outFile(QStringLiteral("ordner"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList());
}

// The list replaces the output only when complete: a failed run keeps the old file, and
// no temporary file is left beside it; a path that looks like a format prints as given.
void TestListPdf::outputIsReplacedOnlyWhenComplete()
{
    seedStaff();
    const QString file = outFile(QStringLiteral("%1 %2.pdf"));
    QFile old(file);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("alt");
    old.close();
    TempDataDir::exec(
        QStringLiteral("UPDATE Personal SET AuswertBegin = 0 WHERE PersonalNummer = 2"));
    CommandResult result = runCommand(
        {"--data-dir", m_dir->path(), "--pdf", "summen", "--month", "2024-03", "--output", file});
    QCOMPARE(result.code, int(ExitFailed));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("alt"));
    old.close();
    QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList{"%1 %2.pdf"});

    result = runCommand({"--data-dir", m_dir->path(), "--pdf", "personal", "--output", file});
    QCOMPARE(result.code, int(ExitOk));
    QCOMPARE(result.out, file + QStringLiteral(": 1 Seite(n) geschrieben.\n"));
    QVERIFY(pdfText(file).contains(QStringLiteral("Personal Liste")));
    QCOMPARE(QDir(m_out->path()).entryList(QDir::Files), QStringList{"%1 %2.pdf"});
}

QTEST_MAIN(TestListPdf)
#include "tst_listpdf.moc"
