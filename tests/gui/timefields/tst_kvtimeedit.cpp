// Typing, stepping and clearing the free time and duration fields through real key events.
#include "core/common/Errors.h"
#include "gui/timefields/KvTimeEdit.h"
#include "tests/gui/timefields/FieldHost.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTime>
#include <QtTest>

using namespace tk;
using tk::test::FieldHost;
using tk::test::pressKey;
using tk::test::typeKeys;
using Part = KvFieldBase::Part;

class TstKvTimeEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newFieldIsEmpty();
    void fourDigitsFillTheTimeAndMoveOn();
    void threeDigitsFillTheTimeWhenTheHourCannotGrow();
    void withoutTabOnEnterKeyTheFieldKeepsTheFocus();
    void hourOver23IsRefusedWithABeep();
    void separatorAfterTypedHoursKeepsTheMinutes();
    void dayEndOnlyWhereAllowed();
    void valueSetFromOutsideRestartsTheTyping();
    void firstMinuteDigitAbove5ReturnsToTheHours();
    void steppingWrapsInsideOnePart();
    void steppingRestartsTheDigitPosition();
    void partSwitchingKeys();
    void deleteEmptiesTheField();
    void halfTypedHoursContinueAfterTabAndShiftTab();
    void enterAfterOneHourDigitKeepsTheDigitPosition();
    void enterInTheMinutesMovesOnOrBack();
    void dayTypeLetters();
    void insertTakesTheTimeOfDay();
    void onChangeFiresForValuesButNotForPartSwitches();
    void setMinutesKeepsAnEqualValueAndFiresNothing();
    void setMinutesRefusesTimesOfOneDayOrMore();
    void mouseHalvesChooseThePart();
    void durationHoursTakeThreeDigits();
    void durationStepsWrapAt999();
    void durationFirstMinuteDigitWaitsForTheSecond();
    void durationIgnoresLettersAndInsert();
    void durationSplitsEveryValue();
    void arrowKeysReachTheFieldInsideADialog();
    void fieldKeysWinOverWindowShortcuts();
};

void TstKvTimeEdit::newFieldIsEmpty()
{
    TKvTimeEdit field;
    QVERIFY(field.isEmpty());
    QCOMPARE(field.GetMinutes(), quint16(0));
    QCOMPARE(field.dayType(), QChar('T'));
    QCOMPARE(field.activePart(), Part::None);
    QCOMPARE(field.digitPosition(), 0);
    QVERIFY(field.showDayTyp());
    QVERIFY(field.showUhr());
    QVERIFY(!field.tabOnEnterKey());
    QVERIFY(!field.isReadOnly());
    QCOMPARE(field.borderStyle(), KvFieldBase::BorderStyle::Single);
}

void TstKvTimeEdit::fourDigitsFillTheTimeAndMoveOn()
{
    FieldHost<TKvTimeEdit> host;
    host.field->setTabOnEnterKey(true);
    QVERIFY(host.show());
    QCOMPARE(host.field->activePart(), Part::Hours);
    typeKeys("0730");
    QCOMPARE(host.field->hours(), 7);
    QCOMPARE(host.field->minutes(), 30);
    QCOMPARE(host.field->GetMinutes(), quint16(450));
    QVERIFY(!host.field->isEmpty());
    QVERIFY(host.after->hasFocus());
    QCOMPARE(host.field->activePart(), Part::None);
}

void TstKvTimeEdit::threeDigitsFillTheTimeWhenTheHourCannotGrow()
{
    FieldHost<TKvTimeEdit> host;
    host.field->setTabOnEnterKey(true);
    QVERIFY(host.show());
    typeKeys("7");
    QCOMPARE(host.field->activePart(), Part::Minutes);
    typeKeys("30");
    QCOMPARE(host.field->GetMinutes(), quint16(450));
    QVERIFY(host.after->hasFocus());
    // The digits typed after the move belong to the next control.
    typeKeys("12");
    QCOMPARE(host.after->text(), QStringLiteral("12"));
    QCOMPARE(host.field->GetMinutes(), quint16(450));
}

void TstKvTimeEdit::withoutTabOnEnterKeyTheFieldKeepsTheFocus()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    typeKeys("0730");
    QCOMPARE(host.field->GetMinutes(), quint16(450));
    QVERIFY(host.field->hasFocus());
    QCOMPARE(host.field->activePart(), Part::Hours);
    // The next four digits start over in the hours part.
    typeKeys("1805");
    QCOMPARE(host.field->GetMinutes(), quint16(18 * 60 + 5));
}

