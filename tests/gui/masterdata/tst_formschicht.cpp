// The shift plan window through its controls and keys, with its prompts and questions
// answered by the test.
#include <QtTest>

#include "core/db/Table.h"
#include "gui/masterdata/FormSchicht.h"
#include "gui/reports/ListCommands.h"
#include "gui/timefields/KvTimeEdit.h"
#include "gui/widgets/DbEdit.h"
#include "gui/widgets/DbGrid.h"
#include "gui/widgets/DbNavigator.h"
#include "gui/widgets/DbSearchEdit.h"
#include "gui/widgets/PageArea.h"
#include "tests/gui/masterdata/MasterDataKit.h"
#include "tests/support/TempDataDir.h"

#include <QCheckBox>
#include <QToolButton>

using namespace tk;
using namespace tk::test;

namespace {

void seedPlan(int plan, const QString &designation = QString())
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Schicht (Schichtplan, Bezeichnung) VALUES (%1, '%2')")
            .arg(plan)
            .arg(designation));
    const QStringList labels = TFormSchicht::dayLabels();
    for (int day = 1; day <= 8; ++day)
        TempDataDir::exec(
            QStringLiteral("INSERT INTO Tagplan (Schichtplan, Tagesplan, Bezeichnung) VALUES "
                           "(%1, %2, '%3')")
                .arg(plan)
                .arg(day)
                .arg(labels.at(day - 1)));
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

// The text a grid cell shows: the stored value passed through the window's formatter.
CellStyle cellOf(DbGrid *grid, int row, int column)
{
    const QModelIndex index = grid->model()->index(row, column);
    CellStyle style;
    const QVariant value = index.data();
    style.text = value.isNull() ? QString() : value.toString();
    if (grid->cellFormatter())
        grid->cellFormatter()(row, grid->tableModel()->fieldAt(column), value, style);
    return style;
}

} // namespace

class TstFrSchicht : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void emptyTableProposesOneAndCreatesEightEmptyDayPlans();
    void proposalFollowsTheHighestNumber();
    void existingNumberIsRefusedAndBecomesCurrent();
    void cancelledPromptAddsNothing();
    void deletingAPlanRemovesItsDayPlansOnly();
    void answeringNoDeletesNothing();
    void gridShowsClockTextAndEmptyCells();
    void typedTimeReachesTheTableAndDeleteWritesNull();
    void closingStoresPendingEdits();
    void ctrlKeysDoNothingInTheDayPlanGrid();
    void ctrlCDropsBothPendingEdits();
    void searchFieldMovesToThePlan();
    void ctrlSKeepsTheCurrentDayPlan();
    void halfTypedDigitDoesNotCarryOverToAnotherDayPlan();
    void usedPlanIsNotDeleted();
    void dayPlanIsCopiedToChosenWeekdays();
    void missingTablesAreReportedAndCloseTheWindow();

private:
    std::unique_ptr<TempDataDir> m_data;
    std::unique_ptr<ModalGuard> m_guard;
    std::unique_ptr<TFormSchicht> m_form;
    TFormSchicht &openForm();
};

void TstFrSchicht::init()
{
    m_data = std::make_unique<TempDataDir>();
    m_guard = std::make_unique<ModalGuard>();
}

void TstFrSchicht::cleanup()
{
    m_form.reset();
    setListPreviewer(nullptr);
    const QStringList unexpected = m_guard->unexpected();
    m_guard.reset();
    m_data.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QStringLiteral("; "))));
}

TFormSchicht &TstFrSchicht::openForm()
{
    m_form = std::make_unique<TFormSchicht>();
    m_form->show();
    if (!QTest::qWaitForWindowActive(m_form.get()))
        qWarning("window not active");
    return *m_form;
}

