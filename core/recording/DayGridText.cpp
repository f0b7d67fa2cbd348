#include "core/recording/DayGridText.h"

#include "core/common/ClockText.h"

namespace tk {

QString MinutesCellText(const QVariant &value)
{
    if (value.isNull())
        return QString();
    const int minutes = value.toInt();
    return minutes > 0 ? MinutesToClockText(minutes) : QStringLiteral("--");
}

QString ClockCellText(const QVariant &value)
{
    return value.isNull() ? QString() : MinutesToClockText(value.toInt());
}

QString DayCellText(const QDate &date)
{
    return date.isValid() ? FormatDate(QLatin1String(DateFormDayMonth), date) : QString();
}

bool IsWeekend(const QDate &date)
{
    return date.isValid() && date.dayOfWeek() >= Qt::Saturday;
}

} // namespace tk
