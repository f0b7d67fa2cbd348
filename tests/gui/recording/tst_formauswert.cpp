#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "core/db/Table.h"
#include "core/db/TableChanges.h"
#include "core/recording/OtherDayEntries.h"
#include "core/settings/FirmSettings.h"
#include "gui/recording/FormAuswert.h"
#include "gui/widgets/DbGrid.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

// Counts the day sheet actions the keys reach.
class CountingForm : public TFormAuswert
{
public:
    int changes = 0, news = 0, edits = 0;
    void vgDBGrid3DblClick() override { ++changes; }
    void dbSBtnNewBeforeAction() override { ++news; }
    void dbSBtnEditBeforeAction() override { ++edits; }
};

void exampleStaff()
{
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Schmidt"), 1, 16);
}

void choose(TFormAuswert &form, int month, int year)
{
    form.edMonat->setCurrentIndex(month - 1);
    form.edJahr->setValue(year);
}

CellStyle cellOf(DbGrid *grid, int row, int column)
{
    CellStyle style;
    const QVariant value = grid->model()->index(row, column).data();
    style.text = value.isNull() ? QString() : value.toString();
    grid->cellFormatter()(row, grid->tableModel()->fieldAt(column), value, style);
    return style;
}

QString totalsLine(const TFormAuswert &form)
{
    return form.paSummen->text().replace(QChar(QChar::Nbsp), QLatin1Char(' '));
}

int rowOf(Table *auswert, const QDate &date)
{
    for (int row = 0; row < auswert->recordCount(); ++row) {
        if (auswert->valueAt(row, auswert->fieldIndex(QStringLiteral("Datum"))).toString()
            == date.toString(Qt::ISODate))
            return row;
    }
    return -1;
}

} // namespace

class TestFormAuswert : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opensOnTheCurrentMonthOfTheFirstEmployee();
    void movingToAnotherEmployeeSelectsItsPeriod();
    void previousAndNextMonthWrapInOneSelection();
    void yearBoundKeepsTheYear();
    void gridTextsOfACreatedDay();
    void entryGridTexts();
    void functionKeysReachTheDaySheetWhateverTheModifiers();
    void enterOnTheEmployeeGridShowsTheTimes();
    void periodThatCannotBeFormedKeepsTheRestriction();
    void tableThatCannotBeOpened();
    void employeesStoredElsewhereAppearAtOnce();
    void periodDatesAndTotalsFollowTheSelection();
    void entriesStoredElsewhereAppearOnceNoDialogIsOpen();
    void holidaysOfTheFirmsStateAreMarked();
    void accountLineFollowsTheDays();
    void lawFindingsShowInTheirColumn();
};

void TestFormAuswert::opensOnTheCurrentMonthOfTheFirstEmployee()
{
    TempDataDir dir;
    exampleStaff();
    TFormAuswert form;
    const QDate today = QDate::currentDate();
    QCOMPARE(form.selectedMonth(), today.month());
    QCOMPARE(form.selectedYear(), today.year());
    QCOMPARE(form.edMonat->count(), 12);
    QCOMPARE(form.edMonat->itemText(2), QStringLiteral("März"));
    QCOMPARE(form.PageControl1->currentWidget(), form.tsZeiten);
    QCOMPARE(form.paName->text(), QStringLiteral("Hans  Müller"));
    QCOMPARE(form.tblAuswert->recordCount(), today.daysInMonth());
    QCOMPARE(countDayRecords(1), today.daysInMonth());
    QCOMPARE(countDayRecords(2), 0);
    QCOMPARE(form.tblAuswert->currentRow(), 0);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(),
             QDate(today.year(), today.month(), 1));
    QCOMPARE(form.vgDBGrid2->model()->rowCount(), today.daysInMonth());
    QVERIFY(!form.dbSBtnFirst->isEnabled());
    QVERIFY(form.dbSBtnLast->isEnabled());
    QCOMPARE(form.btnPrevMonth->toolTip(), QStringLiteral("Vorheriger Monat"));
    QCOMPARE(form.btnNextMonth->toolTip(), QStringLiteral("Nächster Monat"));
}

void TestFormAuswert::movingToAnotherEmployeeSelectsItsPeriod()
{
    TempDataDir dir;
    exampleStaff();
    TFormAuswert form;
    choose(form, 1, 2024);
    form.tblPersonal->next();
    QCOMPARE(form.paName->text(), QStringLiteral("Eva  Schmidt"));
    QCOMPARE(form.tblAuswert->recordCount(), 31); // 16 January to 15 February
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2024, 1, 16));
    QCOMPARE(countDayRecords(2, QDate(2024, 1, 16), QDate(2024, 2, 15)), 31);
    form.edMonat->setCurrentIndex(1);
    QCOMPARE(form.tblAuswert->recordCount(), 29); // 16 February to 15 March 2024
}