void TstFrSchicht::emptyTableProposesOneAndCreatesEightEmptyDayPlans()
{
    TFormSchicht &form = openForm();
    QVERIFY(form.tablesOpen());
    QVERIFY(!form.pages()->isPageEnabled(0));

    auto answers = answerPrompt(QStringLiteral("1"));
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(answers->prompt->answered());
    QCOMPARE(answers->title, QStringLiteral("Neu Schicht"));
    QCOMPARE(answers->label, QStringLiteral("Schicht-Nr.:"));
    QCOMPARE(answers->presetText, QStringLiteral("1"));
    QVERIFY(answers->presetSelected);

    QVERIFY(form.pages()->isPageEnabled(0));
    QCOMPARE(sqlCount(QStringLiteral("Schicht WHERE Schichtplan = 1")), 1);
    QVERIFY(sqlValue(QStringLiteral("SELECT Bezeichnung FROM Schicht")).isNull());
    QCOMPARE(sqlCount(QStringLiteral("Tagplan WHERE Schichtplan = 1")), 8);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan WHERE Von IS NOT NULL OR Bis IS NOT NULL OR "
                                     "PauseVon1 IS NOT NULL OR Sollstd IS NOT NULL OR "
                                     "Ueberstd3 IS NOT NULL")),
             0);
    auto *grid = control<DbGrid>(form, "grdTagplan");
    QCOMPARE(grid->model()->rowCount(), 8);
    QStringList labels;
    for (int row = 0; row < 8; ++row) {
        labels << cellOf(grid, row, 1).text;
        QCOMPARE(cellOf(grid, row, 0).text, QString::number(row + 1));
        QCOMPARE(cellOf(grid, row, 2).text, QString());
    }
    QCOMPARE(labels, TFormSchicht::dayLabels());
    QCOMPARE(form.tagplanTable()->currentRow(), 0);
    QCOMPARE(focusName(), QStringLiteral("edBezeichnung"));
    QCOMPARE(control<DbSearchEdit>(form, "edSchichtplan")->text(), QStringLiteral("1"));
}

void TstFrSchicht::proposalFollowsTheHighestNumber()
{
    seedPlan(1);
    seedPlan(2);
    seedPlan(5);
    TFormSchicht &form = openForm();
    auto answers = answerPrompt(QStringLiteral("3"));
    control<DbNavigator>(form, "dbNavSchicht")->button(DbNavigator::Insert)->click();
    QVERIFY(reactivate(&form));
    QVERIFY(answers->prompt->answered());
    QCOMPARE(answers->presetText, QStringLiteral("6"));
    QCOMPARE(sqlCount(QStringLiteral("Schicht")), 4);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan WHERE Schichtplan = 3")), 8);
    QCOMPARE(form.schichtTable()->field(QStringLiteral("Schichtplan")).asInteger(), 3);
    QCOMPARE(form.tagplanTable()->recordCount(), 8);
}

void TstFrSchicht::existingNumberIsRefusedAndBecomesCurrent()
{
    seedPlan(1);
    seedPlan(2, QStringLiteral("Zwei"));
    seedPlan(5);
    TFormSchicht &form = openForm();
    QCOMPARE(form.schichtTable()->currentRow(), 0);
    auto answers = answerPrompt(QStringLiteral("2"), clickButton(QMessageBox::Ok));
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(answers->prompt->answered());
    QVERIFY(answers->box && answers->box->answered());
    QCOMPARE(answers->box->title, QStringLiteral("Information"));
    QCOMPARE(answers->box->text, QStringLiteral("Schicht-Nr.: 2 vorhanden !"));
    QCOMPARE(sqlCount(QStringLiteral("Schicht")), 3);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan")), 24);
    QCOMPARE(form.schichtTable()->field(QStringLiteral("Bezeichnung")).asString(),
             QStringLiteral("Zwei"));
    QCOMPARE(focusName(), QStringLiteral("edBezeichnung"));
}

void TstFrSchicht::cancelledPromptAddsNothing()
{
    {
        TFormSchicht &form = openForm();
        auto answers = answerPrompt(QString());
        key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(reactivate(&form));
        QVERIFY(answers->prompt->answered());
        QCOMPARE(sqlCount(QStringLiteral("Schicht")), 0);
        QVERIFY(!form.pages()->isPageEnabled(0)); // no plan: the focus cannot go to page 1
    }
    seedPlan(4);
    TFormSchicht &form = openForm();
    auto answers = answerPrompt(QString());
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(answers->prompt->answered());
    QCOMPARE(answers->presetText, QStringLiteral("5"));
    QCOMPARE(sqlCount(QStringLiteral("Schicht")), 1);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan")), 8);
    QCOMPARE(focusName(), QStringLiteral("edBezeichnung"));
}

