#include "core/common/TimeEntryState.h"

#include "core/common/Errors.h"

namespace tk {

namespace {

TimeEntryState::Outcome changed(bool edited = true)
{
    TimeEntryState::Outcome outcome;
    outcome.change = true;
    outcome.edited = edited;
    return outcome;
}

} // namespace

TimeEntryState::TimeEntryState(TimeFieldKind kind)
    : m_kind(kind)
{
}

quint16 TimeEntryState::minutesValue() const
{
    return quint16(m_hours * 60 + m_minutes);
}

bool TimeEntryState::setMinutesValue(quint16 value)
{
    const int dayEnd = 24 * 60;
    if (m_kind == TimeFieldKind::Time && (value > dayEnd || (value == dayEnd && !m_allowDayEnd)))
        throw TimeEncodingError();
    const int hours = value / 60;
    const int minutes = value % 60;
    if (hours == m_hours && minutes == m_minutes)
        return false;
    m_hours = hours;
    m_minutes = minutes;
    m_empty = false;
    m_dayType = QLatin1Char('T');
    restartTyping();
    return true;
}

void TimeEntryState::makeEmpty()
{
    m_hours = 0;
    m_minutes = 0;
    m_empty = true;
    restartTyping();
}

void TimeEntryState::restartTyping()
{
    m_position = 0;
    m_hoursJustTyped = false;
}

bool TimeEntryState::validHours(int hours) const
{
    return hours < 24 || (m_allowDayEnd && hours == 24);
}

TimeEntryState::Outcome TimeEntryState::refusal()
{
    Outcome outcome;
    outcome.refused = true;
    return outcome;
}

// The digit position survives focus changes on purpose: a part left half-typed is
// continued when the field gets the focus back.
void TimeEntryState::focusIn()
{
    if (m_part == Part::None)
        m_part = Part::Hours;
}

void TimeEntryState::focusOut()
{
    m_part = Part::None;
    m_hoursJustTyped = false;
}

void TimeEntryState::pressMouse(bool rightHalf)
{
    m_part = rightHalf ? Part::Minutes : Part::Hours;
}

TimeEntryState::Outcome TimeEntryState::typeDigit(int digit)
{
    switch (m_part) {
    case Part::Hours:
        return typeHourDigit(digit);
    case Part::Minutes:
        return typeMinuteDigit(digit);
    case Part::None:
        break;
    }
    Outcome ignored;
    ignored.consumed = false;
    return ignored;
}

// A second digit that cannot give a clock hour (27) is refused and the field stays as it
// was; in a duration field a result of 999 or more stands alone instead.
TimeEntryState::Outcome TimeEntryState::typeHourDigit(int digit)
{
    m_hoursJustTyped = false;
    if (m_position == 0) {
        m_empty = false;
        m_hours = digit;
        if (m_kind == TimeFieldKind::Time && digit >= 3) {
            m_part = Part::Minutes; // no second digit can follow 3..9
            m_hoursJustTyped = true;
        } else {
            m_position = 1;
        }
        return changed();
    }
    int hours = m_hours * 10 + digit;
    if (m_kind == TimeFieldKind::Time && !validHours(hours))
        return refusal();
    if (hours >= maxHours() && m_kind == TimeFieldKind::Duration)
        hours = digit;
    m_empty = false;
    m_hours = hours;
    if (hours == 24)
        m_minutes = 0;
    if (m_kind == TimeFieldKind::Duration && m_position == 1) {
        m_position = 2;
    } else {
        m_position = 0;
        m_part = Part::Minutes;
        m_hoursJustTyped = true;
    }
    return changed();
}

TimeEntryState::Outcome TimeEntryState::typeMinuteDigit(int digit)
{
    m_hoursJustTyped = false;
    const bool dayEnd = m_kind == TimeFieldKind::Time && m_hours == 24;
    if (dayEnd && digit != 0)
        return refusal(); // 24:00 is the only time with 24 hours
    m_empty = false;
    if (m_position == 0) {
        m_minutes = digit;
        if (m_kind == TimeFieldKind::Time && digit >= 6)
            m_part = Part::Hours; // no second digit can follow 6..9
        else
            m_position = 1;
        return changed();
    }
    int minutes = m_minutes * 10 + digit;
    if (minutes >= 60 || dayEnd)
        minutes = digit;
    m_minutes = minutes;
    m_position = 0;
    Outcome outcome = changed();
    if (m_tabOnEnterKey)
        outcome.focus = FocusMove::Next;
    else
        m_part = Part::Hours;
    return outcome;
}

TimeEntryState::Outcome TimeEntryState::step(int delta)
{
    m_hoursJustTyped = false;
    if (m_part == Part::Minutes && m_kind == TimeFieldKind::Time && m_hours == 24)
        return refusal();
    m_position = 0;
    m_empty = false;
    if (m_part == Part::Hours) {
        const bool time = m_kind == TimeFieldKind::Time;
        const int wrap = time && validHours(24) ? 25 : maxHours();
        int hours = m_hours + delta;
        if (hours >= wrap)
            hours = 0;
        else if (hours < 0)
            hours = maxHours() - (time ? 1 : 0);
        m_hours = hours;
        if (time && hours == 24)
            m_minutes = 0;
    } else if (m_part == Part::Minutes) {
        int minutes = m_minutes + delta;
        if (minutes >= 60)
            minutes = 0;
        else if (minutes < 0)
            minutes = 59;
        m_minutes = minutes;
    }
    return changed();
}

void TimeEntryState::switchPart()
{
    m_hoursJustTyped = false;
    m_position = 0;
    m_part = m_part == Part::Hours ? Part::Minutes : Part::Hours;
}

void TimeEntryState::typeSeparator()
{
    if (m_hoursJustTyped && m_part == Part::Minutes) {
        m_hoursJustTyped = false;
        m_position = 0;
        return;
    }
    switchPart();
}

TimeEntryState::Outcome TimeEntryState::clear()
{
    makeEmpty();
    return changed();
}

TimeEntryState::Outcome TimeEntryState::takeTimeOfDay(int minutesOfDay)
{
    if (m_kind != TimeFieldKind::Time) {
        Outcome ignored;
        ignored.consumed = false;
        return ignored;
    }
    const bool applied = setMinutesValue(quint16(minutesOfDay));
    return changed(applied);
}

TimeEntryState::Outcome TimeEntryState::typeDayLetter(QChar letter)
{
    m_hoursJustTyped = false;
    Outcome ignored;
    ignored.consumed = false;
    if (m_kind != TimeFieldKind::Time)
        return ignored;
    switch (letter.toUpper().unicode()) {
    case 'F':
    case 'N':
        m_dayType = QLatin1Char('F');
        break;
    case 'H':
    case 'T':
        m_dayType = QLatin1Char('T');
        break;
    case 'V':
        m_dayType = QLatin1Char('V');
        break;
    default:
        return ignored;
    }
    return changed(false);
}

TimeEntryState::Outcome TimeEntryState::enter(bool shift)
{
    m_hoursJustTyped = false;
    Outcome outcome = changed(false);
    if (m_part == Part::Hours) {
        m_part = Part::Minutes;
    } else if (m_part == Part::Minutes && m_tabOnEnterKey) {
        outcome.focus = shift ? FocusMove::Previous : FocusMove::Next;
    } else {
        outcome.consumed = false;
    }
    return outcome;
}

} // namespace tk
