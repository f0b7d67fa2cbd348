// The bound controls and window pieces of the data windows, on their own.
#include <QtTest>

#include <QCalendarWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/db/Table.h"
#include "gui/widgets/CalculatorPanel.h"
#include "gui/widgets/DbCalcEdit.h"
#include "gui/widgets/DbDateEdit.h"
#include "gui/widgets/DbEdit.h"
#include "gui/widgets/DbNavigator.h"
#include "gui/widgets/DbSearchEdit.h"
#include "gui/widgets/FocusChain.h"
#include "gui/widgets/NumberPrompt.h"
#include "gui/widgets/PageArea.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempDataDir.h"

using namespace tk;
using namespace tk::test;

namespace {

void seedPlans(std::initializer_list<int> plans)
{
    for (int plan : plans)
        TempDataDir::exec(
            QStringLiteral("INSERT INTO Schicht (Schichtplan, Bezeichnung) VALUES (%1, 'P%1')")
                .arg(plan));
}

// A shown window holding controls one below the other.
struct Host
{
    QWidget window;
    QVBoxLayout *layout = new QVBoxLayout(&window);

    template <class T>
    T *add(T *control)
    {
        layout->addWidget(control);
        return control;
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }
};

} // namespace

class TstDbControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void calendarShowsWholeWeekdayNames();
    void calculatorPanelTakesTypedKeys();
    void wageTextForms();
    void boundTextFieldWritesAtOnceAndStoresNullWhenEmptied();
    void searchFieldTakesDigitsOnly();
    void searchFieldMovesOnLeavingAndFollowsTheTable();
    void numberPrompt();
    void navigatorAvailability();
    void navigatorRunsTheWindowsActions();
    void pagesSwitchAndFocusFollows();
    void focusMovesOverDisabledAndHiddenControls();
};

void TstDbControls::calculatorPanelTakesTypedKeys()
{
    QLineEdit anchor;
    CalculatorPanel panel(&anchor);
    panel.start(10.0);
    QSignalSpy taken(&panel, &CalculatorPanel::resultTaken);
    panel.popup();
    QTest::keyClicks(&panel, QStringLiteral("*3,5-1"));
    QCOMPARE(panel.displayText(), QStringLiteral("1"));
    QTest::keyClick(&panel, Qt::Key_Return);
    QCOMPARE(taken.count(), 1);
    QCOMPARE(taken.at(0).at(0).toDouble(), 34.0);
    QVERIFY(!panel.isVisible());
}

void TstDbControls::wageTextForms()
{
    const QLocale german(QLocale::German);
    QCOMPARE(DbCalcEdit::formatValue(0.0, german), QStringLiteral("0,00"));
    QCOMPARE(DbCalcEdit::formatValue(1234.5, german), QStringLiteral("1234,50"));
    QCOMPARE(DbCalcEdit::formatValue(-0.001, german), QStringLiteral("0,00"));
    QCOMPARE(DbCalcEdit::formatValue(12.345, german), QStringLiteral("12,35"));
    bool ok = false;
    QCOMPARE(DbCalcEdit::readValue(QStringLiteral("12,5"), &ok), 12.5);
    QVERIFY(ok);
    QCOMPARE(DbCalcEdit::readValue(QStringLiteral("12.5"), &ok), 12.5);
    QCOMPARE(DbCalcEdit::readValue(QStringLiteral(",5"), &ok), 0.5);
    QCOMPARE(DbCalcEdit::readValue(QStringLiteral("-3"), &ok), -3.0);
    for (const char *bad : {"", "-", ",", "1,2,3", "1.000,00", "abc"}) {
        DbCalcEdit::readValue(QLatin1String(bad), &ok);
        QVERIFY2(!ok, bad);
    }
}

