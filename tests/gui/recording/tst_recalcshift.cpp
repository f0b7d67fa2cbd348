// "Alle Zeiten neu berechen" and "Eine Schicht ändern" in the time recording window.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "gui/recording/DlgGetSchicht.h"
#include "gui/widgets/DbLookupComboBox.h"
#include "tests/gui/recording/DaySheetKit.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

const QDate Monday(2024, 3, 4);

// Answers the shift plan dialog: records its preselection and lets choose() act on it.
std::shared_ptr<ModalAnswer> answerGetSchicht(QString &preselected,
                                              std::function<void(TDlgGetSchicht *)> choose)
{
    return answerNextModal([&preselected, choose](QWidget *modal) {
        auto *dialog = qobject_cast<TDlgGetSchicht *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        preselected = dialog->edSchicht->currentText();
        choose(dialog);
    });
}

std::function<void(TDlgGetSchicht *)> chooseLine(int line)
{
    return [line](TDlgGetSchicht *dialog) {
        dialog->edSchicht->choose(line);
        dialog->Button1->click();
    };
}

} // namespace

class TestRecalcShift : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void recalculationAfterAChangedTargetTouchesThatPlansDays();
    void dayWithoutShiftPlanGetsTheEmployeesOnRecalculation();
    void recalculationWithoutPeriodChangesNothing();
    void shiftPlanDialogListsThePlans();
    void changingTheShiftPlanReevaluatesTheDay();
    void samePlanOrCancelStoresNothing();
    void keineStoresZero();
    void shiftPlanTableThatCannotBeOpened();

private:
    ModalGuard m_guard; // an unexpected message box fails the test instead of hanging it
    std::unique_ptr<TempDataDir> m_dir;
};

void TestRecalcShift::init()
{
    m_dir = std::make_unique<TempDataDir>();
    daySheetPlans();
}

void TestRecalcShift::cleanup()
{
    const QStringList unexpected = m_guard.unexpected();
    m_guard.clear();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QLatin1Char('\n'))));
    m_dir.reset();
}

void TestRecalcShift::recalculationAfterAChangedTargetTouchesThatPlansDays()
{
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Schmidt"), 1, 1);
    addDayRecord(1, QDate(2024, 3, 11), 2, 300, 0); // a Monday on the late shift
    addEntry(1, QDate(2024, 3, 18), 360, 540, QStringLiteral("N"));
    addDayRecord(1, QDate(2024, 2, 26), 1, 480, 0); // a Monday outside the period
    addDayRecord(2, Monday, 1, 480, 0);             // another employee's Monday
    TFormAuswert form;
    chooseMonth(form, 3, 2024);
    QVERIFY(goToDay(form, QDate(2024, 3, 20)));

    TempDataDir::exec(
        QStringLiteral("UPDATE Tagplan SET Sollstd = 450 WHERE Schichtplan = 1 AND Tagesplan = 1"));
    QVERIFY(form.AlleZeitenneuberechen1);
    QCOMPARE(form.AlleZeitenneuberechen1->text(), QStringLiteral("Alle Zeiten neu berechen"));
    QVERIFY(form.mnuFunktionen->actions().contains(form.AlleZeitenneuberechen1));
    form.AlleZeitenneuberechen1->trigger();

    for (int day : {4, 18, 25})
        QCOMPARE(storedDay(1, QDate(2024, 3, day)).soll.toInt(), 450);
    const StoredDay late = storedDay(1, QDate(2024, 3, 11));
    QCOMPARE(late.schicht.toInt(), 2);
    QCOMPARE(late.soll.toInt(), 300);
    QCOMPARE(storedDay(1, QDate(2024, 3, 5)).soll.toInt(), 480); // a Tuesday
    QCOMPARE(storedDay(1, QDate(2024, 2, 26)).soll.toInt(), 480);
    QCOMPARE(storedDay(2, Monday).soll.toInt(), 480);
    // The sums are brought up to date as well: evaluated days carry 0 instead of nothing.
    const StoredDay worked = storedDay(1, QDate(2024, 3, 18));
    QCOMPARE(worked.summe.toInt(), 180);
    QCOMPARE(worked.anwesend.toInt(), 180);
    const StoredDay idle = storedDay(1, QDate(2024, 3, 5));
    QVERIFY(!idle.anwesend.isNull());
    QCOMPARE(idle.anwesend.toInt(), 0);
    // Afterwards the first day of the period is current, and the grid shows the new target.
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2024, 3, 1));
    QVERIFY(goToDay(form, Monday));
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Soll")).asInteger(), 450);
}

