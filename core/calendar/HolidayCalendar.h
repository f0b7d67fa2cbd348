#pragma once

#include <QDate>
#include <QHash>
#include <QString>

namespace tk {

// Answers "which public holiday is this day?" for one state, computing each year once.
class HolidayCalendar
{
public:
    explicit HolidayCalendar(const QString &state = QString());

    QString state() const { return m_state; }
    void setState(const QString &state);
    // The holiday's name, empty on other days and outside the years holidays are known for.
    QString nameOf(const QDate &date);

private:
    QString m_state;
    QHash<int, QHash<QDate, QString>> m_years;
};

} // namespace tk