void TstDbControls::boundTextFieldWritesAtOnceAndStoresNullWhenEmptied()
{
    TempDataDir data;
    seedPlans({1, 2});
    Table table(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    Host host;
    auto *edit = host.add(new DbEdit);
    QVERIFY(!edit->isEnabled()); // until the table opens
    edit->setDataSource(&table);
    edit->setDataField(QStringLiteral("Bezeichnung"));
    table.open();
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->text(), QStringLiteral("P1"));
    QVERIFY(host.show());
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Frueh"));
    QVERIFY(table.isEditing());
    QCOMPARE(table.field(QStringLiteral("Bezeichnung")).asString(), QStringLiteral("Frueh"));
    table.next(); // a move stores the edit and shows the next row
    QCOMPARE(edit->text(), QStringLiteral("P2"));
    table.first();
    QCOMPARE(edit->text(), QStringLiteral("Frueh"));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QVERIFY(table.field(QStringLiteral("Bezeichnung")).isNull());
    table.cancel();
    QCOMPARE(edit->text(), QStringLiteral("Frueh"));
    table.close();
    QVERIFY(!edit->isEnabled());
}

void TstDbControls::searchFieldTakesDigitsOnly()
{
    DbSearchEdit search;
    QSignalSpy refused(&search, &DbSearchEdit::refused);
    QTest::keyClicks(&search, QStringLiteral("1a2-3 ,4"));
    QCOMPARE(search.text(), QStringLiteral("1234"));
    QCOMPARE(refused.count(), 4);
    QTest::keyClick(&search, Qt::Key_Backspace);
    QCOMPARE(search.text(), QStringLiteral("123"));
    QTest::keyClick(&search, Qt::Key_Escape);
    QCOMPARE(search.text(), QString());
    QCOMPARE(refused.count(), 4);
}

void TstDbControls::searchFieldMovesOnLeavingAndFollowsTheTable()
{
    TempDataDir data;
    seedPlans({3, 12, 40});
    Table table(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    Host host;
    auto *search = host.add(new DbSearchEdit);
    auto *next = host.add(new QLineEdit);
    search->setSearch(&table, QStringLiteral("Schichtplan"));
    QVERIFY(!search->isEnabled());
    table.open();
    QCOMPARE(search->text(), QStringLiteral("3"));
    QVERIFY(host.show());

    search->setFocus();
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("40"));
    next->setFocus(); // leaving the field moves
    QCOMPARE(table.currentRow(), 2);
    QCOMPARE(search->text(), QStringLiteral("40"));

    search->setFocus();
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("99"));
    next->setFocus();
    QCOMPARE(table.currentRow(), 2); // no such plan: the current one stays
    QCOMPARE(search->text(), QStringLiteral("40"));

    search->setFocus();
    QTest::keyClick(search, Qt::Key_Escape);
    next->setFocus();
    QCOMPARE(search->text(), QStringLiteral("40"));

    table.edit();
    QVERIFY(!search->isEnabled());
    QCOMPARE(search->text(), QStringLiteral("40"));
    table.cancel();
    table.append();
    QVERIFY(!search->isEnabled());
    QCOMPARE(search->text(), QString());
    table.cancel();
    QVERIFY(search->isEnabled());
    table.first();
    QCOMPARE(search->text(), QStringLiteral("3"));
}

