// The personnel window through its controls and keys, with its prompts and questions
// answered by the test.
#include <QtTest>

#include <QAbstractItemView>
#include <QSqlRecord>
#include <QTableView>

#include "core/db/Table.h"
#include "gui/masterdata/FormPers.h"
#include "gui/reports/ListCommands.h"
#include "gui/widgets/DbCalcEdit.h"
#include "gui/widgets/DbDateEdit.h"
#include "gui/widgets/DbEdit.h"
#include "gui/widgets/DbGrid.h"
#include "gui/widgets/DbLookupComboBox.h"
#include "gui/widgets/DbNavigator.h"
#include "gui/widgets/DbSearchEdit.h"
#include "gui/widgets/DbValueComboBox.h"
#include "gui/widgets/PageArea.h"
#include "tests/gui/masterdata/MasterDataKit.h"
#include "tests/support/TempDataDir.h"

#include <QLabel>
#include <QToolButton>

using namespace tk;
using namespace tk::test;

namespace {

const QString FullRow = QStringLiteral(
    "INSERT INTO Personal (PersonalNummer, Name, Vorname, Strasse, Plz, Ort, Telefon1, "
    "Telefon2, Geburtsdatum, EintrittsDatum, AustrittsDatum, BruttoLohn, Schicht, "
    "AuswertBegin) VALUES (%1, 'Name%1', 'Vorname', 'Weg 1', '01234', 'Ort', '0301', '0302', "
    "'1970-01-31', '2020-02-29', '2024-12-31', 17.25, 2, 16)");

void seedEmployee(int number)
{
    TempDataDir::exec(FullRow.arg(number));
}

void seedPlan(int plan, const QString &designation)
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Schicht (Schichtplan, Bezeichnung) VALUES (%1, '%2')")
            .arg(plan)
            .arg(designation));
}

QString focusName()
{
    QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

template <class T>
T *control(QWidget &form, const char *name)
{
    T *found = form.findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("control %s not found", name);
    return found;
}

// Every column of an employee row as text, the number left out.
QStringList rowWithoutNumber(int number)
{
    QSqlQuery query(Database::connection());
    query.exec(QStringLiteral("SELECT * FROM Personal WHERE PersonalNummer = %1").arg(number));
    QStringList values;
    if (!query.next())
        return values;
    for (int c = 0; c < query.record().count(); ++c) {
        if (query.record().fieldName(c) != QLatin1String("PersonalNummer"))
            values << (query.isNull(c) ? QStringLiteral("<null>") : query.value(c).toString());
    }
    return values;
}

} // namespace

class TstFrPers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void planRenamedInTheShiftPlanWindowShowsAtOnce();
    void cleanup();

    void emptyTableCreatesTheFirstEmployeeWithDefaults();
    void proposalFollowsTheHighestNumber();
    void existingNumberIsRefusedAndBecomesCurrent();
    void copyCarriesEveryFieldButTheNumber();
    void cancelledPromptsAddNothing();
    void deletingKeepsTheDayRecords();
    void abbrechenDeletesNothing();
    void shiftPlanListShowsBothColumnsAndKeineEmpties();
    void periodListStoresOneOrSixteen();
    void arrowKeysLeaveTheListGridAndOpenLists();
    void closingWhileTypingStoresTheName();
    void dateAndWageFieldsKeepNullAndZeroApart();
    void toolButtonsFollowTheEditState();
    void ctrlKeysFollowTheEditState();
    void missingTablesAreReported();

private:
    std::unique_ptr<TempDataDir> m_data;
    std::unique_ptr<ModalGuard> m_guard;
    std::unique_ptr<TFormPers> m_form;
    TFormPers &openForm();
};

void TstFrPers::init()
{
    m_data = std::make_unique<TempDataDir>();
    m_guard = std::make_unique<ModalGuard>();
}

void TstFrPers::cleanup()
{
    m_form.reset();
    setListPreviewer(nullptr);
    const QStringList unexpected = m_guard->unexpected();
    m_guard.reset();
    m_data.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QStringLiteral("; "))));
}