void TestFormAuswert::previousAndNextMonthWrapInOneSelection()
{
    TempDataDir dir;
    exampleStaff();
    TFormAuswert form;
    choose(form, 1, 2024);
    const auto monthCount = [](int month, int year) {
        const QDate first(year, month, 1);
        return countDayRecords(1, first, first.addMonths(1).addDays(-1));
    };
    QCOMPARE(monthCount(1, 2024), 31);

    form.btnPrevMonth->click();
    QCOMPARE(form.selectedMonth(), 12);
    QCOMPARE(form.selectedYear(), 2023);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2023, 12, 1));
    QCOMPARE(monthCount(12, 2023), 31);
    // No selection ran for a combination in between.
    QCOMPARE(monthCount(12, 2024), 0);
    QCOMPARE(monthCount(1, 2023), 0);

    form.btnNextMonth->click();
    QCOMPARE(form.selectedMonth(), 1);
    QCOMPARE(form.selectedYear(), 2024);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2024, 1, 1));
    QCOMPARE(monthCount(1, 2023), 0);
    QCOMPARE(monthCount(12, 2024), 0);

    form.btnNextMonth->click();
    QCOMPARE(form.selectedMonth(), 2);
    QCOMPARE(form.tblAuswert->recordCount(), 29);
}

void TestFormAuswert::yearBoundKeepsTheYear()
{
    TempDataDir dir;
    exampleStaff();
    TFormAuswert form;
    choose(form, 1, 1900);
    form.btnPrevMonth->click();
    QCOMPARE(form.selectedMonth(), 12);
    QCOMPARE(form.selectedYear(), 1900);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(1900, 12, 1));
    choose(form, 12, 2900);
    form.btnNextMonth->click();
    QCOMPARE(form.selectedMonth(), 1);
    QCOMPARE(form.selectedYear(), 2900);
    // The year is changed by stepping only.
    form.edJahr->setFocus();
    QTest::keyClicks(form.edJahr, QStringLiteral("2"));
    QCOMPARE(form.selectedYear(), 2900);
    QTest::keyClick(form.edJahr, Qt::Key_Down);
    QCOMPARE(form.selectedYear(), 2899);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2899, 1, 1));
}

void TestFormAuswert::gridTextsOfACreatedDay()
{
    TempDataDir dir;
    exampleStaff();
    addDayRecord(1, QDate(2024, 3, 5), 1, 0, 0);
    TempDataDir::exec(QStringLiteral("UPDATE auswert SET Krank = 90, Urlaub = -5, Anwesend = 0"));
    TFormAuswert form;
    choose(form, 3, 2024);
    DbGrid *grid = form.vgDBGrid2;
    QCOMPARE(grid->model()->headerData(3, Qt::Horizontal), QVariant(QStringLiteral("Sum.")));

    const int monday = rowOf(form.tblAuswert, QDate(2024, 3, 4)); // created by the selection
    QVERIFY(monday >= 0);
    const CellStyle date = cellOf(grid, monday, 0);
    QCOMPARE(date.text, QStringLiteral("Mo 04.03"));
    QVERIFY(date.bold);
    QVERIFY(date.alignment & Qt::AlignRight);
    QVERIFY(!date.color.isValid());
    QCOMPARE(cellOf(grid, monday, 1).text, QStringLiteral("1"));
    QCOMPARE(cellOf(grid, monday, 2).text, QStringLiteral("08:00"));
    const CellStyle summe = cellOf(grid, monday, 3);
    QCOMPARE(summe.text, QStringLiteral("--"));
    QVERIFY(summe.bold);
    QVERIFY(summe.alignment & Qt::AlignHCenter);
    for (int column = 4; column <= 8; ++column)
        QCOMPARE(cellOf(grid, monday, column).text, QString());

    const CellStyle saturday = cellOf(grid, rowOf(form.tblAuswert, QDate(2024, 3, 2)), 0);
    QCOMPARE(saturday.text, QStringLiteral("Sa 02.03"));
    QCOMPARE(saturday.color, QColor(Qt::red));
    QCOMPARE(cellOf(grid, rowOf(form.tblAuswert, QDate(2024, 3, 3)), 0).color, QColor(Qt::red));

    const int tuesday = rowOf(form.tblAuswert, QDate(2024, 3, 5));
    QCOMPARE(cellOf(grid, tuesday, 2).text, QStringLiteral("--")); // Soll 0
    QCOMPARE(cellOf(grid, tuesday, 4).text, QStringLiteral("--")); // Anwesend 0
    const CellStyle krank = cellOf(grid, tuesday, 5);
    QCOMPARE(krank.text, QStringLiteral("01:30"));
    QCOMPARE(krank.color, QColor(Qt::red));
    const CellStyle urlaub = cellOf(grid, tuesday, 6);
    QCOMPARE(urlaub.text, QStringLiteral("--")); // negative
    QCOMPARE(urlaub.color, QColor(Qt::blue));
}

