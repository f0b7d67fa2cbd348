// The month overview window through its keys, and the time recording window it opens.
#include <QComboBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "core/db/Table.h"
#include "core/reports/engine/Report.h"
#include "core/reports/lists/DayMarkColors.h"
#include "core/settings/FirmSettings.h"
#include "gui/recording/FormAuswert.h"
#include "gui/recording/MonthOverviewModel.h"
#include "gui/recording/MonthOverviewWindow.h"
#include "gui/reports/ListCommands.h"
#include "gui/widgets/MonthChoice.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempDataDir.h"
#include "tests/support/TimeRecordingData.h"

using namespace tk;
using namespace tk::test;

namespace {

// Two employees on the example plan (target on Mondays only) in April 2024, Bavaria:
// Hans (from the 1st) worked 08.04. and was sick 15.04., 01.04. (Easter Monday) and 22.04.
// have no entries; Eva (from the 16th) took 29.04. off.
void april()
{
    FirmSettings::setValue(QStringLiteral("Bundesland"), QStringLiteral("BY"));
    addExampleShiftPlan(1);
    addEmployee(1, QStringLiteral("Hans"), QStringLiteral("Müller"), 1, 1);
    addEmployee(2, QStringLiteral("Eva"), QStringLiteral("Schmidt"), 1, 16);
    addEntry(1, QDate(2024, 4, 8), 420, 960, QStringLiteral("N"));
    addEntry(1, QDate(2024, 4, 15), 420, 960, QStringLiteral("K"));
    addEntry(1, QDate(2024, 4, 29), 420, 960, QStringLiteral("N"));
    addEntry(2, QDate(2024, 4, 29), 420, 960, QStringLiteral("U"));
    TempDataDir::exec(QStringLiteral(
        "UPDATE Personal SET EintrittsDatum = '2024-04-16' WHERE PersonalNummer = 2"));
}

QString cell(const MonthOverviewWindow &window, int row, int day)
{
    return window.model()->index(row, day).data().toString();
}

} // namespace

class TestMonthOverviewWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void showsTheMonthOfEveryEmployee();
    void enterAsksForTheDayUnderTheCursor();
    void pageKeysChangeTheMonth();
    void timeRecordingOpensOnTheDay();
    void followsNewEntries();
    void ctrlPPreviewsTheList();

private:
    std::unique_ptr<TempDataDir> m_data;
    std::unique_ptr<ModalGuard> m_guard;
};

void TestMonthOverviewWindow::init()
{
    m_data = std::make_unique<TempDataDir>();
    m_guard = std::make_unique<ModalGuard>();
    april();
}

void TestMonthOverviewWindow::cleanup()
{
    const QStringList unexpected = m_guard->unexpected();
    m_guard.reset();
    m_data.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(QStringLiteral("; "))));
}

void TestMonthOverviewWindow::showsTheMonthOfEveryEmployee()
{
    MonthOverviewWindow window;
    window.monthChoice()->setMonth(4, 2024);
    MonthOverviewModel *model = window.model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->columnCount(), 32); // name, 30 days, missing count
    QCOMPARE(cell(window, 0, 0), QStringLiteral("1 Müller, Hans"));
    QCOMPARE(cell(window, 0, 1), QStringLiteral("fehlt")); // Easter Monday without entry
    QCOMPARE(cell(window, 0, 8), QStringLiteral("N"));
    QCOMPARE(cell(window, 0, 15), QStringLiteral("K"));
    QCOMPARE(cell(window, 0, 22), QStringLiteral("fehlt"));
    QCOMPARE(cell(window, 0, 31), QStringLiteral("2"));
    QCOMPARE(cell(window, 1, 15), QString()); // before Eva's entry
    QCOMPARE(model->index(1, 15).data(Qt::BackgroundRole).value<QBrush>().color(),
             DayMarkBackground(DayMark::NotEmployed));
    QCOMPARE(cell(window, 1, 29), QStringLiteral("U"));
    QCOMPARE(model->index(1, 29).data(Qt::BackgroundRole).value<QBrush>().color(),
             DayMarkBackground(DayMark::Vacation));
    QCOMPARE(model->index(0, 6).data(Qt::BackgroundRole).value<QBrush>().color(),
             FreeDayBackground()); // Saturday
    QCOMPARE(cell(window, 2, 0), QStringLiteral("abwesend"));
    QCOMPARE(cell(window, 2, 15), QStringLiteral("1"));
    QCOMPARE(cell(window, 2, 29), QStringLiteral("1"));
    QCOMPARE(cell(window, 2, 8), QString());
    QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("Ostermontag"));
    QCOMPARE(model->index(0, 8).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Montag, 08.04.2024\nSoll 8,00   Gesamt 0,00"));
}