TFormPers &TstFrPers::openForm()
{
    m_form = std::make_unique<TFormPers>();
    m_form->show();
    if (!QTest::qWaitForWindowActive(m_form.get()))
        qWarning("window not active");
    return *m_form;
}

void TstFrPers::emptyTableCreatesTheFirstEmployeeWithDefaults()
{
    seedPlan(1, QStringLiteral("Früh"));
    TFormPers &form = openForm();
    QVERIFY(!form.pages()->isPageEnabled(0));
    auto answers = answerPrompt(QStringLiteral("1"));
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(answers->prompt->answered());
    QCOMPARE(answers->title, QStringLiteral("Neu Personal-Nr."));
    QCOMPARE(answers->label, QStringLiteral("Personal-Nr,:"));
    QCOMPARE(answers->presetText, QStringLiteral("1"));
    QVERIFY(answers->presetSelected);

    QVERIFY(form.pages()->isPageEnabled(0));
    QCOMPARE(focusName(), QStringLiteral("edName"));
    QCOMPARE(sqlValue(QStringLiteral("SELECT BruttoLohn FROM Personal")).toDouble(), 0.0);
    QVERIFY(!sqlValue(QStringLiteral("SELECT BruttoLohn FROM Personal")).isNull());
    QCOMPARE(sqlValue(QStringLiteral("SELECT AuswertBegin FROM Personal")).toInt(), 1);
    QVERIFY(sqlValue(QStringLiteral("SELECT Schicht FROM Personal")).isNull());
    QVERIFY(sqlValue(QStringLiteral("SELECT Name FROM Personal")).isNull());
    QCOMPARE(control<DbCalcEdit>(form, "edBruttoLohn")->text(), QStringLiteral("0,00"));
    QCOMPARE(control<DbValueComboBox>(form, "edAuswertBegin")->currentText(),
             QStringLiteral("vom 1. des Monats bis Monatsende"));
    auto *plans = control<DbLookupComboBox>(form, "edSchicht");
    QCOMPARE(plans->currentIndex(), 0);
    QCOMPARE(plans->currentText(), QStringLiteral("<keine>"));
    QCOMPARE(control<DbDateEdit>(form, "edGeburtsdatum")->text(), QString());
    QCOMPARE(control<DbSearchEdit>(form, "edPersonalNummer")->text(), QStringLiteral("1"));
}

void TstFrPers::proposalFollowsTheHighestNumber()
{
    seedEmployee(100);
    seedEmployee(205);
    TFormPers &form = openForm();
    auto answers = answerPrompt(QStringLiteral("150"));
    control<DbNavigator>(form, "dbNavPersonal")->button(DbNavigator::Insert)->click();
    QVERIFY(reactivate(&form));
    QVERIFY(answers->prompt->answered());
    QCOMPARE(answers->presetText, QStringLiteral("206"));
    QCOMPARE(sqlCount(QStringLiteral("Personal")), 3);
    QCOMPARE(form.personalTable()->field(QStringLiteral("PersonalNummer")).asInteger(), 150);
    QVERIFY(form.personalTable()->field(QStringLiteral("Name")).isNull());
}

void TstFrPers::existingNumberIsRefusedAndBecomesCurrent()
{
    seedEmployee(100);
    seedEmployee(205);
    TFormPers &form = openForm();
    auto answers = answerPrompt(QStringLiteral("100"), clickButton(QMessageBox::Ok));
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(answers->box && answers->box->answered());
    QCOMPARE(answers->box->title, QStringLiteral("Information"));
    QCOMPARE(answers->box->text, QStringLiteral("Personal-Nr.: 100 vorhanden !"));
    QCOMPARE(sqlCount(QStringLiteral("Personal")), 2);
    QCOMPARE(form.personalTable()->field(QStringLiteral("PersonalNummer")).asInteger(), 100);
    QCOMPARE(control<DbSearchEdit>(form, "edPersonalNummer")->text(), QStringLiteral("100"));
    QCOMPARE(control<QLabel>(form, "laName")->text(), QStringLiteral("Vorname  Name100"));
}