void TstKvTimeEdit::hourOver23IsRefusedWithABeep()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    QSignalSpy changes(host.field, &KvFieldBase::OnChange);
    QSignalSpy refusals(host.field, &KvFieldBase::refused);
    typeKeys("25");
    // The 5 is refused: the field still waits for the second hour digit.
    QCOMPARE(refusals.count(), 1);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(host.field->hours(), 2);
    QCOMPARE(host.field->activePart(), Part::Hours);
    QCOMPARE(host.field->digitPosition(), 1);
    typeKeys("3");
    QCOMPARE(host.field->hours(), 23);
    QCOMPARE(host.field->activePart(), Part::Minutes);
    // "24" is no clock time either, so 25:00 typed in full never becomes 05:00.
    pressKey(Qt::Key_Left);
    typeKeys("2400");
    QCOMPARE(refusals.count(), 2);
    QVERIFY(host.field->GetMinutes() != quint16(5 * 60));
    QCOMPARE(host.field->hours(), 20);
}

void TstKvTimeEdit::separatorAfterTypedHoursKeepsTheMinutes()
{
    for (const char *typed : {"7.30", "07.30", "7,30", "07,30"}) {
        FieldHost<TKvTimeEdit> host;
        host.field->setTabOnEnterKey(true);
        QVERIFY(host.show());
        typeKeys(typed);
        QCOMPARE(host.field->GetMinutes(), quint16(7 * 60 + 30));
        QVERIFY2(host.after->hasFocus(), typed);
    }
    // A separator after a single digit that may grow still switches to the minutes, and a
    // second separator switches back.
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    typeKeys("1.");
    QCOMPARE(host.field->activePart(), Part::Minutes);
    typeKeys(".");
    QCOMPARE(host.field->activePart(), Part::Hours);
    // The arrow keys always switch.
    typeKeys("8");
    QCOMPARE(host.field->activePart(), Part::Minutes);
    pressKey(Qt::Key_Right);
    QCOMPARE(host.field->activePart(), Part::Hours);
    // Duration: the third hour digit completes the hours.
    FieldHost<TKvCustomTimeDauerEdit> duration;
    QVERIFY(duration.show());
    typeKeys("008.45");
    QCOMPARE(duration.field->GetMinutes(), quint16(8 * 60 + 45));
}

void TstKvTimeEdit::dayEndOnlyWhereAllowed()
{
    {
        FieldHost<TKvTimeEdit> host;
        QVERIFY(host.show());
        typeKeys("24");
        QCOMPARE(host.field->hours(), 2);
        QVERIFY_THROWS_EXCEPTION(TimeEncodingError, host.field->SetMinutes(1440));
    }
    FieldHost<TKvTimeEdit> host;
    host.field->setAllowDayEnd(true);
    QVERIFY(host.show());
    host.field->SetMinutes(23 * 60 + 30);
    typeKeys("24");
    QCOMPARE(host.field->GetMinutes(), quint16(1440)); // the minutes become 00
    QSignalSpy refusals(host.field, &KvFieldBase::refused);
    typeKeys("3");
    pressKey(Qt::Key_Up);
    QCOMPARE(refusals.count(), 2);
    QCOMPARE(host.field->GetMinutes(), quint16(1440));
    typeKeys("00");
    QCOMPARE(host.field->GetMinutes(), quint16(1440));
    // 25 stays refused; stepping passes 24:00 on the way round.
    typeKeys("25");
    QCOMPARE(refusals.count(), 3);
    QCOMPARE(host.field->activePart(), Part::Hours);
    host.field->SetMinutes(23 * 60 + 15);
    pressKey(Qt::Key_Up);
    QCOMPARE(host.field->GetMinutes(), quint16(1440));
    pressKey(Qt::Key_Up);
    QCOMPARE(host.field->GetMinutes(), quint16(0));
    QVERIFY_THROWS_EXCEPTION(TimeEncodingError, host.field->SetMinutes(1441));
}

