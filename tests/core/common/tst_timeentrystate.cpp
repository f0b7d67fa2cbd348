#include <QtTest>

#include "core/common/Errors.h"
#include "core/common/TimeEntryState.h"

using namespace tk;

namespace {

// Feeds a key string to a field that has the focus: digits, '.' the separator, '>' an arrow,
// '+'/'-' a step, 'x' Delete, '\n' Enter. Returns how many keys were refused.
int typeKeys(TimeEntryState &state, const QString &keys)
{
    int refused = 0;
    for (const QChar key : keys) {
        TimeEntryState::Outcome outcome;
        if (key.isDigit())
            outcome = state.typeDigit(key.digitValue());
        else if (key == QLatin1Char('.'))
            state.typeSeparator();
        else if (key == QLatin1Char('>'))
            state.switchPart();
        else if (key == QLatin1Char('+') || key == QLatin1Char('-'))
            outcome = state.step(key == QLatin1Char('+') ? 1 : -1);
        else if (key == QLatin1Char('x'))
            outcome = state.clear();
        else if (key == QLatin1Char('\n'))
            outcome = state.enter(false);
        refused += outcome.refused ? 1 : 0;
    }
    return refused;
}

QString shown(const TimeEntryState &state)
{
    if (state.isEmpty())
        return QStringLiteral("leer");
    return QStringLiteral("%1:%2")
        .arg(state.hours(), 2, 10, QLatin1Char('0'))
        .arg(state.minutes(), 2, 10, QLatin1Char('0'));
}

} // namespace