void TstFrPers::copyCarriesEveryFieldButTheNumber()
{
    seedEmployee(100);
    seedEmployee(200);
    const QStringList before = rowWithoutNumber(100);
    TFormPers &form = openForm();
    QVERIFY(form.personalTable()->findKey({100}));
    auto answers = answerPrompt(QStringLiteral("300"));
    control<DbNavigator>(form, "dbNavPersonal")->button(DbNavigator::Copy)->click();
    QVERIFY(reactivate(&form));
    QVERIFY(answers->prompt->answered());
    QCOMPARE(answers->presetText, QStringLiteral("201"));
    QCOMPARE(rowWithoutNumber(300), before);
    QCOMPARE(rowWithoutNumber(100), before);
    QCOMPARE(sqlCount(QStringLiteral("Personal")), 3);
    QCOMPARE(form.personalTable()->field(QStringLiteral("PersonalNummer")).asInteger(), 300);
    QCOMPARE(focusName(), QStringLiteral("edName"));

    // A copy onto an existing number adds nothing and shows that employee.
    auto refused = answerPrompt(QStringLiteral("200"), clickButton(QMessageBox::Ok));
    control<DbNavigator>(form, "dbNavPersonal")->button(DbNavigator::Copy)->click();
    QVERIFY(reactivate(&form));
    QCOMPARE(refused->box->text, QStringLiteral("Personal-Nr.: 200 vorhanden !"));
    QCOMPARE(sqlCount(QStringLiteral("Personal")), 3);
    QCOMPARE(form.personalTable()->field(QStringLiteral("PersonalNummer")).asInteger(), 200);
}

void TstFrPers::cancelledPromptsAddNothing()
{
    seedEmployee(7);
    TFormPers &form = openForm();
    auto copy = answerPrompt(QString());
    control<DbNavigator>(form, "dbNavPersonal")->button(DbNavigator::Copy)->click();
    QVERIFY(reactivate(&form));
    QVERIFY(copy->prompt->answered());
    auto insert = answerPrompt(QString());
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(insert->prompt->answered());
    QCOMPARE(insert->presetText, QStringLiteral("8"));
    QCOMPARE(sqlCount(QStringLiteral("Personal")), 1);
    QVERIFY(!form.personalTable()->isEditing());
}