void TstKvTimeEdit::valueSetFromOutsideRestartsTheTyping()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    typeKeys("1");
    host.field->SetMinutes(8 * 60);
    typeKeys("14");
    QCOMPARE(host.field->GetMinutes(), quint16(14 * 60));
    // Delete starts afresh as well.
    pressKey(Qt::Key_Left);
    typeKeys("1");
    pressKey(Qt::Key_Delete);
    typeKeys("1430");
    QCOMPARE(host.field->GetMinutes(), quint16(14 * 60 + 30));
}

void TstKvTimeEdit::firstMinuteDigitAbove5ReturnsToTheHours()
{
    FieldHost<TKvTimeEdit> host;
    host.field->setTabOnEnterKey(true);
    QVERIFY(host.show());
    typeKeys("12");
    typeKeys("9");
    QCOMPARE(host.field->minutes(), 9);
    QCOMPARE(host.field->activePart(), Part::Hours);
    QCOMPARE(host.field->digitPosition(), 0);
    QVERIFY(host.field->hasFocus());
    QCOMPARE(host.field->GetMinutes(), quint16(12 * 60 + 9));
}

void TstKvTimeEdit::steppingWrapsInsideOnePart()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    host.field->SetMinutes(10 * 60 + 59);
    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Up);
    QCOMPARE(host.field->GetMinutes(), quint16(10 * 60)); // no carry into the hours
    pressKey(Qt::Key_Down);
    QCOMPARE(host.field->GetMinutes(), quint16(10 * 60 + 59));

    host.field->SetMinutes(15);
    pressKey(Qt::Key_Left); // hours
    pressKey(Qt::Key_Down);
    QCOMPARE(host.field->GetMinutes(), quint16(23 * 60 + 15));
    typeKeys("+");
    QCOMPARE(host.field->GetMinutes(), quint16(15));
    typeKeys("-");
    QCOMPARE(host.field->GetMinutes(), quint16(23 * 60 + 15));

    // Stepping an empty field shows the stepped value.
    pressKey(Qt::Key_Delete);
    QVERIFY(host.field->isEmpty());
    pressKey(Qt::Key_Up);
    QVERIFY(!host.field->isEmpty());
    QCOMPARE(host.field->GetMinutes(), quint16(60));
}

void TstKvTimeEdit::steppingRestartsTheDigitPosition()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    typeKeys("1");
    QCOMPARE(host.field->digitPosition(), 1);
    pressKey(Qt::Key_Up);
    QCOMPARE(host.field->hours(), 2);
    QCOMPARE(host.field->digitPosition(), 0);
    typeKeys("2");
    QCOMPARE(host.field->hours(), 2);
    QCOMPARE(host.field->digitPosition(), 1);
}

void TstKvTimeEdit::partSwitchingKeys()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    typeKeys("1");
    QCOMPARE(host.field->digitPosition(), 1);
    const struct
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } switches[] = {{Qt::Key_Right, Qt::NoModifier},
                    {Qt::Key_Left, Qt::ShiftModifier},
                    {Qt::Key_Comma, Qt::NoModifier},
                    {Qt::Key_Period, Qt::NoModifier},
                    {Qt::Key_Comma, Qt::KeypadModifier}};
    Part expected = Part::Minutes;
    for (const auto &s : switches) {
        pressKey(s.key, s.modifiers);
        QCOMPARE(host.field->activePart(), expected);
        QCOMPARE(host.field->digitPosition(), 0);
        expected = expected == Part::Minutes ? Part::Hours : Part::Minutes;
    }
    QCOMPARE(host.field->hours(), 1);
}

void TstKvTimeEdit::deleteEmptiesTheField()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    host.field->SetMinutes(8 * 60 + 15);
    QSignalSpy changes(host.field, &KvFieldBase::OnChange);
    pressKey(Qt::Key_Delete);
    QVERIFY(host.field->isEmpty());
    QCOMPARE(host.field->GetMinutes(), quint16(0));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.first().first().value<QWidget *>(), host.field);
    // A digit fills it again.
    typeKeys("9");
    QVERIFY(!host.field->isEmpty());
    QCOMPARE(host.field->GetMinutes(), quint16(9 * 60));
}

