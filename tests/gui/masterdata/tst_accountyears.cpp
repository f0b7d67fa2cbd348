// The personnel window's Zeitkonto page through its keys and prompts.
#include <QtTest>

#include <QLabel>
#include <QToolButton>

#include "core/db/Table.h"
#include "gui/masterdata/AccountYearsPage.h"
#include "gui/masterdata/BalanceChart.h"
#include "gui/masterdata/FormPers.h"
#include "gui/widgets/DbCalcEdit.h"
#include "gui/widgets/DbGrid.h"
#include "gui/widgets/PageArea.h"
#include "tests/gui/masterdata/MasterDataKit.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

QString focusName()
{
    QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

// Employee 5 joined on Monday 30.12.2024: only the 30th and 31st count in 2024, one worked an
// hour over its target, the other a vacation day. 2024 carries 1:00 in, 30 + 2 vacation days.
void yearEnd2024()
{
    addExampleShiftPlan(1);
    addEmployee(5, QStringLiteral("Eva"), QStringLiteral("Berger"), 1, 1);
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET EintrittsDatum = '2024-12-30' WHERE PersonalNummer = 5"));
    TempDataDir::exec(QStringLiteral(
        "INSERT INTO auswert (PersonalNummer, Datum, Schicht, Soll, Summe, Urlaub) VALUES "
        "(5, '2024-12-30', 1, 480, 540, 0), (5, '2024-12-31', 1, 480, 480, 480)"));
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Zeitkonto (PersonalNummer, Jahr, SaldoVortrag, "
                       "Urlaubsanspruch, UrlaubVortrag) VALUES (5, 2024, 60, 30, 2)"));
}

} // namespace

class TstAccountYears : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void f6ShowsTheEmployeesYears();
    void newYearTakesOverTheYearEnd();
    void typedHoursAreStoredAsMinutes();
    void impossibleDaysKeepTheEdit();
    void existingYearIsRefused();

private:
    std::unique_ptr<TempDataDir> m_data;
    std::unique_ptr<ModalGuard> m_guard;
    std::unique_ptr<TFormPers> m_form;
    TFormPers &openOnAccountPage();
};

void TstAccountYears::init()
{
    m_data = std::make_unique<TempDataDir>();
    m_guard = std::make_unique<ModalGuard>();
}

void TstAccountYears::cleanup()
{
    m_form.reset();
    const QStringList unexpected = m_guard->unexpected();
    m_guard.reset();
    m_data.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QStringLiteral("; "))));
}

TFormPers &TstAccountYears::openOnAccountPage()
{
    m_form = std::make_unique<TFormPers>();
    if (!showActive(m_form.get()))
        qWarning("window not active");
    key(Qt::Key_F6);
    return *m_form;
}

void TstAccountYears::f6ShowsTheEmployeesYears()
{
    yearEnd2024();
    addEmployee(6, QStringLiteral("Jan"), QStringLiteral("Albers"), 1, 1);
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET AustrittsDatum = '2020-01-31' WHERE PersonalNummer = 6"));
    TFormPers &form = openOnAccountPage();
    AccountYearsPage *page = form.accountPage();
    QCOMPARE(form.pages()->currentWidget(), page);
    QCOMPARE(focusName(), QStringLiteral("grdZeitkonto"));
    QCOMPARE(page->findChild<QLabel *>(QStringLiteral("laKontoName"))->text(),
             QStringLiteral("Zeitkonto von Personal-Nr. 5  Eva Berger"));
    const CellStyle balance = page->grid()->styleOf(page->grid()->model()->index(0, 1));
    QCOMPARE(balance.text, QStringLiteral("1,00"));
    QCOMPARE(page->findChild<DbCalcEdit *>(QStringLiteral("edSaldoVortrag"))->text(),
             QStringLiteral("1,00"));
    QCOMPARE(page->chart()->history().size(), 12); // the balances of the employee shown
    // the next employee has no years yet
    // Eva's working days of the last year have no records: her balance falls
    QVERIFY(page->chart()->history().last().balance < 0);
    form.personalTable()->next();
    QCOMPARE(page->zeitkontoTable()->recordCount(), 0);
    QCOMPARE(page->chart()->history().last().balance, qint64(0)); // Jan left in 2020
    key(Qt::Key_F6);
    QCOMPARE(form.pages()->currentIndex(), 0);
}