void TstFrPers::deletingKeepsTheDayRecords()
{
    seedEmployee(100);
    seedEmployee(101);
    TempDataDir::exec(QStringLiteral("INSERT INTO auswert (PersonalNummer, Datum, Soll, Summe) "
                                     "VALUES (100, '2024-03-01', 480, 0)"));
    TempDataDir::exec(QStringLiteral("INSERT INTO AuswPos (PersonalNummer, Datum, Von, Bis, "
                                     "Summe, Kennung) VALUES (100, '2024-03-01', 480, 960, 480, "
                                     "'N')"));
    TFormPers &form = openForm();
    QCOMPARE(form.personalTable()->field(QStringLiteral("PersonalNummer")).asInteger(), 100);
    auto question = answerNextModal(clickText(QStringLiteral("OK")));
    key(Qt::Key_L, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(question->answered());
    QCOMPARE(question->title, QStringLiteral("Bestätigung"));
    QCOMPARE(question->text, QStringLiteral("Datensatz löschen?"));
    QCOMPARE(sqlCount(QStringLiteral("Personal WHERE PersonalNummer = 100")), 0);
    QCOMPARE(sqlCount(QStringLiteral("auswert WHERE PersonalNummer = 100")), 1);
    QCOMPARE(sqlCount(QStringLiteral("AuswPos WHERE PersonalNummer = 100")), 1);
    QCOMPARE(form.personalTable()->field(QStringLiteral("PersonalNummer")).asInteger(), 101);
}

void TstFrPers::abbrechenDeletesNothing()
{
    seedEmployee(100);
    TFormPers &form = openForm();
    auto question = answerNextModal(clickText(QStringLiteral("Abbrechen")));
    control<DbNavigator>(form, "dbNavPersonal")->button(DbNavigator::Delete)->click();
    QVERIFY(reactivate(&form));
    QVERIFY(question->answered());
    QCOMPARE(sqlCount(QStringLiteral("Personal")), 1);
}

void TstFrPers::shiftPlanListShowsBothColumnsAndKeineEmpties()
{
    seedPlan(1, QStringLiteral("Früh"));
    seedPlan(2, QStringLiteral("Spät"));
    seedEmployee(100); // on plan 2
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Personal (PersonalNummer, Schicht) VALUES (101, 9)"));
    TFormPers &form = openForm();
    auto *plans = control<DbLookupComboBox>(form, "edSchicht");
    QCOMPARE(plans->count(), 3);
    QCOMPARE(plans->itemText(0), QStringLiteral("<keine>"));
    QCOMPARE(plans->model()->columnCount(), 2);
    QCOMPARE(plans->model()->index(2, 0).data().toString(), QStringLiteral("2"));
    QCOMPARE(plans->model()->index(2, 1).data().toString(), QStringLiteral("Spät"));
    QCOMPARE(plans->currentIndex(), 2);
    QCOMPARE(plans->maxVisibleItems(), 8);

    // A plan added meanwhile appears when the field is entered again.
    seedPlan(3, QStringLiteral("Nacht"));
    plans->setFocus(Qt::TabFocusReason);
    QCOMPARE(plans->count(), 4);

    key(Qt::Key_Delete); // "<keine>"
    QCOMPARE(plans->currentIndex(), 0);
    QVERIFY(form.personalTable()->field(QStringLiteral("Schicht")).isNull());
    key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(sqlValue(QStringLiteral("SELECT Schicht FROM Personal WHERE PersonalNummer = 100"))
                .isNull());

    // Typing a number chooses that plan.
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    key(Qt::Key_3);
    QCOMPARE(form.personalTable()->field(QStringLiteral("Schicht")).asInteger(), 3);

    // A stored number without a plan shows no line.
    key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(form.personalTable()->findKey({101}));
    QCOMPARE(plans->currentIndex(), -1);
}

void TstFrPers::periodListStoresOneOrSixteen()
{
    seedEmployee(100); // stored 16
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Personal (PersonalNummer, AuswertBegin) VALUES (101, 5)"));
    TFormPers &form = openForm();
    auto *period = control<DbValueComboBox>(form, "edAuswertBegin");
    QCOMPARE(period->count(), 2);
    QCOMPARE(period->itemText(0), QStringLiteral("vom 1. des Monats bis Monatsende"));
    QCOMPARE(period->itemText(1), QStringLiteral("vom 16. des Monats bis 15. des Folgemonat"));
    QVERIFY(!period->isEditable());
    QCOMPARE(period->currentIndex(), 1);
    period->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Home);
    QCOMPARE(form.personalTable()->field(QStringLiteral("AuswertBegin")).asInteger(), 1);
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(
        sqlValue(QStringLiteral("SELECT AuswertBegin FROM Personal WHERE PersonalNummer = 100"))
            .toInt(),
        1);
    QVERIFY(form.personalTable()->findKey({101}));
    QCOMPARE(period->currentIndex(), -1);
    key(Qt::Key_End);
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(
        sqlValue(QStringLiteral("SELECT AuswertBegin FROM Personal WHERE PersonalNummer = 101"))
            .toInt(),
        16);
}

