#pragma once

#include <QtGlobal>

#include <array>

namespace tk {

class Table;

// The minute counters of the monthly sheets: per value column one week counter (the week
// sum row) and one period counter (the total row), plus the day counter of the minutes
// without vacation. They start from 0 at every generation of the pages.
class MonthSheetCounters
{
public:
    enum Column { Soll, Gesamt, Ist, Unbezahlt, Feiertag, Krank, Urlaub, OhneUrlaub, ColumnCount };
    using Values = std::array<qint64, ColumnCount>; // minutes, summed without wrapping

    // The minutes of one day record (an empty field reads as 0).
    struct Day
    {
        qint64 soll = 0;
        qint64 summe = 0;
        qint64 anwesend = 0;
        qint64 unbezahlt = 0;
        qint64 feiertag = 0;
        qint64 krank = 0;
        qint64 urlaub = 0;
    };

    // The day record in a row of the day table's view.
    static Day dayAt(const Table &auswert, int row);
    // The total row of the day records in the day table's view, as the monthly sheets print it.
    static Values periodTotals(const Table &auswert);

    // The minutes a gross wage pays: all but the unpaid time (Ges.o.Url. + Urlaub).
    static qint64 paidMinutes(const Values &period);

    void reset();

    // Counts a printed day row and returns its cells. The target counts only on a day with
    // recorded time (Summe above 0); values are added whatever their sign. Minutes without
    // vacation are Ist + Krank + Feiertag (vacation and unpaid time stay out).
    Values addDay(const Day &day);
    // The cells of a week sum row; the week counters start again from 0.
    Values takeWeek();
    const Values &week() const { return m_week; }
    const Values &period() const { return m_period; }

    // Ist, Unbezahlt, Feiertag, Krank and Urlaub stay blank in day and week rows when their
    // value is 0 or less; the total row prints every cell.
    static bool blankWhenNotPositive(Column column);

private:
    Values m_week{};
    Values m_period{};
    qint64 m_dayOhneUrlaub = 0;
};

} // namespace tk