void TstFrSchicht::deletingAPlanRemovesItsDayPlansOnly()
{
    seedPlan(1);
    seedPlan(2);
    seedPlan(3);
    TFormSchicht &form = openForm();
    QVERIFY(form.schichtTable()->findKey({2}));
    std::shared_ptr<ModalAnswer> noSecond;
    auto question = answerNextModal([&noSecond](QWidget *modal) {
        noSecond = expectNoModal(); // a second question would be seen and closed
        clickButton(QMessageBox::Yes)(modal);
    });
    key(Qt::Key_L, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(question->answered());
    QCOMPARE(question->title, QStringLiteral("Bestätigung"));
    QCOMPARE(question->text, QStringLiteral("Schichtplan löschen ?"));
    QCOMPARE(sqlCount(QStringLiteral("Schicht WHERE Schichtplan = 2")), 0);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan WHERE Schichtplan = 2")), 0);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan")), 16);
    // The next plan is the current one and shows its own day plans.
    QCOMPARE(form.schichtTable()->field(QStringLiteral("Schichtplan")).asInteger(), 3);
    QCOMPARE(form.tagplanTable()->recordCount(), 8);
    QTest::qWait(350);
    QVERIFY(noSecond && !noSecond->seen);
}

void TstFrSchicht::answeringNoDeletesNothing()
{
    seedPlan(1);
    TFormSchicht &form = openForm();
    std::shared_ptr<ModalAnswer> noSecond;
    auto question = answerNextModal([&noSecond](QWidget *modal) {
        noSecond = expectNoModal();
        clickButton(QMessageBox::No)(modal);
    });
    control<DbNavigator>(form, "dbNavSchicht")->button(DbNavigator::Delete)->click();
    QVERIFY(reactivate(&form));
    QVERIFY(question->answered());
    QTest::qWait(350);
    QVERIFY(noSecond && !noSecond->seen);
    QCOMPARE(sqlCount(QStringLiteral("Schicht")), 1);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan")), 8);
}

void TstFrSchicht::gridShowsClockTextAndEmptyCells()
{
    seedPlan(1);
    TempDataDir::exec(QStringLiteral(
        "UPDATE Tagplan SET Von = 480, Sollstd = 465 WHERE Schichtplan = 1 AND Tagesplan = 1"));
    TempDataDir::exec(QStringLiteral(
        "UPDATE Tagplan SET Von = 0, Bis = 1500 WHERE Schichtplan = 1 AND Tagesplan = 2"));
    TFormSchicht &form = openForm();
    auto *grid = control<DbGrid>(form, "grdTagplan");
    QCOMPARE(cellOf(grid, 0, 2).text, QStringLiteral("08:00"));
    QCOMPARE(cellOf(grid, 0, 2).alignment, Qt::AlignCenter);
    QCOMPARE(cellOf(grid, 0, 3).text, QString());
    QCOMPARE(cellOf(grid, 0, 4).text, QStringLiteral("07:45"));
    QCOMPARE(cellOf(grid, 1, 2).text, QStringLiteral("00:00")); // 0 is a time, not empty
    QCOMPARE(cellOf(grid, 1, 3).text, QStringLiteral("25:00"));
    QCOMPARE(cellOf(grid, 1, 1).text, QStringLiteral("Di"));
}

void TstFrSchicht::typedTimeReachesTheTableAndDeleteWritesNull()
{
    seedPlan(1);
    TempDataDir::exec(QStringLiteral("UPDATE Tagplan SET Bis = 900 WHERE Tagesplan = 1"));
    TFormSchicht &form = openForm();
    auto *von = control<TKvDBTimeEdit>(form, "edVon");
    QVERIFY(von->isEnabled());
    von->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("0730"));
    // Written into the record at once, before anything is stored.
    QCOMPARE(form.tagplanTable()->field(QStringLiteral("Von")).asInteger(), 450);
    QVERIFY(form.tagplanTable()->isEditing());
    QCOMPARE(focusName(), QStringLiteral("edBis"));
    key(Qt::Key_Delete);
    QVERIFY(form.tagplanTable()->field(QStringLiteral("Bis")).isNull());
    key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!form.tagplanTable()->isEditing());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Von FROM Tagplan WHERE Tagesplan = 1")).toInt(), 450);
    QVERIFY(sqlValue(QStringLiteral("SELECT Bis FROM Tagplan WHERE Tagesplan = 1")).isNull());
    QCOMPARE(cellOf(control<DbGrid>(form, "grdTagplan"), 0, 2).text, QStringLiteral("07:30"));

    // A duration field takes three hour digits.
    control<QWidget>(form, "edUeberstd2")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("01230"));
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Ueberstd2 FROM Tagplan WHERE Tagesplan = 1")).toInt(),
             750);
}