void TstKvTimeEdit::halfTypedHoursContinueAfterTabAndShiftTab()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    typeKeys("1");
    pressKey(Qt::Key_Tab);
    QVERIFY(host.after->hasFocus());
    QCOMPARE(host.field->activePart(), Part::None);
    QCOMPARE(host.field->digitPosition(), 1);
    pressKey(Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(host.field->hasFocus());
    QCOMPARE(host.field->activePart(), Part::Hours);
    typeKeys("5");
    QCOMPARE(host.field->hours(), 15);
    QCOMPARE(host.field->activePart(), Part::Minutes);
}

void TstKvTimeEdit::enterAfterOneHourDigitKeepsTheDigitPosition()
{
    FieldHost<TKvTimeEdit> host;
    host.field->setTabOnEnterKey(true);
    QVERIFY(host.show());
    host.field->SetMinutes(10 * 60 + 3);
    typeKeys("1");
    pressKey(Qt::Key_Return);
    QCOMPARE(host.field->activePart(), Part::Minutes);
    QCOMPARE(host.field->digitPosition(), 1);
    QVERIFY(host.field->hasFocus());
    typeKeys("5"); // 3 * 10 + 5
    QCOMPARE(host.field->GetMinutes(), quint16(60 + 35));
    QVERIFY(host.after->hasFocus());

    // Appending to old minutes of 30 would give 305: the digit stands alone.
    host.field->setFocus(Qt::TabFocusReason);
    host.field->SetMinutes(10 * 60 + 30);
    QCOMPARE(host.field->activePart(), Part::Hours);
    QCOMPARE(host.field->digitPosition(), 0);
    typeKeys("1");
    pressKey(Qt::Key_Enter, Qt::KeypadModifier);
    typeKeys("5");
    QCOMPARE(host.field->GetMinutes(), quint16(60 + 5));
    QVERIFY(host.after->hasFocus());
}

void TstKvTimeEdit::enterInTheMinutesMovesOnOrBack()
{
    FieldHost<TKvTimeEdit> host;
    host.field->setTabOnEnterKey(true);
    QVERIFY(host.show());
    pressKey(Qt::Key_Return);
    QCOMPARE(host.field->activePart(), Part::Minutes);
    pressKey(Qt::Key_Return, Qt::ShiftModifier);
    QVERIFY(host.before->hasFocus());

    host.field->setFocus(Qt::TabFocusReason);
    QCOMPARE(host.field->activePart(), Part::Hours);
    pressKey(Qt::Key_Return);
    pressKey(Qt::Key_Return);
    QVERIFY(host.after->hasFocus());

    // Without TabOnEnterKey, Enter in the minutes stays and the key is not consumed.
    host.field->setTabOnEnterKey(false);
    host.field->setFocus(Qt::TabFocusReason);
    QCOMPARE(host.field->activePart(), Part::Hours);
    pressKey(Qt::Key_Return);
    QSignalSpy changes(host.field, &KvFieldBase::OnChange);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(host.field, &enter);
    QVERIFY(!enter.isAccepted());
    QVERIFY(host.field->hasFocus());
    QCOMPARE(host.field->activePart(), Part::Minutes);
    QCOMPARE(changes.count(), 1);
}

void TstKvTimeEdit::dayTypeLetters()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    host.field->SetMinutes(100);
    const struct
    {
        char key;
        char dayType;
    } letters[] = {{'v', 'V'}, {'F', 'F'}, {'t', 'T'}, {'V', 'V'}, {'n', 'F'},
                   {'h', 'T'}, {'N', 'F'}, {'H', 'T'}, {'f', 'F'}, {'T', 'T'}};
    for (const auto &l : letters) {
        typeKeys(QString(QChar(l.key)));
        QCOMPARE(host.field->dayType(), QChar(l.dayType));
    }
    typeKeys("v");
    typeKeys("x"); // not a day-type letter
    QCOMPARE(host.field->dayType(), QChar('V'));
    QCOMPARE(host.field->GetMinutes(), quint16(100));
    // A new value is a time of the same day again.
    host.field->SetMinutes(200);
    QCOMPARE(host.field->dayType(), QChar('T'));
}

void TstKvTimeEdit::insertTakesTheTimeOfDay()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    typeKeys("v");
    const QTime before = QTime::currentTime();
    pressKey(Qt::Key_Insert);
    const QTime after = QTime::currentTime();
    if (after < before)
        QSKIP("midnight passed during the test");
    const int shown = host.field->GetMinutes();
    QVERIFY(shown >= before.hour() * 60 + before.minute());
    QVERIFY(shown <= after.hour() * 60 + after.minute());
    QVERIFY(!host.field->isEmpty());
    QCOMPARE(host.field->dayType(), QChar('T'));
}

