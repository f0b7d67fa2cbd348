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

QString EntryCodeName(const QVariant &value)
{
    const QString code = value.isNull() ? QString() : value.toString();
    if (code == QLatin1String("N"))
        return QStringLiteral("Normal");
    if (code == QLatin1String("A"))
        return QStringLiteral("Unbezahlt");
    if (code == QLatin1String("F"))
        return QStringLiteral("Feiertag");
    if (code == QLatin1String("K"))
        return QStringLiteral("Krank");
    if (code == QLatin1String("U"))
        return QStringLiteral("Urlaub");
    return QString();
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
