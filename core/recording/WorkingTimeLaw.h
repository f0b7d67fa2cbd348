#pragma once

#include <QDate>
#include <QString>
#include <QVector>

#include <optional>

#include "core/recording/DaySums.h"

namespace tk {

// One calendar day of an employee as the working-time checks read it.
struct LawDay
{
    QDate date;
    std::optional<PlanBreaks> plan; // the breaks the evaluation deducts; none without a plan
    QVector<EntryTimes> entries;    // all the day's entries; only N counts as work
    QString holiday;                // the public holiday's name, empty on other days
};

struct LawFinding
{
    QDate date;
    QString rule; // ARBZG3, ARBZG4, ARBZG5, ARBZG9
    QString text;
};

// The German working-time law (ArbZG) over consecutive days, in date, rule order:
//   ARBZG3  working time (N entries less the deducted plan breaks) over 10 hours;
//   ARBZG4  over 6 hours of work need 30 minutes of breaks, over 9 hours 45; only breaks of
//           at least 15 minutes count (a gap between entries or a deducted plan break); and
//           no stretch of more than 6 hours of work without such a break;
//   ARBZG5  less than 11 hours from the end of a day's last work to the first work of the
//           next day with work (a day ending at 24:00 and the next starting at 00:00 are one
//           shift); reported on the later day;
//   ARBZG9  work on a Sunday or a public holiday (a notice).
// Findings on days before from are left out (the day before a period only gives its rest).
QVector<LawFinding> CheckWorkingTimeLaw(const QVector<LawDay> &days, const QDate &from);

} // namespace tk