void TstKvTimeEdit::onChangeFiresForValuesButNotForPartSwitches()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    QSignalSpy changes(host.field, &KvFieldBase::OnChange);
    typeKeys("1");
    QCOMPARE(changes.count(), 1);
    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Left);
    pressKey(Qt::Key_Period);
    QCOMPARE(changes.count(), 1);
    pressKey(Qt::Key_Up);
    typeKeys("+-");
    pressKey(Qt::Key_Down);
    QCOMPARE(changes.count(), 5);
    pressKey(Qt::Key_Delete);
    pressKey(Qt::Key_Insert);
    typeKeys("f");
    pressKey(Qt::Key_Escape);
    pressKey(Qt::Key_Return);
    QCOMPARE(changes.count(), 10);
    typeKeys("x");
    pressKey(Qt::Key_F5);
    QCOMPARE(changes.count(), 10);
}

void TstKvTimeEdit::setMinutesKeepsAnEqualValueAndFiresNothing()
{
    TKvTimeEdit field;
    QSignalSpy changes(&field, &KvFieldBase::OnChange);
    field.SetMinutes(0);
    QVERIFY(field.isEmpty());
    field.SetMinutes(360);
    QVERIFY(!field.isEmpty());
    QCOMPARE(field.GetMinutes(), quint16(360));
    field.SetMinutes(0);
    QVERIFY(!field.isEmpty()); // shows 00:00
    QCOMPARE(field.GetMinutes(), quint16(0));
    field.SetMinutes(1439);
    QCOMPARE(field.hours(), 23);
    QCOMPARE(field.minutes(), 59);
    QCOMPARE(changes.count(), 0);
}

void TstKvTimeEdit::setMinutesRefusesTimesOfOneDayOrMore()
{
    TKvTimeEdit field;
    field.SetMinutes(480);
    for (const quint16 value : {quint16(1440), quint16(1500), quint16(65535)}) {
        try {
            field.SetMinutes(value);
            QFAIL("SetMinutes accepted a value of a day or more");
        } catch (const TimeEncodingError &error) {
            QCOMPARE(error.message(),
                     QStringLiteral("Ungültiges Argument zum Codieren der Uhrzeit"));
            QCOMPARE(QString::fromUtf8(error.what()), error.message());
        }
    }
    QCOMPARE(field.GetMinutes(), quint16(480));
}

void TstKvTimeEdit::mouseHalvesChooseThePart()
{
    FieldHost<TKvTimeEdit> host;
    QVERIFY(host.show());
    host.after->setFocus();
    const QRect r = host.field->rect();
    QTest::mouseClick(host.field, Qt::LeftButton, {}, QPoint(r.right() - 4, r.center().y()));
    QVERIFY(host.field->hasFocus());
    QCOMPARE(host.field->activePart(), Part::Minutes);
    QTest::mouseClick(host.field, Qt::LeftButton, {}, QPoint(r.left() + 4, r.center().y()));
    QCOMPARE(host.field->activePart(), Part::Hours);
    // Just right of the middle of the text is still the hours half.
    const int textWidth = host.field->fontMetrics().horizontalAdvance(QStringLiteral(" 00 : 00 "));
    const int border = r.right() - textWidth / 2 - 8;
    QTest::mouseClick(host.field, Qt::LeftButton, {}, QPoint(border, r.center().y()));
    QCOMPARE(host.field->activePart(), Part::Hours);
}

void TstKvTimeEdit::durationHoursTakeThreeDigits()
{
    FieldHost<TKvCustomTimeDauerEdit> host;
    host.field->setTabOnEnterKey(true);
    QVERIFY(host.show());
    typeKeys("9");
    QCOMPARE(host.field->activePart(), Part::Hours); // no jump after one digit
    typeKeys("99");
    QCOMPARE(host.field->hours(), 9); // 999 is refused, the last 9 remains
    QCOMPARE(host.field->activePart(), Part::Minutes);

    pressKey(Qt::Key_Left);
    typeKeys("998");
    QCOMPARE(host.field->hours(), 998);
    typeKeys("45");
    QCOMPARE(host.field->GetMinutes(), quint16(998 * 60 + 45));
    QVERIFY(host.after->hasFocus());

    host.field->setFocus(Qt::TabFocusReason);
    typeKeys("008");
    QCOMPARE(host.field->hours(), 8);
}