void TstFrSchicht::closingStoresPendingEdits()
{
    seedPlan(1, QStringLiteral("Alt"));
    TFormSchicht &form = openForm();
    auto *designation = control<DbEdit>(form, "edBezeichnung");
    designation->setFocus(Qt::TabFocusReason);
    designation->selectAll();
    typeText(QStringLiteral("Nacht"));
    QVERIFY(form.schichtTable()->isEditing());
    control<QWidget>(form, "edPauseVon1")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("2200"));
    QVERIFY(form.tagplanTable()->isEditing());
    QVERIFY(form.close());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Bezeichnung FROM Schicht")).toString(),
             QStringLiteral("Nacht"));
    QCOMPARE(sqlValue(QStringLiteral("SELECT PauseVon1 FROM Tagplan WHERE Tagesplan = 1")).toInt(),
             1320);
}

void TstFrSchicht::ctrlKeysDoNothingInTheDayPlanGrid()
{
    seedPlan(1);
    seedPlan(2);
    TFormSchicht &form = openForm();
    auto *grid = control<DbGrid>(form, "grdTagplan");
    grid->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusName(), QStringLiteral("grdTagplan"));

    int previews = 0;
    setListPreviewer([&previews](Report &, QWidget *) { ++previews; });
    auto none = expectNoModal();
    key(Qt::Key_N, Qt::ControlModifier);
    key(Qt::Key_L, Qt::ControlModifier);
    key(Qt::Key_P, Qt::ControlModifier);
    QTest::qWait(350);
    QVERIFY(!none->seen);
    QCOMPARE(previews, 0);
    QCOMPARE(sqlCount(QStringLiteral("Schicht")), 2);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan")), 16);

    // F5 still switches the pages.
    key(Qt::Key_F5);
    QCOMPARE(form.pages()->currentIndex(), 1);
    key(Qt::Key_F5);
    QCOMPARE(form.pages()->currentIndex(), 0);

    // Arrows move in the grid; Enter moves the focus on to Von.
    grid->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Down);
    QCOMPARE(form.tagplanTable()->currentRow(), 1);
    key(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("edVon"));
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(focusName(), QStringLiteral("grdTagplan"));

    // Outside the grid the same Ctrl keys act: Ctrl+P shows the list, Ctrl+N asks.
    control<QWidget>(form, "edBezeichnung")->setFocus(Qt::TabFocusReason);
    key(Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(previews, 1);
    auto answers = answerPrompt(QString());
    key(Qt::Key_N, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(answers->prompt->answered());
}

void TstFrSchicht::ctrlCDropsBothPendingEdits()
{
    seedPlan(1, QStringLiteral("Alt"));
    TFormSchicht &form = openForm();
    control<QWidget>(form, "edBezeichnung")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("X"));
    control<QWidget>(form, "edBis")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("1700"));
    QVERIFY(form.schichtTable()->isEditing());
    QVERIFY(form.tagplanTable()->isEditing());
    key(Qt::Key_C, Qt::ControlModifier);
    QVERIFY(!form.schichtTable()->isEditing());
    QVERIFY(!form.tagplanTable()->isEditing());
    QVERIFY(sqlValue(QStringLiteral("SELECT Bis FROM Tagplan WHERE Tagesplan = 1")).isNull());
    QCOMPARE(sqlValue(QStringLiteral("SELECT Bezeichnung FROM Schicht")).toString(),
             QStringLiteral("Alt"));
    QCOMPARE(control<DbEdit>(form, "edBezeichnung")->text(), QStringLiteral("Alt"));
    QVERIFY(control<TKvDBTimeEdit>(form, "edBis")->isEmpty());
}

void TstFrSchicht::searchFieldMovesToThePlan()
{
    seedPlan(1, QStringLiteral("Eins"));
    seedPlan(7, QStringLiteral("Sieben"));
    TFormSchicht &form = openForm();
    auto *search = control<DbSearchEdit>(form, "edSchichtplan");
    QCOMPARE(focusName(), QStringLiteral("edSchichtplan"));
    QCOMPARE(search->text(), QStringLiteral("1"));
    search->selectAll();
    typeText(QStringLiteral("7"));
    key(Qt::Key_Return);
    QCOMPARE(focusName(), QStringLiteral("edBezeichnung"));
    QCOMPARE(form.schichtTable()->field(QStringLiteral("Bezeichnung")).asString(),
             QStringLiteral("Sieben"));
    QCOMPARE(form.tagplanTable()->field(QStringLiteral("Schichtplan")).asInteger(), 7);
    // Editing the plan disables the search field.
    typeText(QStringLiteral("!"));
    QVERIFY(!search->isEnabled());
}

