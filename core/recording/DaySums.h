#pragma once

#include <QString>
#include <QVector>

#include <optional>

#include "core/recording/BreakDeduction.h"

namespace tk {

// One time entry as the day evaluation reads it: clock minutes as stored and the code.
struct EntryTimes
{
    qint64 von = 0;
    qint64 bis = 0;
    QString kennung;
};

// The six sums of a day's time entries, in 64 bits so that nothing wraps while adding.
struct DaySums
{
    qint64 total = 0;     // every entry, whatever its code (Summe)
    qint64 normal = 0;    // "N" (Anwesend)
    qint64 krank = 0;     // "K"
    qint64 urlaub = 0;    // "U"
    qint64 feiertag = 0;  // "F"
    qint64 unbezahlt = 0; // "A"

    bool operator==(const DaySums &other) const;
};

// The heart of the day evaluation: each entry's net minutes (its span less the breaks it
// overlaps, each entry on its own) summed in total and by the first character of its code.
// Without a day plan for the date (plan empty) nothing counts: all sums are 0.
DaySums evaluateDay(const std::optional<PlanBreaks> &plan, const QVector<EntryTimes> &entries);

// Whether a minutes value fits the 32-bit field it is stored in.
bool FitsMinutes(qint64 minutes);

} // namespace tk
