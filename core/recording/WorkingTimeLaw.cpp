#include "core/recording/WorkingTimeLaw.h"

#include <algorithm>
#include <array>

#include "core/common/ClockText.h"
#include "core/common/EntryCodes.h"

namespace tk {

namespace {

constexpr int DayMinutes = 24 * 60;
constexpr qint64 MaxWork = 10 * 60;
constexpr qint64 LongDay = 9 * 60;
constexpr qint64 LongStretch = 6 * 60;
constexpr qint64 ShortBreaks = 30;
constexpr qint64 LongBreaks = 45;
constexpr qint64 MinBreak = 15;
constexpr qint64 MinRest = 11 * 60;

bool isWork(const EntryTimes &entry)
{
    EntryCode code;
    return EntryCodeOf(entry.kennung, &code) && code == EntryCode::Normal;
}

QString duration(qint64 minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// A day's work minute by minute: inside an N entry, and inside a plan break it deducts.
struct DayMinutesMap
{
    std::array<bool, DayMinutes> work{};
    std::array<bool, DayMinutes> planBreak{};
    bool any = false;
    int first = DayMinutes; // first minute of work
    int end = 0;            // end of the last work (exclusive)
};

DayMinutesMap mapDay(const LawDay &day)
{
    DayMinutesMap map;
    for (const EntryTimes &entry : day.entries) {
        if (!isWork(entry))
            continue;
        const int from = int(std::clamp<qint64>(entry.von, 0, DayMinutes));
        const int to = int(std::clamp<qint64>(entry.bis, 0, DayMinutes));
        for (int m = from; m < to; ++m)
            map.work[m] = true;
        if (to > from) {
            map.any = true;
            map.first = std::min(map.first, from);
            map.end = std::max(map.end, to);
        }
    }
    if (!day.plan)
        return map;
    for (const PlanBreak &pause : *day.plan) {
        if (pause.isAbsent())
            continue;
        const int from = int(std::clamp<qint64>(pause.from, 0, DayMinutes));
        const int to = int(std::clamp<qint64>(pause.to, 0, DayMinutes));
        // Deducted minutes are no work; whether they make a break the law counts depends on
        // the whole pause around them (at least 15 minutes without work).
        for (int m = from; m < to; ++m)
            map.planBreak[m] = map.work[m];
    }
    return map;
}

struct DayWork
{
    qint64 work = 0;    // minutes worked
    qint64 breaks = 0;  // minutes of breaks that count
    qint64 stretch = 0; // the longest work without such a break
};

DayWork measure(const DayMinutesMap &map)
{
    DayWork result;
    qint64 stretch = 0;
    qint64 idle = 0; // minutes since the last work, inside the working day
    for (int m = map.first; m < map.end; ++m) {
        const bool working = map.work[m] && !map.planBreak[m];
        if (working) {
            if (idle >= MinBreak) {
                result.breaks += idle;
                stretch = 0;
            }
            idle = 0;
            ++result.work;
            result.stretch = std::max(result.stretch, ++stretch);
        } else {
            ++idle;
        }
    }
    return result;
}

void checkDay(const LawDay &day, const DayMinutesMap &map, QVector<LawFinding> *findings)
{
    const DayWork work = measure(map);
    if (work.work > MaxWork)
        findings->append(
            {day.date, QStringLiteral("ARBZG3"),
             QStringLiteral("Arbeitszeit %1 über 10 Stunden").arg(duration(work.work))});
    const qint64 needed =
        work.work > LongDay ? LongBreaks : (work.work > LongStretch ? ShortBreaks : 0);
    if (work.breaks < needed)
        findings->append({day.date, QStringLiteral("ARBZG4"),
                          QStringLiteral("Pausen %1 bei %2 Arbeitszeit, vorgeschrieben sind %3 "
                                         "Minuten")
                              .arg(duration(work.breaks), duration(work.work))
                              .arg(needed)});
    if (work.stretch > LongStretch)
        findings->append({day.date, QStringLiteral("ARBZG4"),
                          QStringLiteral("%1 Arbeit ohne Pause von mindestens 15 Minuten")
                              .arg(duration(work.stretch))});
}

} // namespace

QVector<LawFinding> CheckWorkingTimeLaw(const QVector<LawDay> &days, const QDate &from)
{
    QVector<LawFinding> findings;
    const LawDay *lastWorkDay = nullptr;
    int lastEnd = 0;
    for (const LawDay &day : days) {
        const DayMinutesMap map = mapDay(day);
        if (!map.any)
            continue;
        QVector<LawFinding> found;
        checkDay(day, map, &found);
        if (lastWorkDay) {
            const qint64 rest =
                lastWorkDay->date.daysTo(day.date) * DayMinutes + map.first - lastEnd;
            const bool oneShift = rest == 0 && lastEnd == DayMinutes && map.first == 0;
            if (!oneShift && rest < MinRest)
                found.append({day.date, QStringLiteral("ARBZG5"),
                              QStringLiteral("Ruhezeit %1 nach Arbeitsende %2 am %3, "
                                             "vorgeschrieben sind 11 Stunden")
                                  .arg(duration(rest), MinutesToClockText(lastEnd),
                                       GermanDateText(lastWorkDay->date))});
        }
        if (!day.holiday.isEmpty())
            found.append({day.date, QStringLiteral("ARBZG9"),
                          QStringLiteral("Arbeit am Feiertag %1").arg(day.holiday)});
        else if (day.date.dayOfWeek() == Qt::Sunday)
            found.append({day.date, QStringLiteral("ARBZG9"), QStringLiteral("Arbeit am Sonntag")});
        if (day.date >= from)
            findings += found;
        lastWorkDay = &day;
        lastEnd = map.end;
    }
    return findings;
}

} // namespace tk