void TstKvTimeEdit::durationStepsWrapAt999()
{
    FieldHost<TKvCustomTimeDauerEdit> host;
    QVERIFY(host.show());
    host.field->SetMinutes(998 * 60);
    pressKey(Qt::Key_Up);
    QCOMPARE(host.field->hours(), 0);
    pressKey(Qt::Key_Down);
    QCOMPARE(host.field->hours(), 999);
    QCOMPARE(host.field->GetMinutes(), quint16(999 * 60));
    pressKey(Qt::Key_Up);
    QCOMPARE(host.field->hours(), 0);
    typeKeys("-");
    QCOMPARE(host.field->hours(), 999);
}

void TstKvTimeEdit::durationFirstMinuteDigitWaitsForTheSecond()
{
    FieldHost<TKvCustomTimeDauerEdit> host;
    QVERIFY(host.show());
    pressKey(Qt::Key_Right);
    typeKeys("7");
    QCOMPARE(host.field->minutes(), 7);
    QCOMPARE(host.field->activePart(), Part::Minutes);
    QCOMPARE(host.field->digitPosition(), 1);
    typeKeys("5"); // 75 is refused
    QCOMPARE(host.field->minutes(), 5);
    QCOMPARE(host.field->activePart(), Part::Hours);
}

void TstKvTimeEdit::durationIgnoresLettersAndInsert()
{
    FieldHost<TKvCustomTimeDauerEdit> host;
    QVERIFY(host.show());
    QSignalSpy changes(host.field, &KvFieldBase::OnChange);
    typeKeys("vfnt");
    pressKey(Qt::Key_Insert);
    QVERIFY(host.field->isEmpty());
    QCOMPARE(changes.count(), 0);
}

void TstKvTimeEdit::durationSplitsEveryValue()
{
    TKvCustomTimeDauerEdit field;
    field.SetMinutes(61);
    QCOMPARE(field.hours(), 1);
    QCOMPARE(field.minutes(), 1);
    field.SetMinutes(500);
    QCOMPARE(field.hours(), 8);
    QCOMPARE(field.minutes(), 20);
    field.SetMinutes(65535);
    QCOMPARE(field.hours(), 1092);
    QCOMPARE(field.minutes(), 15);
    QCOMPARE(field.GetMinutes(), quint16(65535));
}

// Qt's dialog would otherwise use arrows and Enter for its buttons.
void TstKvTimeEdit::arrowKeysReachTheFieldInsideADialog()
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *field = new TKvTimeEdit(&dialog);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(field);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    field->setFocus(Qt::TabFocusReason);
    field->SetMinutes(600);
    pressKey(Qt::Key_Up);
    QCOMPARE(field->GetMinutes(), quint16(660));
    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_Down);
    QCOMPARE(field->GetMinutes(), quint16(11 * 60 + 59)); // no borrow from the hours
    pressKey(Qt::Key_Left);
    pressKey(Qt::Key_Return); // hours -> minutes, not the default button
    QVERIFY(field->hasFocus());
    QCOMPARE(accepted.count(), 0);
    QVERIFY(dialog.isVisible());
}

void TstKvTimeEdit::fieldKeysWinOverWindowShortcuts()
{
    FieldHost<TKvTimeEdit> host;
    QAction remove(&host.window);
    remove.setShortcut(QKeySequence(Qt::Key_Delete));
    QAction refresh(&host.window);
    refresh.setShortcut(QKeySequence(Qt::Key_F5));
    host.window.addAction(&remove);
    host.window.addAction(&refresh);
    QSignalSpy removed(&remove, &QAction::triggered);
    QSignalSpy refreshed(&refresh, &QAction::triggered);
    QVERIFY(host.show());
    host.field->SetMinutes(300);
    pressKey(Qt::Key_Delete);
    QVERIFY(host.field->isEmpty());
    QCOMPARE(removed.count(), 0);
    pressKey(Qt::Key_F5); // not a key of the field
    QCOMPARE(refreshed.count(), 1);
}

QTEST_MAIN(TstKvTimeEdit)
#include "tst_kvtimeedit.moc"