void TestRecalcShift::dayWithoutShiftPlanGetsTheEmployeesOnRecalculation()
{
    // The employee moved to the late shift after these day records were made.
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 2, 1);
    addDayRecord(1, Monday, QVariant(), 0, 0);
    addEntry(1, Monday, 900, 1200, QStringLiteral("N"));
    addDayRecord(1, QDate(2024, 3, 11), 0, 0, 0);
    addDayRecord(1, QDate(2024, 3, 18), 1, 480, 0);
    TFormAuswert form;
    chooseMonth(form, 3, 2024);
    form.AlleZeitenneuberechen1->trigger();

    const StoredDay empty = storedDay(1, Monday);
    QCOMPARE(empty.schicht.toInt(), 2);
    QCOMPARE(empty.soll.toInt(), 300);
    QCOMPARE(empty.summe.toInt(), 270); // break 18:00-18:30 lies inside
    QCOMPARE(storedDay(1, QDate(2024, 3, 11)).schicht.toInt(), 2);
    QCOMPARE(storedDay(1, QDate(2024, 3, 11)).soll.toInt(), 300);
    // A day record with a shift plan keeps it.
    QCOMPARE(storedDay(1, QDate(2024, 3, 18)).schicht.toInt(), 1);
    QCOMPARE(storedDay(1, QDate(2024, 3, 18)).soll.toInt(), 480);
    // Day records made now get the employee's present plan.
    QCOMPARE(storedDay(1, QDate(2024, 3, 25)).schicht.toInt(), 2);
}

void TestRecalcShift::recalculationWithoutPeriodChangesNothing()
{
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Schmidt"), 1, 30);
    addEntry(1, Monday, 360, 540, QStringLiteral("N"));
    TFormAuswert form;
    chooseMonth(form, 2, 2024);
    chooseMonth(form, 3, 2024);
    auto answer = answerNextModal(clickButton(QMessageBox::Ok));
    chooseMonth(form, 2, 2024); // Eva's period cannot start on 30 February
    form.tblPersonal->next();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    const int records = countDayRecords(1) + countDayRecords(2);

    answer = answerNextModal(clickButton(QMessageBox::Ok));
    form.AlleZeitenneuberechen1->trigger();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(answer->title, QStringLiteral("Information"));
    QCOMPARE(answer->text, QStringLiteral("Ungültiges Argument zum Codieren des Datums"));
    QCOMPARE(countDayRecords(1) + countDayRecords(2), records);
    QVERIFY(storedDay(1, Monday).anwesend.isNull()); // never evaluated
    QCOMPARE(storedDay(1, Monday).summe.toInt(), 0);
}

void TestRecalcShift::shiftPlanDialogListsThePlans()
{
    TDlgGetSchicht dialog;
    QVERIFY(dialog.isUsable());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Schicht ändern"));
    QCOMPARE(dialog.ControlLabel1->text(), QStringLiteral("Schicht:"));
    QCOMPARE(dialog.ControlLabel1->buddy(), dialog.edSchicht);
    QCOMPARE(dialog.Button1->text(), QStringLiteral("OK"));
    QVERIFY(dialog.Button1->isDefault());
    QCOMPARE(dialog.Button2->text(), QStringLiteral("Abbrechen"));
    QCOMPARE(dialog.edSchicht->maxVisibleItems(), 8);
    QCOMPARE(dialog.edSchicht->count(), 3);
    QCOMPARE(dialog.edSchicht->itemText(0), QStringLiteral("<keine>"));
    QCOMPARE(dialog.edSchicht->itemText(1), QStringLiteral("1, Frühschicht"));
    QCOMPARE(dialog.edSchicht->itemText(2), QStringLiteral("2, Spätschicht"));

    dialog.setValue(QStringLiteral("2"));
    QCOMPARE(dialog.edSchicht->currentIndex(), 2);
    QCOMPARE(dialog.value(), QStringLiteral("2"));
    dialog.edSchicht->choose(0);
    QCOMPARE(dialog.value(), QString());
    dialog.setValue(QString());
    QCOMPARE(dialog.edSchicht->currentText(), QStringLiteral("<keine>"));
    // A number no plan has is kept, but shows no line.
    dialog.setValue(QStringLiteral("7"));
    QCOMPARE(dialog.edSchicht->currentIndex(), -1);
    QCOMPARE(dialog.value(), QStringLiteral("7"));

    // Typing the number in the closed list chooses that plan, as in the personnel window.
    dialog.setValue(QStringLiteral("1"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.edSchicht->setFocus();
    QTest::keyClick(dialog.edSchicht, '2');
    QCOMPARE(dialog.value(), QStringLiteral("2"));
    QTest::keyClick(dialog.edSchicht, Qt::Key_Delete);
    QCOMPARE(dialog.value(), QString());
}

void TestRecalcShift::changingTheShiftPlanReevaluatesTheDay()
{
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEntry(1, Monday, 900, 1200, QStringLiteral("N"));
    TFormAuswert form;
    chooseMonth(form, 3, 2024);
    QVERIFY(goToDay(form, Monday));
    QCOMPARE(form.Schichtndern1->text(), QStringLiteral("Eine Schicht ändern"));

    QString preselected;
    auto answer = answerGetSchicht(preselected, chooseLine(2));
    form.Schichtndern1->trigger();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(answer->title, QStringLiteral("Schicht ändern"));
    QCOMPARE(preselected, QStringLiteral("1, Frühschicht"));
    const StoredDay day = storedDay(1, Monday);
    QCOMPARE(day.schicht.toInt(), 2);
    QCOMPARE(day.soll.toInt(), 300);
    QCOMPARE(day.summe.toInt(), 270);
    QCOMPARE(day.anwesend.toInt(), 270);
    // Only that day changed; the day stays current and the grid shows the new plan.
    QCOMPARE(storedDay(1, QDate(2024, 3, 11)).schicht.toInt(), 1);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), Monday);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Schicht")).asInteger(), 2);
}