void TstFrPers::arrowKeysLeaveTheListGridAndOpenLists()
{
    seedPlan(1, QStringLiteral("Früh"));
    seedPlan(2, QStringLiteral("Spät"));
    seedEmployee(100);
    seedEmployee(101);
    seedEmployee(102);
    TFormPers &form = openForm();
    QCOMPARE(focusName(), QStringLiteral("edPersonalNummer"));
    key(Qt::Key_F5);
    QCOMPARE(form.pages()->currentIndex(), 1);
    QCOMPARE(focusName(), QStringLiteral("grdPersonal"));
    key(Qt::Key_Down);
    QVERIFY(focusName() != QLatin1String("grdPersonal"));
    QCOMPARE(form.personalTable()->currentRow(), 0);
    key(Qt::Key_Up);
    QCOMPARE(focusName(), QStringLiteral("grdPersonal"));
    QCOMPARE(form.personalTable()->currentRow(), 0);
    key(Qt::Key_F5);
    QCOMPARE(form.pages()->currentIndex(), 0);

    // Enter and arrow down walk the fields in their order; arrow up walks back.
    auto *search = control<QWidget>(form, "edPersonalNummer");
    search->setFocus(Qt::TabFocusReason);
    const QStringList order{"edName",
                            "edVorname",
                            "edStrasse",
                            "edPlz",
                            "edOrt",
                            "edTelefon1",
                            "edTelefon2",
                            "edGeburtsdatum",
                            "edEintrittsDatum",
                            "edAustrittsDatum",
                            "edBruttoLohn",
                            "edSchicht",
                            "edAuswertBegin"};
    for (int i = 0; i < order.size(); ++i) {
        key(i % 2 ? Qt::Key_Down : Qt::Key_Return);
        QCOMPARE(focusName(), order.at(i));
    }
    key(Qt::Key_Up);
    QCOMPARE(focusName(), QStringLiteral("edSchicht"));
    key(Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(focusName(), QStringLiteral("edBruttoLohn"));

    // In an open list arrow down leaves it unchanged, Enter takes the highlighted line.
    auto *plans = control<DbLookupComboBox>(form, "edSchicht");
    plans->setFocus(Qt::TabFocusReason);
    const int before = plans->currentIndex();
    plans->showPopup();
    QTRY_VERIFY(plans->view()->isVisible());
    key(Qt::Key_Down);
    QVERIFY(!plans->view()->isVisible());
    QCOMPARE(plans->currentIndex(), before);
    QCOMPARE(focusName(), QStringLiteral("edAuswertBegin"));

    plans->setFocus(Qt::TabFocusReason);
    plans->showPopup();
    QTRY_VERIFY(plans->view()->isVisible());
    plans->view()->setCurrentIndex(plans->model()->index(1, 0));
    key(Qt::Key_Return);
    QVERIFY(!plans->view()->isVisible());
    QCOMPARE(form.personalTable()->field(QStringLiteral("Schicht")).asInteger(), 1);
    QCOMPARE(focusName(), QStringLiteral("edAuswertBegin"));
}

void TstFrPers::closingWhileTypingStoresTheName()
{
    seedEmployee(100);
    TFormPers &form = openForm();
    auto *name = control<DbEdit>(form, "edName");
    name->setFocus(Qt::TabFocusReason);
    name->selectAll();
    typeText(QStringLiteral("Neumann"));
    QVERIFY(form.close());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Name FROM Personal")).toString(),
             QStringLiteral("Neumann"));

    // A date still being typed is stored too.
    TFormPers &again = openForm();
    auto *left = control<DbDateEdit>(again, "edAustrittsDatum");
    left->setFocus(Qt::TabFocusReason);
    left->selectAll();
    typeText(QStringLiteral("3.7.2025"));
    QVERIFY(again.close());
    QCOMPARE(sqlValue(QStringLiteral("SELECT AustrittsDatum FROM Personal")).toString(),
             QStringLiteral("2025-07-03"));
}