void TstFrSchicht::ctrlSKeepsTheCurrentDayPlan()
{
    seedPlan(1);
    TFormSchicht &form = openForm();
    control<QWidget>(form, "edBezeichnung")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("Früh")); // storing the plan must not move its day plans
    QVERIFY(form.tagplanTable()->findKey({1, 5}));
    control<QWidget>(form, "edUeberstd3")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("0010")); // the minutes are half typed: the focus stays
    key(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Ueberstd3 FROM Tagplan WHERE Tagesplan = 5")).toInt(),
             60);
    QCOMPARE(form.tagplanTable()->field(QStringLiteral("Tagesplan")).asInteger(), 5);
    QCOMPARE(focusName(), QStringLiteral("edUeberstd3"));
    // The next keys still edit the Friday.
    key(Qt::Key_Delete);
    key(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(sqlValue(QStringLiteral("SELECT Ueberstd3 FROM Tagplan WHERE Tagesplan = 5")).isNull());
    QVERIFY(sqlValue(QStringLiteral("SELECT Ueberstd3 FROM Tagplan WHERE Tagesplan = 1")).isNull());
}

void TstFrSchicht::halfTypedDigitDoesNotCarryOverToAnotherDayPlan()
{
    seedPlan(1);
    TFormSchicht &form = openForm();
    QVERIFY(form.tagplanTable()->findKey({1, 5}));
    control<QWidget>(form, "edPauseVon3")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("1"));
    key(Qt::Key_Delete);
    auto *grid = control<DbGrid>(form, "grdTagplan");
    grid->setFocus(Qt::TabFocusReason);
    for (int row = 5; row < 8; ++row)
        key(Qt::Key_Down);
    QCOMPARE(form.tagplanTable()->field(QStringLiteral("Tagesplan")).asInteger(), 8);
    control<QWidget>(form, "edPauseVon3")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("14301445"));
    control<QWidget>(form, "edSollstd")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("00800"));
    key(Qt::Key_S, Qt::ControlModifier);
    const QString ft = QStringLiteral(" FROM Tagplan WHERE Tagesplan = 8");
    QCOMPARE(sqlValue(QStringLiteral("SELECT PauseVon3") + ft).toInt(), 14 * 60 + 30);
    QCOMPARE(sqlValue(QStringLiteral("SELECT PauseBis3") + ft).toInt(), 14 * 60 + 45);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Sollstd") + ft).toInt(), 8 * 60);
    QVERIFY(sqlValue(QStringLiteral("SELECT PauseVon3 FROM Tagplan WHERE Tagesplan = 5")).isNull());
}

