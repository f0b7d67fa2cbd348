#pragma once

#include <QChar>
#include <QtGlobal>

namespace tk {

// What an entry field edits: a time of day (00:00..23:59, with a day-type letter) or a
// duration (hours 0..999 when typed).
enum class TimeFieldKind { Time, Duration };

// The input state of one time or duration entry field, free of widgets: typed digits fill
// the active part digit by digit, steps wrap around inside a part, Delete empties. The
// widget turns key and focus events into calls and acts on the returned outcome.
class TimeEntryState
{
public:
    enum class Part { None, Hours, Minutes };
    enum class FocusMove { Stay, Next, Previous };

    // What the widget has to do after an input.
    struct Outcome
    {
        bool change = false;  // call Change (repaint, write a bound field, fire OnChange)
        bool consumed = true; // the key was taken (Enter may pass on to the dialog)
        bool edited = false;  // hours, minutes or the empty flag were set by the input
        bool refused = false; // the key would give an impossible time: nothing changed, beep
        FocusMove focus = FocusMove::Stay;
    };

    explicit TimeEntryState(TimeFieldKind kind);

    TimeFieldKind kind() const { return m_kind; }
    int hours() const { return m_hours; }
    int minutes() const { return m_minutes; }
    bool isEmpty() const { return m_empty; }
    QChar dayType() const { return m_dayType; }
    Part activePart() const { return m_part; }
    int digitPosition() const { return m_position; } // 0 first, 1 second, 2 third

    void setTabOnEnterKey(bool on) { m_tabOnEnterKey = on; }
    bool tabOnEnterKey() const { return m_tabOnEnterKey; }
    // A time field that may hold 24:00, the end of a day (hours 24 with minutes 00 only).
    void setAllowDayEnd(bool on) { m_allowDayEnd = on; }
    bool allowDayEnd() const { return m_allowDayEnd; }

    // hours * 60 + minutes, wrapped to 16 bits.
    quint16 minutesValue() const;
    // Splits value into hours and minutes; false (and nothing touched) when the field
    // already holds exactly these, so an empty field given 0 stays empty. A time field
    // refuses 1440 or more (1441 or more with allowDayEnd) with TimeEncodingError.
    bool setMinutesValue(quint16 value);
    // Empty state: hours and minutes 0.
    void makeEmpty();
    // The next digit starts the active part afresh: the value came from outside (another
    // record, a value set by the program), so half-typed input must not carry over.
    void restartTyping();
    void setEmptyFlag(bool empty) { m_empty = empty; }

    void focusIn();
    void focusOut();
    void pressMouse(bool rightHalf);

    Outcome typeDigit(int digit);
    Outcome step(int delta);
    // Arrows: hours become minutes, minutes and none become hours.
    void switchPart();
    // Period, comma, decimal key: like switchPart, except right after typing completed the
    // hours ("7." or "07.") the minutes stay active, as a clerk typing 7.30 means.
    void typeSeparator();
    Outcome clear();
    // Insert: takes the given minutes after midnight like setMinutesValue (time field only).
    Outcome takeTimeOfDay(int minutesOfDay);
    // F/N, H/T or V typed (time field only); other letters are not taken.
    Outcome typeDayLetter(QChar letter);
    Outcome enter(bool shift);

private:
    Outcome typeHourDigit(int digit);
    Outcome typeMinuteDigit(int digit);
    int maxHours() const { return m_kind == TimeFieldKind::Time ? 24 : 999; }
    bool validHours(int hours) const;
    static Outcome refusal();

    TimeFieldKind m_kind;
    int m_hours = 0;
    int m_minutes = 0;
    bool m_empty = true;
    QChar m_dayType = QLatin1Char('T');
    Part m_part = Part::None;
    int m_position = 0;
    bool m_hoursJustTyped = false; // the last input completed the hours by typing
    bool m_tabOnEnterKey = false;
    bool m_allowDayEnd = false;
};

} // namespace tk