void TstFrPers::dateAndWageFieldsKeepNullAndZeroApart()
{
    TempDataDir::exec(QStringLiteral(
        "INSERT INTO Personal (PersonalNummer, BruttoLohn, Geburtsdatum) VALUES (1, NULL, NULL)"));
    TFormPers &form = openForm();
    auto *wage = control<DbCalcEdit>(form, "edBruttoLohn");
    auto *born = control<DbDateEdit>(form, "edGeburtsdatum");
    QCOMPARE(wage->text(), QString());
    QCOMPARE(born->text(), QString());
    // Passing through the empty fields stores nothing.
    born->setFocus(Qt::TabFocusReason);
    wage->setFocus(Qt::TabFocusReason);
    control<QWidget>(form, "edName")->setFocus(Qt::TabFocusReason);
    QVERIFY(!form.personalTable()->isEditing());

    born->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("29.02.2000"));
    wage->setFocus(Qt::TabFocusReason);
    QCOMPARE(born->text(), QStringLiteral("29.02.2000"));
    typeText(QStringLiteral("0"));
    control<QWidget>(form, "edName")->setFocus(Qt::TabFocusReason);
    QCOMPARE(wage->text(), QStringLiteral("0,00"));
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Geburtsdatum FROM Personal")).toString(),
             QStringLiteral("2000-02-29"));
    QCOMPARE(sqlValue(QStringLiteral("SELECT BruttoLohn FROM Personal")).toDouble(), 0.0);
    QVERIFY(!sqlValue(QStringLiteral("SELECT BruttoLohn FROM Personal")).isNull());

    // Emptying stores NULL again.
    born->setFocus(Qt::TabFocusReason);
    born->selectAll();
    key(Qt::Key_Delete);
    wage->setFocus(Qt::TabFocusReason);
    wage->selectAll();
    key(Qt::Key_Delete);
    key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(sqlValue(QStringLiteral("SELECT Geburtsdatum FROM Personal")).isNull());
    QVERIFY(sqlValue(QStringLiteral("SELECT BruttoLohn FROM Personal")).isNull());

    // A date that does not exist is refused with a message and stores nothing.
    born->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("31.02.2024"));
    auto box = answerNextModal(clickButton(QMessageBox::Ok));
    control<QWidget>(form, "edName")->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(box->answered());
    QCOMPARE(box->text, QStringLiteral("\"31.02.2024\" ist kein gültiges Datum."));
    QVERIFY(form.personalTable()->field(QStringLiteral("Geburtsdatum")).isNull());
    QCOMPARE(born->text(), QString());
}

void TstFrPers::toolButtonsFollowTheEditState()
{
    seedEmployee(1);
    seedEmployee(2);
    TFormPers &form = openForm();
    auto *navigator = control<DbNavigator>(form, "dbNavPersonal");
    auto enabled = [navigator](DbNavigator::Button which) {
        return navigator->button(which)->isEnabled();
    };
    QCOMPARE(navigator->button(DbNavigator::First)->toolTip(), QStringLiteral("Erster Datensatz"));
    QCOMPARE(navigator->button(DbNavigator::Copy)->toolTip(), QStringLiteral("Datensatz kopieren"));
    QCOMPARE(navigator->button(DbNavigator::Cancel)->toolTip(),
             QStringLiteral("Bearbeiten abbrechen"));
    QCOMPARE(control<QToolButton>(form, "btnPrint")->toolTip(), QStringLiteral("Drucken (Strg+P)"));
    QVERIFY(!enabled(DbNavigator::First) && !enabled(DbNavigator::Prior));
    QVERIFY(enabled(DbNavigator::Next) && enabled(DbNavigator::Last));
    QVERIFY(enabled(DbNavigator::Insert) && enabled(DbNavigator::Copy)
            && enabled(DbNavigator::Delete));
    QVERIFY(!enabled(DbNavigator::Post) && !enabled(DbNavigator::Cancel));

    control<QWidget>(form, "edOrt")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("x"));
    for (auto which : {DbNavigator::First, DbNavigator::Prior, DbNavigator::Next, DbNavigator::Last,
                       DbNavigator::Insert, DbNavigator::Copy, DbNavigator::Delete})
        QVERIFY(!enabled(which));
    QVERIFY(enabled(DbNavigator::Post) && enabled(DbNavigator::Cancel));
    QVERIFY(!control<QWidget>(form, "edPersonalNummer")->isEnabled());
    navigator->button(DbNavigator::Post)->click();
    QCOMPARE(
        sqlValue(QStringLiteral("SELECT Ort FROM Personal WHERE PersonalNummer = 1")).toString(),
        QStringLiteral("x")); // entered with Tab, the old text was selected
    navigator->button(DbNavigator::Last)->click();
    QVERIFY(enabled(DbNavigator::First) && !enabled(DbNavigator::Next));
    QVERIFY(control<QWidget>(form, "edPersonalNummer")->isEnabled());
}

