// The payroll settings in the settings dialog and the export dialog.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "core/settings/FirmSettings.h"
#include "gui/export/DlgExport.h"
#include "gui/settings/DlgEinstellungen.h"
#include "gui/widgets/MonthChoice.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

class TestDlgExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void settingsDialogKeepsThePayrollNumbers();
    void exportWritesTheChosenFormat();
    void refusalKeepsTheDialogOpen();
};

void TestDlgExport::settingsDialogKeepsThePayrollNumbers()
{
    TempDataDir dir;
    FirmSettings::setValue(QStringLiteral("Lohnart.Urlaub"), QStringLiteral("300"));
    TDlgEinstellungen dialog;
    QCOMPARE(dialog.payrollField(QStringLiteral("Lohnart.Urlaub"))->text(), QStringLiteral("300"));
    QLineEdit *berater = dialog.payrollField(QStringLiteral("BeraterNr"));
    QTest::keyClicks(berater, QStringLiteral("12a34"));
    QCOMPARE(berater->text(), QStringLiteral("1234")); // digits only
    dialog.payrollField(QStringLiteral("Lohnart.Urlaub"))->clear();
    dialog.accept();
    QCOMPARE(FirmSettings::value(QStringLiteral("BeraterNr")), QStringLiteral("1234"));
    QCOMPARE(FirmSettings::value(QStringLiteral("Lohnart.Urlaub")), QString());
}

void TestDlgExport::exportWritesTheChosenFormat()
{
    TempDataDir dir;
    addEmployee(1, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    TDlgExport dialog;
    dialog.monthChoice()->setMonth(3, 2024);
    QVERIFY(dialog.edDatei()->text().endsWith(QStringLiteral("Lohn-2024-03-csv.csv")));
    const QString path = dir.path() + QStringLiteral("/maerz.csv");
    dialog.edDatei()->setText(path);
    auto box = answerNextModal(clickButton(QMessageBox::Ok));
    dialog.accept();
    QVERIFY(box->answered());
    QVERIFY(
        box->text.contains(QStringLiteral("Personal-Nr. 1 (Eva Berger): 01.03.2024 – 31.03.2024")));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("1;Berger;Eva;01.03.2024;31.03.2024;"));
}

void TestDlgExport::refusalKeepsTheDialogOpen()
{
    TempDataDir dir;
    TDlgExport dialog;
    dialog.show();
    dialog.edFormat()->setCurrentIndex(1); // LODAS without the settings
    QVERIFY(dialog.edDatei()->text().endsWith(QStringLiteral("-lodas.txt")));
    dialog.edDatei()->setText(dir.path() + QStringLiteral("/lodas.txt"));
    auto box = answerNextModal(clickButton(QMessageBox::Ok));
    dialog.accept();
    QVERIFY(box->answered());
    QVERIFY(box->text.startsWith(QStringLiteral("Export nicht möglich")));
    QVERIFY(dialog.isVisible());
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/lodas.txt")));
}

QTEST_MAIN(TestDlgExport)
#include "tst_dlgexport.moc"
