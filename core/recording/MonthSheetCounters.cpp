#include "core/recording/MonthSheetCounters.h"

#include "core/db/Table.h"

namespace tk {

MonthSheetCounters::Day MonthSheetCounters::dayAt(const Table &auswert, int row)
{
    const auto minutes = [&](const char *field) {
        return Field::largeInt(auswert.valueAt(row, auswert.fieldIndex(QLatin1String(field))));
    };
    Day day;
    day.soll = minutes("Soll");
    day.summe = minutes("Summe");
    day.anwesend = minutes("Anwesend");
    day.unbezahlt = minutes("Unbezahlt");
    day.feiertag = minutes("Feiertag");
    day.krank = minutes("Krank");
    day.urlaub = minutes("Urlaub");
    return day;
}

MonthSheetCounters::Values MonthSheetCounters::periodTotals(const Table &auswert)
{
    MonthSheetCounters counters;
    for (int row = 0; row < auswert.recordCount(); ++row)
        counters.addDay(dayAt(auswert, row));
    return counters.period();
}

qint64 MonthSheetCounters::paidMinutes(const Values &period)
{
    return period[OhneUrlaub] + period[Urlaub];
}

void MonthSheetCounters::reset()
{
    m_week.fill(0);
    m_period.fill(0);
    m_dayOhneUrlaub = 0;
}

MonthSheetCounters::Values MonthSheetCounters::addDay(const Day &day)
{
    Values cells{};
    cells[Soll] = day.summe > 0 ? day.soll : 0;
    cells[Gesamt] = day.summe;
    cells[Ist] = day.anwesend;
    cells[Unbezahlt] = day.unbezahlt;
    cells[Feiertag] = day.feiertag;
    cells[Krank] = day.krank;
    cells[Urlaub] = day.urlaub;

    // the day counter collects the paid presence columns, then prints and starts again
    m_dayOhneUrlaub += day.anwesend + day.krank + day.feiertag;
    cells[OhneUrlaub] = m_dayOhneUrlaub;
    m_dayOhneUrlaub = 0;

    for (int c = 0; c < ColumnCount; ++c) {
        m_week[c] += cells[c];
        m_period[c] += cells[c];
    }
    return cells;
}

MonthSheetCounters::Values MonthSheetCounters::takeWeek()
{
    const Values cells = m_week;
    m_week.fill(0);
    return cells;
}

bool MonthSheetCounters::blankWhenNotPositive(Column column)
{
    switch (column) {
    case Ist:
    case Unbezahlt:
    case Feiertag:
    case Krank:
    case Urlaub:
        return true;
    default:
        return false;
    }
}

} // namespace tk