// The typing rules of the time and duration fields, without any widget.
class TestTimeEntryState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedTimes_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("dayEnd");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("refused");
        QTest::newRow("four digits") << "0730" << false << "07:30" << 0;
        QTest::newRow("7.30 keeps the minutes") << "7.30" << false << "07:30" << 0;
        QTest::newRow("07.30 keeps the minutes") << "07.30" << false << "07:30" << 0;
        QTest::newRow("one digit 3..9 is the hour") << "930" << false << "09:30" << 0;
        QTest::newRow("separator before typing switches") << ".45" << false << "00:45" << 0;
        QTest::newRow("25 refused, 2 stays") << "25" << false << "02:00" << 1;
        QTest::newRow("25:00 goes on from 2") << "2500" << false << "20:00" << 1;
        QTest::newRow("24 only as day end") << "24" << false << "02:00" << 1;
        QTest::newRow("24:00 as day end") << "2400" << true << "24:00" << 0;
        QTest::newRow("24:30 refused at day end") << "243" << true << "24:00" << 1;
        QTest::newRow("minute 7 stands alone") << "127" << false << "12:07" << 0;
        QTest::newRow("two minute digits") << "1259" << false << "12:59" << 0;
        QTest::newRow("Delete empties") << "0730x" << false << "leer" << 0;
        QTest::newRow("hours step wraps to 0") << "23>+" << false << "00:00" << 0;
        QTest::newRow("minutes step wraps back") << "08-" << false << "08:59" << 0;
        QTest::newRow("arrow after 7 goes to hours") << "7>1" << false << "01:00" << 0;
        QTest::newRow("12.30 keeps the minutes") << "12.30" << false << "12:30" << 0;
        QTest::newRow("separator after one hour digit") << "1.30" << false << "01:30" << 0;
        QTest::newRow("next time starts at the hours") << "07301615" << false << "16:15" << 0;
        QTest::newRow("hours step from 0 back to 23") << "00>-" << false << "23:00" << 0;
        QTest::newRow("24 steps to day end, then 0") << "2330+" << true << "24:00" << 0;
        QTest::newRow("day end wraps to 0") << "2330++" << true << "00:00" << 0;
        QTest::newRow("day end minutes do not step") << "2400>+" << true << "24:00" << 1;
    }

    void typedTimes()
    {
        QFETCH(QString, keys);
        QFETCH(bool, dayEnd);
        QFETCH(QString, result);
        QFETCH(int, refused);
        TimeEntryState state(TimeFieldKind::Time);
        state.setAllowDayEnd(dayEnd);
        state.focusIn();
        QCOMPARE(typeKeys(state, keys), refused);
        QCOMPARE(shown(state), result);
    }

    void typedDurations_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("result");
        QTest::newRow("three hour digits") << "123\n45"
                                           << "123:45";
        QTest::newRow("Enter after three digits passes on") << "040\n15"
                                                            << "40:15";
        QTest::newRow("25 hours are a duration") << "25\n"
                                                 << "25:00";
        QTest::newRow("minute 7 waits for a second digit") << "001\n75"
                                                           << "01:05";
        QTest::newRow("typed 999 hours give 9") << "999"
                                                << "09:00";
        QTest::newRow("third digit leads to the minutes") << "12345"
                                                          << "123:45";
    }

    void typedDurations()
    {
        QFETCH(QString, keys);
        QFETCH(QString, result);
        TimeEntryState state(TimeFieldKind::Duration);
        state.focusIn();
        QCOMPARE(typeKeys(state, keys), 0);
        QCOMPARE(shown(state), result);
    }

    // A value that comes from outside (another record) starts the typing afresh: a digit
    // typed before must not combine with the next one.
    void outsideValueRestartsTyping()
    {
        TimeEntryState state(TimeFieldKind::Time);
        state.focusIn();
        typeKeys(state, QStringLiteral("1"));
        QCOMPARE(state.digitPosition(), 1);
        state.setMinutesValue(14 * 60 + 30);
        state.focusIn();
        typeKeys(state, QStringLiteral("2"));
        QCOMPARE(shown(state), QStringLiteral("02:30"));

        state.makeEmpty();
        typeKeys(state, QStringLiteral("9"));
        QCOMPARE(shown(state), QStringLiteral("09:00"));
    }

    // Stepping the duration's hours runs 998, 0 upwards but 0, 999 downwards.
    void durationHoursStepAround()
    {
        TimeEntryState state(TimeFieldKind::Duration);
        state.setMinutesValue(998 * 60 + 10);
        state.focusIn();
        QVERIFY(state.step(1).change);
        QCOMPARE(shown(state), QStringLiteral("00:10"));
        state.step(-1);
        QCOMPARE(shown(state), QStringLiteral("999:10"));
    }

    // A stored time is overtyped from its first digit, not combined with the typed ones.
    void overtypingReplacesAStoredTime()
    {
        TimeEntryState state(TimeFieldKind::Time);
        state.setMinutesValue(14 * 60 + 30);
        state.focusIn();
        QCOMPARE(typeKeys(state, QStringLiteral("0915")), 0);
        QCOMPARE(shown(state), QStringLiteral("09:15"));
        typeKeys(state, QStringLiteral("1"));
        QCOMPARE(shown(state), QStringLiteral("01:15"));
    }

    // Leaving the field half-typed and coming back continues the same part.
    void halfTypedPartContinuesAfterRefocus()
    {
        TimeEntryState state(TimeFieldKind::Time);
        state.focusIn();
        typeKeys(state, QStringLiteral("1"));
        state.focusOut();
        state.focusIn();
        typeKeys(state, QStringLiteral("2"));
        QCOMPARE(shown(state), QStringLiteral("12:00"));
        QCOMPARE(state.activePart(), TimeEntryState::Part::Minutes);
    }

    // Every 16-bit value comes back from a duration field unchanged.
    void durationKeepsEveryValue()
    {
        TimeEntryState duration(TimeFieldKind::Duration);
        for (int value = 1; value <= 65535; ++value) {
            duration.setMinutesValue(quint16(value));
            QCOMPARE(int(duration.minutesValue()), value);
        }
        QCOMPARE(shown(duration), QStringLiteral("1092:15"));
        duration.setMinutesValue(61);
        QCOMPARE(shown(duration), QStringLiteral("01:01"));
    }

    void storedValues()
    {
        TimeEntryState time(TimeFieldKind::Time);
        QVERIFY(!time.setMinutesValue(0)); // an empty field given 0 stays empty
        QVERIFY(time.isEmpty());
        QVERIFY(time.setMinutesValue(1439));
        QCOMPARE(time.minutesValue(), quint16(1439));
        QVERIFY_THROWS_EXCEPTION(TimeEncodingError, time.setMinutesValue(1440));
        QCOMPARE(time.minutesValue(), quint16(1439)); // refused values touch nothing
        time.setAllowDayEnd(true);
        QVERIFY(time.setMinutesValue(1440));
        QVERIFY_THROWS_EXCEPTION(TimeEncodingError, time.setMinutesValue(1441));

        TimeEntryState duration(TimeFieldKind::Duration);
        QVERIFY(duration.setMinutesValue(600 * 60));
        QCOMPARE(duration.hours(), 600);
    }

    void dayLetters()
    {
        TimeEntryState time(TimeFieldKind::Time);
        QVERIFY(time.typeDayLetter(QLatin1Char('n')).change);
        QCOMPARE(time.dayType(), QLatin1Char('F'));
        QVERIFY(time.typeDayLetter(QLatin1Char('H')).change);
        QCOMPARE(time.dayType(), QLatin1Char('T'));
        QVERIFY(!time.typeDayLetter(QLatin1Char('q')).consumed);
        TimeEntryState duration(TimeFieldKind::Duration);
        QVERIFY(!duration.typeDayLetter(QLatin1Char('F')).consumed);
    }

    void enterMovesFocusOnlyWhenAsked()
    {
        TimeEntryState state(TimeFieldKind::Time);
        state.focusIn();
        QCOMPARE(state.enter(false).focus, TimeEntryState::FocusMove::Stay);
        QCOMPARE(state.activePart(), TimeEntryState::Part::Minutes);
        QVERIFY(!state.enter(false).consumed); // Enter passes on to the dialog
        state.setTabOnEnterKey(true);
        QCOMPARE(state.enter(true).focus, TimeEntryState::FocusMove::Previous);
    }
};

QTEST_GUILESS_MAIN(TestTimeEntryState)
#include "tst_timeentrystate.moc"