void TestRecalcShift::samePlanOrCancelStoresNothing()
{
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addDayRecord(1, Monday, 1, 480, 999); // a stale sum shows whether the day was evaluated
    addEntry(1, Monday, 900, 1200, QStringLiteral("N"));
    TFormAuswert form;
    chooseMonth(form, 3, 2024);
    QVERIFY(goToDay(form, Monday));

    QString preselected;
    auto answer = answerGetSchicht(preselected, chooseLine(1));
    form.Schichtndern1->trigger();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(storedDay(1, Monday).summe.toInt(), 999);

    answer = answerGetSchicht(preselected, [](TDlgGetSchicht *dialog) {
        dialog->edSchicht->choose(2);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    form.Schichtndern1->trigger();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    answer = answerGetSchicht(preselected, [](TDlgGetSchicht *dialog) {
        dialog->edSchicht->choose(2);
        dialog->Button2->click();
    });
    form.Schichtndern1->trigger();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    const StoredDay day = storedDay(1, Monday);
    QCOMPARE(day.schicht.toInt(), 1);
    QCOMPARE(day.summe.toInt(), 999);
}

void TestRecalcShift::keineStoresZero()
{
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEntry(1, Monday, 360, 540, QStringLiteral("N"));
    TFormAuswert form;
    chooseMonth(form, 3, 2024);
    QVERIFY(goToDay(form, Monday));

    QString preselected;
    auto answer = answerGetSchicht(preselected, chooseLine(0));
    form.Schichtndern1->trigger();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    const StoredDay day = storedDay(1, Monday);
    QVERIFY(!day.schicht.isNull());
    QCOMPARE(day.schicht.toInt(), 0);
    QCOMPARE(day.soll.toInt(), 0);
    QCOMPARE(day.summe.toInt(), 0);
    QCOMPARE(day.anwesend.toInt(), 0);

    // A day without plan opens on "<keine>".
    answer = answerGetSchicht(preselected, [](TDlgGetSchicht *dialog) { dialog->reject(); });
    form.Schichtndern1->trigger();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(preselected, QStringLiteral("<keine>"));
}

void TestRecalcShift::shiftPlanTableThatCannotBeOpened()
{
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    TFormAuswert form;
    chooseMonth(form, 3, 2024);
    QVERIFY(goToDay(form, Monday));
    TempDataDir::exec(QStringLiteral("DROP TABLE Schicht"));
    const StoredDay before = storedDay(1, Monday);

    auto answer = answerNextModal(clickButton(QMessageBox::Ok));
    form.Schichtndern1->trigger();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(answer->title, QStringLiteral("Information"));
    QCOMPARE(answer->text, QStringLiteral("Kann die Schicht-Datei nicht öffnen !"));
    const StoredDay after = storedDay(1, Monday);
    QCOMPARE(after.schicht, before.schicht);
    QCOMPARE(after.summe, before.summe);
    QVERIFY(after.anwesend.isNull());
}

QTEST_MAIN(TestRecalcShift)
#include "tst_recalcshift.moc"