void TestMonthOverviewWindow::enterAsksForTheDayUnderTheCursor()
{
    MonthOverviewWindow window;
    window.monthChoice()->setMonth(4, 2024);
    QSignalSpy asked(&window, &MonthOverviewWindow::openDay);
    window.grid()->setCurrentIndex(window.model()->index(1, 29));
    QTest::keyClick(window.grid(), Qt::Key_Return);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.at(0).at(0).toInt(), 2);
    QCOMPARE(asked.at(0).at(1).toDate(), QDate(2024, 4, 29));
    // the name, the count and the absent row open nothing
    for (const QModelIndex &index :
         {window.model()->index(1, 0), window.model()->index(1, 31), window.model()->index(2, 3)}) {
        window.grid()->setCurrentIndex(index);
        QTest::keyClick(window.grid(), Qt::Key_Enter);
    }
    QCOMPARE(asked.size(), 1);
}

void TestMonthOverviewWindow::pageKeysChangeTheMonth()
{
    MonthOverviewWindow window;
    window.monthChoice()->setMonth(1, 2024);
    QTest::keyClick(window.grid(), Qt::Key_PageUp);
    QCOMPARE(window.monthChoice()->month(), 12);
    QCOMPARE(window.monthChoice()->year(), 2023);
    QCOMPARE(window.model()->columnCount(), 33);
    QTest::keyClick(window.grid(), Qt::Key_PageDown);
    QTest::keyClick(window.grid(), Qt::Key_PageDown);
    QCOMPARE(window.monthChoice()->firstDay(), QDate(2024, 2, 1));
    QCOMPARE(window.model()->columnCount(), 31);
}

// Eva's 29.04. lies in her period from 16.04., which belongs to April; 05.04. in Hans's April.
void TestMonthOverviewWindow::timeRecordingOpensOnTheDay()
{
    TFormAuswert form;
    form.show();
    form.showEmployeeDay(2, QDate(2024, 4, 29));
    QCOMPARE(form.tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger(), 2);
    QCOMPARE(form.selectedMonth(), 4);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2024, 4, 29));
    QCOMPARE(form.PageControl1->currentWidget(), form.tsZeiten);
    form.showEmployeeDay(2, QDate(2024, 5, 3)); // still the April period
    QCOMPARE(form.selectedMonth(), 4);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2024, 5, 3));
    form.showEmployeeDay(1, QDate(2024, 4, 5));
    QCOMPARE(form.tblPersonal->field(QStringLiteral("PersonalNummer")).asInteger(), 1);
    QCOMPARE(form.tblAuswert->field(QStringLiteral("Datum")).asDate(), QDate(2024, 4, 5));
}

void TestMonthOverviewWindow::followsNewEntries()
{
    MonthOverviewWindow window;
    window.monthChoice()->setMonth(4, 2024);
    QCOMPARE(cell(window, 0, 22), QStringLiteral("fehlt"));
    Table entries(QStringLiteral("AuswPos"), QStringLiteral("PersonalNummer;Datum"));
    entries.open();
    entries.append();
    entries.field(QStringLiteral("PersonalNummer")).setAsInteger(1);
    entries.field(QStringLiteral("Datum")).setAsDate(QDate(2024, 4, 22));
    entries.field(QStringLiteral("Von")).setAsInteger(420);
    entries.field(QStringLiteral("Bis")).setAsInteger(960);
    entries.field(QStringLiteral("Kennung")).setAsString(QStringLiteral("U"));
    entries.post();
    QTRY_COMPARE(cell(window, 0, 22), QStringLiteral("U"));
    QCOMPARE(cell(window, 0, 31), QStringLiteral("1"));
}

void TestMonthOverviewWindow::ctrlPPreviewsTheList()
{
    MonthOverviewWindow window;
    window.monthChoice()->setMonth(4, 2024);
    QStringList shown;
    setListPreviewer([&shown](Report &report, QWidget *) {
        const ReportDocument doc = report.generate();
        shown << report.title() << QString::number(doc.pages.size());
    });
    QTest::keyClick(window.grid(), Qt::Key_P, Qt::ControlModifier);
    setListPreviewer(nullptr);
    QCOMPARE(shown, QStringList({"Monatsübersicht", "1"}));
}

QTEST_MAIN(TestMonthOverviewWindow)
#include "tst_monthoverviewwindow.moc"
