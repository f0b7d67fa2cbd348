#include "core/calendar/HolidayCalendar.h"

#include "core/calendar/PublicHolidays.h"

namespace tk {

HolidayCalendar::HolidayCalendar(const QString &state)
{
    setState(state);
}

void HolidayCalendar::setState(const QString &state)
{
    const QString code = PublicHolidays::isKnownState(state) ? state : QString();
    if (code == m_state && !m_years.isEmpty())
        return;
    m_state = code;
    m_years.clear();
}

QString HolidayCalendar::nameOf(const QDate &date)
{
    const int year = date.year();
    if (!date.isValid() || year < PublicHolidays::FirstYear || year > PublicHolidays::LastYear)
        return QString();
    auto it = m_years.find(year);
    if (it == m_years.end()) {
        QHash<QDate, QString> days;
        for (const PublicHoliday &holiday : PublicHolidays::of(m_state, year))
            days.insert(holiday.date, holiday.name);
        it = m_years.insert(year, days);
    }
    return it->value(date);
}

} // namespace tk
