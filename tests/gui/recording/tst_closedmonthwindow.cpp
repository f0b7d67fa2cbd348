// The time recording window on a closed period: the lock, the commands it no longer offers,
// reopening with a reason, and the day's change log.
#include <QAction>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextStream>
#include <QToolButton>

#include "core/db/Table.h"
#include "core/recording/MonthClosing.h"
#include "gui/recording/DlgChanges.h"
#include "gui/recording/FormAuswert.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

void closedMarch()
{
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEntry(1, QDate(2024, 3, 4), 420, 960, QStringLiteral("N"));
    QString ignored;
    QTextStream sink(&ignored);
    CloseMonth(3, 2024, 1, sink);
}

void choose(TFormAuswert &form, int month, int year)
{
    form.edMonat->setCurrentIndex(month - 1);
    form.edJahr->setValue(year);
}

} // namespace

class TestClosedMonthWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void closedPeriodShowsTheLockAndRefusesChanges();
    void reopeningAsksForTheReason();
    void dayChangesAreShown();
};

void TestClosedMonthWindow::closedPeriodShowsTheLockAndRefusesChanges()
{
    TempDataDir dir;
    closedMarch();
    TFormAuswert form;
    form.show();
    choose(form, 3, 2024);
    QVERIFY(form.paAbschluss->isVisible());
    QVERIFY(form.tblAuswert->findKey({1, QDate(2024, 3, 4)}));
    QVERIFY(!form.dbSBtnNew->isEnabled());
    QVERIFY(!form.dbSBtnEdit->isEnabled());
    QVERIFY(!form.dbSBtnDelete->isEnabled());
    QVERIFY(!form.AlleZeitenneuberechen1->isEnabled());
    QVERIFY(!form.Schichtndern1->isEnabled());
    QVERIFY(!form.FeiertageEintragen1->isEnabled());
    QVERIFY(form.MonatOeffnen1->isEnabled());
    // the key reaches the dialog opener even so: it refuses before any dialog
    auto box = answerNextModal(clickButton(QMessageBox::Ok));
    form.dbSBtnNewBeforeAction();
    QVERIFY(box->answered());
    QCOMPARE(box->text,
             QStringLiteral("Der Zeitraum 01.03.2024 – 31.03.2024 ist für Personal-Nr. "
                            "1 abgeschlossen."));
    choose(form, 4, 2024);
    QVERIFY(!form.paAbschluss->isVisible());
    QVERIFY(form.AlleZeitenneuberechen1->isEnabled());
}

void TestClosedMonthWindow::reopeningAsksForTheReason()
{
    TempDataDir dir;
    closedMarch();
    TFormAuswert form;
    form.show();
    choose(form, 3, 2024);
    auto asked = answerNextModal([](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        dialog->setTextValue(QStringLiteral("Urlaubsantrag nachgereicht"));
        dialog->accept();
    });
    form.MonatOeffnen1->trigger();
    QVERIFY(asked->answered());
    QVERIFY(!form.paAbschluss->isVisible());
    QVERIFY(form.dbSBtnNew->isEnabled());
    QCOMPARE(sqlValue(QStringLiteral("SELECT count(*) FROM Abschluss")).toInt(), 0);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Grund FROM Protokoll WHERE NeuWert = 'offen'")),
             QVariant(QStringLiteral("Urlaubsantrag nachgereicht")));
}

void TestClosedMonthWindow::dayChangesAreShown()
{
    TempDataDir dir;
    closedMarch();
    TDlgChanges changes(1, QDate(2024, 3, 4));
    QTableWidget *grid = changes.grid();
    QCOMPARE(grid->rowCount(), 6); // the entry's six fields as it was stored
    QCOMPARE(grid->item(2, 3)->text(), QStringLiteral("Von"));
    QCOMPARE(grid->item(2, 5)->text(), QStringLiteral("420"));
    QCOMPARE(TDlgChanges(1, QDate(2024, 3, 5)).grid()->rowCount(), 0);
}

QTEST_MAIN(TestClosedMonthWindow)
#include "tst_closedmonthwindow.moc"