void TstDbControls::numberPrompt()
{
    NumberPrompt prompt(QStringLiteral("Neu"), QStringLiteral("Nr.:"), 123);
    prompt.show();
    QVERIFY(QTest::qWaitForWindowActive(&prompt));
    QCOMPARE(prompt.windowTitle(), QStringLiteral("Neu"));
    QCOMPARE(prompt.field()->text(), QStringLiteral("123"));
    QCOMPARE(prompt.field()->selectedText(), QStringLiteral("123"));
    QVERIFY(prompt.field()->hasFocus());
    auto *label = prompt.findChild<QLabel *>();
    QCOMPARE(label->text(), QStringLiteral("Nr.:"));
    QVERIFY(label->alignment() & Qt::AlignRight);
    QStringList buttons;
    for (QPushButton *b : prompt.findChildren<QPushButton *>())
        buttons << b->text();
    buttons.sort();
    QCOMPARE(buttons, QStringList({QStringLiteral("Abbrechen"), QStringLiteral("OK")}));

    QTest::keyClicks(prompt.field(), QStringLiteral("98x7654321"));
    QCOMPARE(prompt.field()->text(), QStringLiteral("987654")); // digits only, at most 6
    QCOMPARE(prompt.number(), 987654);
    prompt.field()->clear();
    QPushButton *ok = nullptr;
    for (QPushButton *b : prompt.findChildren<QPushButton *>())
        if (b->text() == QLatin1String("OK"))
            ok = b;
    QVERIFY(!ok->isEnabled());
    QTest::keyClick(prompt.field(), Qt::Key_Return); // nothing to take
    QVERIFY(prompt.isVisible());
    QTest::keyClicks(prompt.field(), QStringLiteral("5"));
    QTest::keyClick(prompt.field(), Qt::Key_Return);
    QCOMPARE(prompt.result(), int(QDialog::Accepted));

    auto typed = answerNextModal([](QWidget *modal) {
        QTest::keyClicks(modal->focusWidget(), QStringLiteral("42"));
        QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(NumberPrompt::ask(nullptr, QStringLiteral("T"), QStringLiteral("L"), 7),
             std::optional<int>(42));
    QVERIFY(typed->answered());
    auto cancelled = answerNextModal(pressKey(Qt::Key_Escape));
    QCOMPARE(NumberPrompt::ask(nullptr, QStringLiteral("T"), QStringLiteral("L"), 7),
             std::optional<int>());
    QVERIFY(cancelled->answered());
}

void TstDbControls::navigatorAvailability()
{
    TempDataDir data;
    seedPlans({1, 2, 3});
    Table table(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    DbNavigator nav(&table,
                    {DbNavigator::First, DbNavigator::Prior, DbNavigator::Next, DbNavigator::Last,
                     DbNavigator::Insert, DbNavigator::Copy, DbNavigator::Delete, DbNavigator::Post,
                     DbNavigator::Cancel});
    auto on = [&nav](DbNavigator::Button b) { return nav.button(b)->isEnabled(); };
    for (DbNavigator::Button b : nav.buttons())
        QVERIFY(!on(b)); // closed table
    table.open();
    QVERIFY(!on(DbNavigator::First) && !on(DbNavigator::Prior));
    QVERIFY(on(DbNavigator::Next) && on(DbNavigator::Last));
    QVERIFY(on(DbNavigator::Insert) && on(DbNavigator::Copy) && on(DbNavigator::Delete));
    QVERIFY(!on(DbNavigator::Post) && !on(DbNavigator::Cancel));
    nav.button(DbNavigator::Next)->click();
    QCOMPARE(table.currentRow(), 1);
    QVERIFY(on(DbNavigator::First) && on(DbNavigator::Last));
    nav.button(DbNavigator::Last)->click();
    QVERIFY(!on(DbNavigator::Next) && !on(DbNavigator::Last) && on(DbNavigator::Prior));

    // While editing: moving stays possible unless the navigator locks.
    table.field(QStringLiteral("Bezeichnung")).setAsString(QStringLiteral("neu"));
    QVERIFY(on(DbNavigator::Post) && on(DbNavigator::Cancel) && on(DbNavigator::First));
    nav.setLockWhileEditing(true);
    QVERIFY(!on(DbNavigator::First) && !on(DbNavigator::Insert) && !on(DbNavigator::Copy)
            && !on(DbNavigator::Delete));
    nav.button(DbNavigator::Post)->click();
    QVERIFY(!table.isEditing());
    QVERIFY(on(DbNavigator::First) && on(DbNavigator::Delete));

    table.close();
    table.setReadOnly(true);
    table.open();
    QVERIFY(!on(DbNavigator::Insert) && !on(DbNavigator::Copy) && !on(DbNavigator::Delete));
    QVERIFY(on(DbNavigator::Next));

    // Nothing to copy or delete in an empty table.
    TempDataDir::exec(QStringLiteral("DELETE FROM Schicht"));
    table.close();
    table.setReadOnly(false);
    table.open();
    QVERIFY(on(DbNavigator::Insert));
    QVERIFY(!on(DbNavigator::Copy) && !on(DbNavigator::Delete) && !on(DbNavigator::Next));
}

void TstDbControls::navigatorRunsTheWindowsActions()
{
    TempDataDir data;
    seedPlans({1});
    Table table(QStringLiteral("Schicht"), QStringLiteral("Schichtplan"));
    table.open();
    DbNavigator nav(&table, {DbNavigator::Insert, DbNavigator::Delete, DbNavigator::Post});
    QCOMPARE(nav.button(DbNavigator::Insert)->toolTip(), QStringLiteral("Datensatz einfügen"));
    nav.setHint(DbNavigator::Insert, QStringLiteral("Neu"));
    QCOMPARE(nav.button(DbNavigator::Insert)->toolTip(), QStringLiteral("Neu"));
    QVERIFY(!nav.button(DbNavigator::First));
    int inserts = 0;
    nav.setAction(DbNavigator::Insert, [&inserts] { ++inserts; });
    nav.button(DbNavigator::Insert)->click();
    QCOMPARE(inserts, 1);
    QVERIFY(!table.isEditing());              // the table's own append never ran
    nav.button(DbNavigator::Delete)->click(); // no action set: deletes
    QVERIFY(table.isEmpty());
    QVERIFY(!nav.button(DbNavigator::Delete)->isEnabled());
}

void TstDbControls::pagesSwitchAndFocusFollows()
{
    Host host;
    auto *pages = host.add(new PageArea);
    auto *first = new QWidget;
    auto *firstField = new QLineEdit(first);
    auto *second = new QWidget;
    auto *secondField = new QLineEdit(second);
    pages->addWidget(first);
    pages->addWidget(second);
    pages->setPageFocus(0, firstField);
    pages->setPageFocus(1, secondField);
    QVERIFY(host.show());
    QCOMPARE(pages->currentIndex(), 0);
    firstField->setFocus();
    pages->switchPage();
    QCOMPARE(pages->currentIndex(), 1);
    QVERIFY(secondField->hasFocus());
    pages->switchPage();
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(firstField->hasFocus());
    pages->setPageEnabled(0, false);
    QVERIFY(!pages->isPageEnabled(0));
    QVERIFY(!firstField->isEnabled());
}

void TstDbControls::focusMovesOverDisabledAndHiddenControls()
{
    Host host;
    auto *a = host.add(new QLineEdit);
    auto *b = host.add(new QLineEdit);
    auto *c = host.add(new QLineEdit);
    auto *d = host.add(new QLineEdit);
    auto *label = host.add(new QLabel(QStringLiteral("no focus")));
    Q_UNUSED(label);
    QVERIFY(host.show());
    b->setEnabled(false);
    c->hide();
    a->setFocus();
    QVERIFY(moveFocus(&host.window, true));
    QVERIFY(d->hasFocus());
    QVERIFY(moveFocus(&host.window, true)); // wraps round
    QVERIFY(a->hasFocus());
    QVERIFY(moveFocus(&host.window, false));
    QVERIFY(d->hasFocus());
}

void TstDbControls::calendarShowsWholeWeekdayNames()
{
    TempDataDir data;
    TempDataDir::exec(QStringLiteral("INSERT INTO Personal (PersonalNummer) VALUES (1)"));
    Table table(QStringLiteral("Personal"), QStringLiteral("PersonalNummer"));
    table.open();
    QWidget window;
    auto *edit = new DbDateEdit(&window);
    edit->setDataSource(&table);
    edit->setDataField(QStringLiteral("EintrittsDatum"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->showCalendar();
    QCalendarWidget *calendar = edit->calendar();
    QVERIFY(calendar && calendar->isVisible());
    auto *days = calendar->findChild<QTableView *>();
    QVERIFY(days);
    QStringList heads;
    for (int column = 0; column < 7; ++column) {
        const QString head = days->model()->index(0, column).data().toString();
        heads << head;
        // The whole name fits its column in the header's font: nothing is cut to "...".
        QFont font = days->font();
        font.setBold(true);
        QVERIFY2(
            QFontMetrics(font).horizontalAdvance(head) + 10 <= days->columnWidth(column),
            qPrintable(QStringLiteral("%1 in %2 px").arg(head).arg(days->columnWidth(column))));
    }
    if (!qEnvironmentVariableIsEmpty("TAKTORA_SHOTS"))
        calendar->window()->grab().save(qEnvironmentVariable("TAKTORA_SHOTS") + "/calendar.png");
    QVERIFY(heads.first().startsWith(QStringLiteral("Mo")));
    QVERIFY(heads.last().startsWith(QStringLiteral("So")));
}

QTEST_MAIN(TstDbControls)
#include "tst_dbcontrols.moc"
