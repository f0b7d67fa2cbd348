// The payroll files from figures given directly, and the export's refusals.
#include <QFile>
#include <QTest>

#include "core/common/Errors.h"
#include "core/export/CsvPayrollFile.h"
#include "core/export/LugPayrollFile.h"
#include "core/export/PayrollExport.h"
#include "core/export/PayrollMonth.h"
#include "core/export/PayrollText.h"
#include "core/settings/FirmSettings.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

PayrollRow employee(int number, const QString &name, const QString &vorname)
{
    PayrollRow row;
    row.number = number;
    row.name = name;
    row.vorname = vorname;
    row.value.period = {QDate(2024, 3, 1), QDate(2024, 3, 31)};
    row.value.sums[MonthSheetCounters::Ist] = 90; // 1,50
    row.value.rate = 10;
    row.value.gross = 15;
    return row;
}

} // namespace

class TestPayrollFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void csvNamesCannotBreakTheLineOrRunAsFormula();
    void payrollProgramFilesAreWindows1252();
    void emptyWageTypesAndZeroHoursLeaveLinesOut();
    void missingSettingsRefuseAndWriteNothing();
    void anEmployeeWithoutFiguresRefusesTheExport();
};

void TestPayrollFiles::csvNamesCannotBreakTheLineOrRunAsFormula()
{
    PayrollMonth month;
    month.rows = {employee(1, QStringLiteral("Müller; \"Jr\""), QStringLiteral("=SUM(A1)")),
                  employee(2, QStringLiteral("-Weiß"), QStringLiteral("Zeile\nzwei"))};
    const QList<QByteArray> lines = CsvPayrollFile(month).split('\n');
    QCOMPARE(lines.at(1),
             QByteArray("1;\"Müller; \"\"Jr\"\"\";'=SUM(A1);01.03.2024;31.03.2024;0,00;0,00;1,50;"
                        "0,00;0,00;0,00;0,00;0,00;0,0;10,00;15,00\r"));
    QVERIFY(lines.at(2).startsWith("2;'-Weiß;\"Zeile"));
    QCOMPARE(lines.size(), 5); // heading, Müller, Weiß over two lines, the end
}

void TestPayrollFiles::payrollProgramFilesAreWindows1252()
{
    QCOMPARE(WindowsText({QStringLiteral("Größe € ½ Ω")}),
             QByteArray("Gr\xF6\xDF"
                        "e \x80 \xBD ?\r\n"));
}

void TestPayrollFiles::emptyWageTypesAndZeroHoursLeaveLinesOut()
{
    PayrollMonth month;
    month.month = 2;
    month.year = 2024;
    month.settings.beraterNr = QStringLiteral("1");
    month.settings.mandantenNr = QStringLiteral("2");
    month.settings.wageTypes[PayrollSettings::Anwesend] = QStringLiteral("100");
    month.settings.wageTypes[PayrollSettings::Krank] = QStringLiteral("200");
    PayrollRow sick = employee(7, QStringLiteral("A"), QStringLiteral("B"));
    sick.value.sums[MonthSheetCounters::Krank] = 480;
    sick.value.sums[MonthSheetCounters::Urlaub] = 480; // no wage type: not exported
    PayrollRow idle = employee(8, QStringLiteral("C"), QStringLiteral("D"));
    idle.value.sums[MonthSheetCounters::Ist] = 0;
    month.rows = {sick, idle};
    QCOMPARE(LugPayrollFile(month),
             QByteArray("1;2;02/2024\r\n7;;;100;1,50;;;;;;\r\n7;;;200;8,00;;;;;;\r\n"));
}

void TestPayrollFiles::missingSettingsRefuseAndWriteNothing()
{
    TempDataDir dir;
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    const QString path = dir.path() + QStringLiteral("/lohn.txt");
    QCOMPARE(userError([&] { ExportPayroll(PayrollFormat::Lodas, 3, 2024, path); }),
             QStringLiteral("Export nicht möglich: in den Einstellungen fehlen Beraternummer, "
                            "Mandantennummer, Lohnarten."));
    FirmSettings::setValue(QStringLiteral("BeraterNr"), QStringLiteral("1"));
    FirmSettings::setValue(QStringLiteral("MandantenNr"), QStringLiteral("2"));
    QCOMPARE(userError([&] { ExportPayroll(PayrollFormat::Lug, 3, 2024, path); }),
             QStringLiteral("Export nicht möglich: in den Einstellungen fehlen Lohnarten."));
    QVERIFY(!QFile::exists(path));
    // the spreadsheet file needs none of them
    QCOMPARE(ExportPayroll(PayrollFormat::Csv, 3, 2024, path).size(), 1);
    QVERIFY(QFile::exists(path));
}

void TestPayrollFiles::anEmployeeWithoutFiguresRefusesTheExport()
{
    TempDataDir dir;
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    addEmployee(2, QStringLiteral("Jan"), QStringLiteral("Albers"), 1, 31); // no 31 February
    TempDataDir::exec(
        QStringLiteral("UPDATE Personal SET BruttoLohn = -1 WHERE PersonalNummer = 1"));
    const QString path = dir.path() + QStringLiteral("/lohn.csv");
    const QString message = userError([&] { ExportPayroll(PayrollFormat::Csv, 2, 2024, path); });
    QVERIFY2(
        message.startsWith(QStringLiteral("Export nicht möglich:\nPersonal-Nr. 1 (Eva Berger): "
                                          "Ungültiger Stundenlohn -1.\nPersonal-Nr. 2 (Jan "
                                          "Albers): ")),
        qPrintable(message));
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestPayrollFiles)
#include "tst_payrollfiles.moc"