void TstAccountYears::newYearTakesOverTheYearEnd()
{
    yearEnd2024();
    TFormPers &form = openOnAccountPage();
    auto answers = answerPrompt(QStringLiteral("2025"));
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(answers->prompt->answered());
    QCOMPARE(answers->title, QStringLiteral("Neues Jahr"));
    QCOMPARE(answers->presetText, QStringLiteral("2025"));
    // 1:00 carried + 1:00 over on the 30th; 32 days less the 31st
    QCOMPARE(sqlValue(QStringLiteral("SELECT SaldoVortrag FROM Zeitkonto WHERE Jahr = 2025"))
                 .toLongLong(),
             qint64(120));
    QCOMPARE(sqlValue(QStringLiteral("SELECT UrlaubVortrag FROM Zeitkonto WHERE Jahr = 2025"))
                 .toDouble(),
             31.0);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Urlaubsanspruch FROM Zeitkonto WHERE Jahr = 2025"))
                 .toDouble(),
             30.0);
    QCOMPARE(focusName(), QStringLiteral("edSaldoVortrag"));
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("laJahr"))->text(), QStringLiteral("2025"));
}

void TstAccountYears::typedHoursAreStoredAsMinutes()
{
    yearEnd2024();
    TFormPers &form = openOnAccountPage();
    form.findChild<DbCalcEdit *>(QStringLiteral("edSaldoVortrag"))->setFocus();
    key(Qt::Key_A, Qt::ControlModifier);
    typeText(QStringLiteral("-3,25"));
    key(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("edUrlaubsanspruch"));
    key(Qt::Key_A, Qt::ControlModifier);
    typeText(QStringLiteral("27,5"));
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(sqlValue(QStringLiteral("SELECT SaldoVortrag FROM Zeitkonto")).toLongLong(),
             qint64(-195));
    QCOMPARE(sqlValue(QStringLiteral("SELECT Urlaubsanspruch FROM Zeitkonto")).toDouble(), 27.5);
    QVERIFY(!form.accountPage()->zeitkontoTable()->isEditing());
}

void TstAccountYears::impossibleDaysKeepTheEdit()
{
    yearEnd2024();
    TFormPers &form = openOnAccountPage();
    form.findChild<DbCalcEdit *>(QStringLiteral("edUrlaubVortrag"))->setFocus();
    key(Qt::Key_A, Qt::ControlModifier);
    typeText(QStringLiteral("2,3"));
    auto box = answerNextModal(clickButton(QMessageBox::Ok));
    key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(box->answered());
    QCOMPARE(box->text, QStringLiteral("Urlaub Vortrag: nur ganze und halbe Tage sind möglich."));
    QVERIFY(form.accountPage()->zeitkontoTable()->isEditing());
    QCOMPARE(sqlValue(QStringLiteral("SELECT UrlaubVortrag FROM Zeitkonto")).toDouble(), 2.0);
    // closing cannot store it either: the window stays with what was typed
    auto again = answerNextModal(clickButton(QMessageBox::Ok));
    QVERIFY(!form.close());
    QVERIFY(reactivate(&form));
    QVERIFY(again->answered());
    QCOMPARE(form.findChild<DbCalcEdit *>(QStringLiteral("edUrlaubVortrag"))->text(),
             QStringLiteral("2,30"));
    key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(form.findChild<DbCalcEdit *>(QStringLiteral("edUrlaubVortrag"))->text(),
             QStringLiteral("2,00"));
}

void TstAccountYears::existingYearIsRefused()
{
    yearEnd2024();
    TFormPers &form = openOnAccountPage();
    auto answers = answerPrompt(QStringLiteral("2024"), clickButton(QMessageBox::Ok));
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(answers->box && answers->box->answered());
    QCOMPARE(answers->box->text, QStringLiteral("Das Jahr 2024 ist schon angelegt."));
    QCOMPARE(sqlCount(QStringLiteral("Zeitkonto")), 1);
}

QTEST_MAIN(TstAccountYears)
#include "tst_accountyears.moc"