void TstFrSchicht::usedPlanIsNotDeleted()
{
    seedPlan(1);
    seedPlan(2);
    TempDataDir::exec(QStringLiteral("INSERT INTO Personal (PersonalNummer, Name, Schicht, "
                                     "AuswertBegin) VALUES (7, 'A', 2, 1)"));
    for (int day = 0; day < 61; ++day)
        TempDataDir::exec(
            QStringLiteral(
                "INSERT INTO auswert (PersonalNummer, Datum, Schicht) VALUES (7, '%1', 2)")
                .arg(QDate(2026, 10, 1).addDays(day).toString(Qt::ISODate)));
    TempDataDir::exec(QStringLiteral(
        "INSERT INTO auswert (PersonalNummer, Datum, Schicht) VALUES (8, '2026-10-01', 1)"));
    TFormSchicht &form = openForm();
    QVERIFY(form.schichtTable()->findKey({2}));
    auto refusal = answerNextModal(clickButton(QMessageBox::Ok));
    key(Qt::Key_L, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QVERIFY(refusal->answered());
    QCOMPARE(refusal->text,
             QStringLiteral("Schichtplan 2 wird von 1 Mitarbeiter und 61 Tagen "
                            "verwendet."));
    QCOMPARE(sqlCount(QStringLiteral("Schicht")), 2);
    QCOMPARE(sqlCount(QStringLiteral("Tagplan")), 16);

    // Used by one day record alone: refused as well, in the singular.
    QVERIFY(form.schichtTable()->findKey({1}));
    refusal = answerNextModal(clickButton(QMessageBox::Ok));
    key(Qt::Key_L, Qt::ControlModifier);
    QVERIFY(reactivate(&form));
    QCOMPARE(refusal->text, QStringLiteral("Schichtplan 1 wird von 1 Tag verwendet."));
    QCOMPARE(sqlCount(QStringLiteral("Schicht")), 2);
}

void TstFrSchicht::dayPlanIsCopiedToChosenWeekdays()
{
    seedPlan(1);
    seedPlan(2);
    TempDataDir::exec(QStringLiteral(
        "UPDATE Tagplan SET Von = 360, Bis = 885, PauseVon1 = 540, PauseBis1 = "
        "555, Sollstd = 480, Ueberstd3 = 60 WHERE Schichtplan = 1 AND Tagesplan = 1"));
    TempDataDir::exec(
        QStringLiteral("UPDATE Tagplan SET Von = 420 WHERE Schichtplan = 1 AND Tagesplan = 4"));
    TFormSchicht &form = openForm();
    control<QWidget>(form, "edBis")->setFocus(Qt::TabFocusReason);
    typeText(QStringLiteral("1500")); // pending, stored before copying
    // Keys alone: the first box that can be chosen has the focus; Monday cannot be.
    std::vector<QString> offered;
    auto dialog = answerNextModal([&offered](QWidget *modal) {
        for (QCheckBox *box : modal->findChildren<QCheckBox *>())
            if (box->isEnabled())
                offered.push_back(box->text());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // Di
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // Fr
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    control<QAbstractButton>(form, "btnCopyDayPlan")->click();
    QVERIFY(reactivate(&form));
    QVERIFY(dialog->answered());
    QCOMPARE(dialog->title, QStringLiteral("Tagesplan kopieren"));
    QCOMPARE(offered.size(), size_t(7));
    const QString copied = QStringLiteral(
        "Tagplan WHERE Schichtplan = 1 AND Von = 360 AND Bis = 900 AND PauseVon1 = 540 AND "
        "PauseBis1 = 555 AND Sollstd = 480 AND Ueberstd3 = 60 AND PauseVon2 IS NULL");
    QCOMPARE(sqlCount(copied + QStringLiteral(" AND Tagesplan IN (1, 2, 5)")), 3);
    QCOMPARE(sqlCount(copied), 3);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Von FROM Tagplan WHERE Schichtplan = 1 AND "
                                     "Tagesplan = 4"))
                 .toInt(),
             420);
    QCOMPARE(sqlValue(QStringLiteral("SELECT Bezeichnung FROM Tagplan WHERE Schichtplan = 1 AND "
                                     "Tagesplan = 2"))
                 .toString(),
             QStringLiteral("Di"));
    QCOMPARE(sqlCount(QStringLiteral("Tagplan WHERE Schichtplan = 2 AND Von IS NOT NULL")), 0);
    // The window shows the copies and stays on the day plan copied from.
    QCOMPARE(form.tagplanTable()->field(QStringLiteral("Tagesplan")).asInteger(), 1);
    QCOMPARE(cellOf(control<DbGrid>(form, "grdTagplan"), 4, 3).text, QStringLiteral("15:00"));

    // Abbrechen copies nothing.
    dialog = answerNextModal([](QWidget *modal) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    control<QAbstractButton>(form, "btnCopyDayPlan")->click();
    QVERIFY(reactivate(&form));
    QVERIFY(dialog->answered());
    QCOMPARE(sqlCount(copied), 3);
}

void TstFrSchicht::missingTablesAreReportedAndCloseTheWindow()
{
    m_data.reset();
    m_data = std::make_unique<TempDataDir>(false); // no database at all
    {
        auto box = answerNextModal(clickButton(QMessageBox::Ok));
        TFormSchicht form;
        QVERIFY(box->answered());
        QCOMPARE(box->text, QStringLiteral("Kann Schicht-Datei nicht öffnen !"));
        QVERIFY(!form.tablesOpen());
        form.show();
        QTRY_VERIFY(!form.isVisible()); // the window closes itself
    }
    m_data.reset();
    m_data = std::make_unique<TempDataDir>();
    seedPlan(1);
    TempDataDir::exec(QStringLiteral("DROP TABLE Tagplan"));
    auto box = answerNextModal(clickButton(QMessageBox::Ok));
    TFormSchicht form;
    QVERIFY(box->answered());
    QCOMPARE(box->text, QStringLiteral("Kann Tagesplan-Datei nicht öffnen !"));
    form.show();
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(sqlCount(QStringLiteral("Schicht")), 1); // nothing stored is touched
}

QTEST_MAIN(TstFrSchicht)
#include "tst_formschicht.moc"