void TestFormAuswert::entryGridTexts()
{
    TempDataDir dir;
    exampleStaff();
    const QDate first(2024, 3, 1);
    addDayRecord(1, first, 1, 0, 0);
    addEntry(1, first, 0, 75, QStringLiteral("A"));
    addEntry(1, first, 480, 1500, QStringLiteral("n"));
    addEntry(1, first, 600, 660, QStringLiteral("N "));
    addEntry(1, first, 700, 710, QStringLiteral("U"));
    TFormAuswert form;
    choose(form, 3, 2024);
    QCOMPARE(form.tblAuswPos->recordCount(), 4);
    DbGrid *grid = form.vgDBGrid3;
    QCOMPARE(cellOf(grid, 0, 0).text, QStringLiteral("00:00"));
    QCOMPARE(cellOf(grid, 0, 1).text, QStringLiteral("01:15"));
    QCOMPARE(cellOf(grid, 0, 2).text, QStringLiteral("Unbezahlt"));
    QCOMPARE(cellOf(grid, 1, 1).text, QStringLiteral("25:00"));
    QCOMPARE(cellOf(grid, 1, 2).text, QString());
    QCOMPARE(cellOf(grid, 2, 2).text, QString());
    QCOMPARE(cellOf(grid, 3, 2).text, QStringLiteral("Urlaub"));
    QVERIFY(form.dbSBtnDelete->isEnabled());
    form.tblAuswert->next(); // a day without entries
    QVERIFY(!form.dbSBtnDelete->isEnabled());
    QVERIFY(form.dbSBtnNew->isEnabled());
}

void TestFormAuswert::functionKeysReachTheDaySheetWhateverTheModifiers()
{
    TempDataDir dir;
    exampleStaff();
    CountingForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.vgDBGrid3);
    QTest::keyClick(form.vgDBGrid3, Qt::Key_F3, Qt::ShiftModifier);
    QTest::keyClick(form.vgDBGrid2, Qt::Key_F2, Qt::ControlModifier);
    QTest::keyClick(form.edMonat, Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(form.vgDBGrid3, Qt::Key_F3);
    QCOMPARE(form.news, 2);
    QCOMPARE(form.changes, 1);
    QCOMPARE(form.edits, 1);
    // A double click on an entry line is the same as F2.
    emit form.vgDBGrid3->lineDoubleClicked();
    QCOMPARE(form.changes, 2);
}

void TestFormAuswert::enterOnTheEmployeeGridShowsTheTimes()
{
    TempDataDir dir;
    exampleStaff();
    TFormAuswert form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.PageControl1->setCurrentWidget(form.tsPersonal);
    form.vgDBGrid1->setFocus();
    QTest::keyClick(form.vgDBGrid1, Qt::Key_Down);
    QCOMPARE(form.tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger(), 2);
    QCOMPARE(form.PageControl1->currentWidget(), form.tsPersonal);
    QTest::keyClick(form.vgDBGrid1, Qt::Key_Return);
    QCOMPARE(form.PageControl1->currentWidget(), form.tsZeiten);
    QCOMPARE(form.tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger(), 2);
    QVERIFY(countDayRecords(2) > 0);
}

void TestFormAuswert::periodThatCannotBeFormedKeepsTheRestriction()
{
    TempDataDir dir;
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Schmidt"), 1, 30);
    TFormAuswert form;
    choose(form, 2, 2024);
    QCOMPARE(form.tblAuswert->recordCount(), 29);
    const int before = countDayRecords(2);

    auto answer = answerNextModal(clickButton(QMessageBox::Ok));
    form.tblPersonal->next();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QCOMPARE(answer->title, QStringLiteral("Information"));
    QCOMPARE(answer->text, QStringLiteral("Ungültiges Argument zum Codieren des Datums"));
    QCOMPARE(countDayRecords(2), before);
    QCOMPARE(form.tblAuswert->recordCount(), 29);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("PersonalNummer")).asInteger(), 1);
    QCOMPARE(form.paName->text(), QStringLiteral("Eva  Schmidt"));
}

