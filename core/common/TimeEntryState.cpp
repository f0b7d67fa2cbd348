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
    if (m_kind == TimeFieldKind::Time && value >= 24 * 60)
        throw TimeEncodingError();
    const int hours = value / 60;
    const int minutes = value % 60;
    if (hours == m_hours && minutes == m_minutes)
        return false;
    m_hours = hours;
    m_minutes = minutes;
    m_empty = false;
    m_dayType = QLatin1Char('T');
    return true;
}

void TimeEntryState::makeEmpty()
{
    m_hours = 0;
    m_minutes = 0;
    m_empty = true;
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

// A digit that would give 24 hours or more (duration: 999 or more) stands alone instead.
TimeEntryState::Outcome TimeEntryState::typeHourDigit(int digit)
{
    m_empty = false;
    if (m_position == 0) {
        m_hours = digit;
        if (m_kind == TimeFieldKind::Time && digit >= 3)
            m_part = Part::Minutes; // no second digit can follow 3..9
        else
            m_position = 1;
        return changed();
    }
    int hours = m_hours * 10 + digit;
    if (hours >= maxHours())
        hours = digit;
    m_hours = hours;
    if (m_kind == TimeFieldKind::Duration && m_position == 1) {
        m_position = 2;
    } else {
        m_position = 0;
        m_part = Part::Minutes;
    }
    return changed();
}

TimeEntryState::Outcome TimeEntryState::typeMinuteDigit(int digit)
{
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
    if (minutes >= 60)
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
    m_position = 0;
    m_empty = false;
    if (m_part == Part::Hours) {
        int hours = m_hours + delta;
        if (hours >= maxHours())
            hours = 0;
        else if (hours < 0)
            hours = maxHours() - (m_kind == TimeFieldKind::Time ? 1 : 0);
        m_hours = hours;
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
    m_position = 0;
    m_part = m_part == Part::Hours ? Part::Minutes : Part::Hours;
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