void TstFrPers::ctrlKeysFollowTheEditState()
{
    seedEmployee(1);
    TFormPers &form = openForm();
    control<QWidget>(form, "edOrt")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("x"));
    // Ctrl+L while editing does nothing (no question), Ctrl+C drops the edit.
    auto none = expectNoModal();
    key(Qt::Key_L, Qt::ControlModifier);
    QTest::qWait(350);
    QVERIFY(!none->seen);
    key(Qt::Key_C, Qt::ControlModifier);
    QVERIFY(!form.personalTable()->isEditing());
    QCOMPARE(control<DbEdit>(form, "edOrt")->text(), QStringLiteral("Ort"));
    // Ctrl+S stores.
    typeText(QStringLiteral("y"));
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Ort FROM Personal")).toString(),
             QStringLiteral("Orty"));
    // Ctrl+P previews the personnel list, also while editing.
    typeText(QStringLiteral("z"));
    int previews = 0;
    setListPreviewer([&previews](Report &, QWidget *) { ++previews; });
    key(Qt::Key_P, Qt::ControlModifier);
    setListPreviewer(nullptr);
    QCOMPARE(previews, 1);
    QVERIFY(form.personalTable()->isEditing());
}

void TstFrPers::missingTablesAreReported()
{
    m_data.reset();
    m_data = std::make_unique<TempDataDir>(false);
    {
        auto box = answerNextModal(clickButton(QMessageBox::Ok));
        TFormPers form;
        QVERIFY(box->answered());
        QCOMPARE(box->text, QStringLiteral("Kann Personal-Datei nicht öffnen !"));
        form.show();
        QTRY_VERIFY(!form.isVisible());
    }
    m_data.reset();
    m_data = std::make_unique<TempDataDir>();
    seedEmployee(5);
    TempDataDir::exec(QStringLiteral("DROP TABLE Schicht"));
    auto box = answerNextModal(clickButton(QMessageBox::Ok));
    TFormPers form;
    QVERIFY(box->answered());
    QCOMPARE(box->text, QStringLiteral("Kann Schicht-Datei nicht öffnen !"));
    form.show();
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(sqlCount(QStringLiteral("Personal")), 1);
}

void TstFrPers::planRenamedInTheShiftPlanWindowShowsAtOnce()
{
    seedPlan(1, QStringLiteral("Früh"));
    seedPlan(2, QStringLiteral("Spät"));
    seedEmployee(100); // on plan 2
    TFormPers &form = openForm();
    auto *plans = control<DbLookupComboBox>(form, "edSchicht");
    QCOMPARE(plans->currentIndex(), 2);
    // The shift plan window stores a new name and a new plan.
    Table shifts(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    shifts.open();
    QVERIFY(shifts.findKey({2}));
    shifts.field(QStringLiteral("Bezeichnung")).setAsString(QStringLiteral("Spätschicht"));
    shifts.post();
    QTRY_COMPARE(plans->model()->index(2, 1).data().toString(), QStringLiteral("Spätschicht"));
    QCOMPARE(plans->currentIndex(), 2);
    QVERIFY(!form.personalTable()->isEditing());
}

QTEST_MAIN(TstFrPers)
#include "tst_formpers.moc"