void TestFormAuswert::tableThatCannotBeOpened()
{
    TempDataDir dir;
    exampleStaff();
    TempDataDir::exec(QStringLiteral("DROP TABLE AuswPos"));
    auto answer = answerNextModal(clickButton(QMessageBox::Ok));
    TFormAuswert form;
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QVERIFY2(answer->text.contains(QStringLiteral("AuswPos")), qPrintable(answer->text));
    QVERIFY(form.tblPersonal->isOpen());
    QVERIFY(form.tblAuswert->isOpen());
    QVERIFY(!form.tblAuswPos->isOpen());
    QVERIFY(!form.tblTagplan->isOpen());
    QCOMPARE(countDayRecords(1), 0); // the remaining opening steps were skipped
    QCOMPARE(form.edMonat->count(), 12);
    QVERIFY(!form.dbSBtnNew->isEnabled());
}

void TestFormAuswert::employeesStoredElsewhereAppearAtOnce()
{
    TempDataDir dir;
    exampleStaff();
    TFormAuswert form;
    QCOMPARE(form.vgDBGrid1->model()->rowCount(), 2);
    // The personnel window renames the first employee and adds a third one.
    Table personal(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    personal.open();
    QVERIFY(personal.findKey({1}));
    personal.field(QStringLiteral("Name")).setAsString(QStringLiteral("Maier"));
    personal.post();
    personal.append();
    personal.field(QStringLiteral("PersonalNummer")).setAsInteger(3);
    personal.field(QStringLiteral("Name")).setAsString(QStringLiteral("Neu"));
    personal.field(QStringLiteral("AuswertBegin")).setAsInteger(1);
    personal.post();
    QTRY_COMPARE(form.vgDBGrid1->model()->rowCount(), 3);
    QCOMPARE(form.paName->text(), QStringLiteral("Hans  Maier"));
    QCOMPARE(form.tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger(), 1);
}

// An entry stored elsewhere (another window, another workstation) reaches the day sheet and
// the day's sums; while a dialog is open the rows under it stay as they were.
void TestFormAuswert::entriesStoredElsewhereAppearOnceNoDialogIsOpen()
{
    TempDataDir dir;
    exampleStaff();
    TFormAuswert form;
    TableChanges::deferWhile([] { return QApplication::activeModalWidget() != nullptr; });
    const QDate day = form.tblAuswert->field(QStringLiteral("Datum")).asDate();
    QCOMPARE(form.tblAuswPos->recordCount(), 0);
    bool unchangedWhileOpen = false;
    auto answer = answerNextModal([&](QWidget *modal) {
        appendEntryToDay(1, day, TimeEntry{420, 600, QStringLiteral("N")});
        QTest::qWait(500);
        unchangedWhileOpen = form.tblAuswPos->recordCount() == 0;
        modal->close();
    });
    QDialog dialog(&form);
    dialog.exec();
    QVERIFY2(answer->answered(), qPrintable(answer->failure));
    QVERIFY(unchangedWhileOpen);
    QTRY_COMPARE(form.tblAuswPos->recordCount(), 1);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Anwesend")).asInteger(), 180);
    TableChanges::deferWhile(nullptr);
}

// The date column shows the holidays of the state the settings name, in the Feiertag colour
// with the name as tip; a change of the setting shows at once.
void TestFormAuswert::holidaysOfTheFirmsStateAreMarked()
{
    TempDataDir dir;
    exampleStaff();
    TFormAuswert form;
    form.edJahr->setValue(2026);
    form.edMonat->setCurrentIndex(0); // January
    const auto dateCell = [&form](int day) {
        CellStyle missing;
        missing.toolTip = QStringLiteral("kein Tagessatz");
        if (!form.tblAuswert->findKey({1, QDate(2026, 1, day)}))
            return missing;
        const QModelIndex index = form.vgDBGrid2->model()->index(form.tblAuswert->currentRow(), 0);
        return form.vgDBGrid2->styleOf(index);
    };
    QCOMPARE(dateCell(6).toolTip, QString()); // nationwide only: 6 January is a working day
    FirmSettings::setValue(QStringLiteral("Bundesland"), QStringLiteral("BY"));
    QTRY_COMPARE(dateCell(6).toolTip, QStringLiteral("Heilige Drei Könige"));
    QCOMPARE(dateCell(6).color, QColor(0, 128, 0));
    QCOMPARE(dateCell(1).toolTip, QStringLiteral("Neujahr"));
    QCOMPARE(dateCell(3).color, QColor(Qt::red)); // a Saturday stays a weekend day
    QCOMPARE(dateCell(7).toolTip, QString());
}

// The account line under the totals: the year's vacation left, and the balances moving with
// an entry stored on a day of the period.
void TestFormAuswert::accountLineFollowsTheDays()
{
    TempDataDir dir;
    exampleStaff();
    TempDataDir::exec(QStringLiteral("INSERT INTO Zeitkonto (PersonalNummer, Jahr, SaldoVortrag, "
                                     "Urlaubsanspruch) VALUES (1, 2024, 90, 30)"));
    TFormAuswert form;
    form.edJahr->setValue(2024);
    form.edMonat->setCurrentIndex(0); // January: nothing carried but the opening 1:30
    QVERIFY2(form.paKonto->text().startsWith(QStringLiteral("Zeitkonto: Vortrag 1,50 ")),
             qPrintable(form.paKonto->text()));
    QVERIFY(form.paKonto->text().endsWith(QStringLiteral("Urlaub Rest 30,0 Tage")));
    const QString before = form.paKonto->text();
    appendEntryToDay(1, QDate(2024, 1, 2), TimeEntry{420, 600, QStringLiteral("U")});
    QTRY_VERIFY(form.paKonto->text() != before);
}

// The ArbZG column names the rules a day breaks, the findings as tip.
void TestFormAuswert::lawFindingsShowInTheirColumn()
{
    TempDataDir dir;
    exampleStaff();
    appendEntryToDay(1, QDate(2024, 1, 2), TimeEntry{360, 1080, QStringLiteral("N")});
    appendEntryToDay(1, QDate(2024, 1, 7), TimeEntry{480, 600, QStringLiteral("N")});
    TFormAuswert form;
    form.edJahr->setValue(2024);
    form.edMonat->setCurrentIndex(0);
    const int lawColumn = form.vgDBGrid2->model()->columnCount() - 1;
    QCOMPARE(form.vgDBGrid2->model()->headerData(lawColumn, Qt::Horizontal).toString(),
             QStringLiteral("ArbZG"));
    const auto cell = [&form, lawColumn](int day) {
        form.tblAuswert->findKey({1, QDate(2024, 1, day)});
        return form.vgDBGrid2->styleOf(
            form.vgDBGrid2->model()->index(form.tblAuswert->currentRow(), lawColumn));
    };
    QCOMPARE(cell(2).text, QStringLiteral("§3 §4")); // 12 hours without a break
    QVERIFY2(cell(2).toolTip.startsWith(QStringLiteral("Arbeitszeit 12:00 über 10 Stunden\n")),
             qPrintable(cell(2).toolTip));
    QCOMPARE(cell(7).text, QStringLiteral("§9")); // a Sunday
    QCOMPARE(cell(7).toolTip, QStringLiteral("Arbeit am Sonntag"));
    QCOMPARE(cell(3).text, QString());
}

void TestFormAuswert::periodDatesAndTotalsFollowTheSelection()
{
    TempDataDir dir;
    exampleStaff();
    TFormAuswert form;
    choose(form, 11, 2026);
    QCOMPARE(form.paZeitraum->text(), QStringLiteral("01.11.2026 – 30.11.2026"));
    // Created days have no time yet: no target counts.
    QVERIFY2(totalsLine(form).contains(QStringLiteral("Soll 0,00   Gesamt 0,00")),
             qPrintable(totalsLine(form)));
    form.tblPersonal->next();
    QCOMPARE(form.paZeitraum->text(), QStringLiteral("16.11.2026 – 15.12.2026"));

    QVERIFY(form.tblAuswert->findKey({2, QDate(2026, 11, 30)})); // a Monday, target 8 hours
    form.tblAuswert->field(QStringLiteral("Summe")).setAsInteger(450);
    form.tblAuswert->field(QStringLiteral("Anwesend")).setAsInteger(450);
    form.tblAuswert->post();
    QVERIFY2(totalsLine(form).contains(QStringLiteral("Soll 8,00   Gesamt 7,50   Anw. 7,50")),
             qPrintable(totalsLine(form)));
    form.btnNextMonth->click();
    QCOMPARE(form.paZeitraum->text(), QStringLiteral("16.12.2026 – 15.01.2027"));
}

QTEST_MAIN(TestFormAuswert)
#include "tst_formauswert.moc"
