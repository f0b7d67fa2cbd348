#include "core/recording/DayGridText.h"

#include "core/common/ClockText.h"

#include <QStringList>

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

QString PeriodTotalsText(const MonthSheetCounters::Values &totals)
{
    using C = MonthSheetCounters;
    static const struct
    {
        C::Column column;
        const char *caption;
    } parts[] = {{C::Soll, "Soll"},        {C::Gesamt, "Gesamt"},
                 {C::Ist, "Anw."},         {C::Krank, "Krank"},
                 {C::Urlaub, "Urlaub"},    {C::Feiertag, "Feiert."},
                 {C::Unbezahlt, "Unbez."}, {C::OhneUrlaub, "Ges.ohne Url."}};
    QStringList texts;
    for (const auto &part : parts) {
        texts << QString::fromUtf8(part.caption) + QChar(QChar::Nbsp)
                + FormatHours(MinutesToHours(totals[std::size_t(part.column)]));
    }
    return QStringLiteral("Summe Zeitraum:   ") + texts.join(QStringLiteral("   "));
}

} // namespace tk
