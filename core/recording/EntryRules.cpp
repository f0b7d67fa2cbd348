#include "core/recording/EntryRules.h"

#include "core/common/ClockText.h"
#include "core/common/EntryCodes.h"

namespace tk {

namespace {

constexpr int DayEnd = 24 * 60;

QString spanText(const TimeEntry &entry)
{
    return QStringLiteral("%1–%2").arg(MinutesToClockText(entry.von),
                                       MinutesToClockText(entry.bis));
}

bool overlap(const TimeEntry &a, const TimeEntry &b)
{
    return a.von < b.bis && b.von < a.bis;
}

} // namespace

EntryOrder entryOrder(const TimeEntry &entry)
{
    if (entry.bis > entry.von)
        return EntryOrder::Forward;
    return entry.bis == entry.von ? EntryOrder::NotAfter : EntryOrder::OverMidnight;
}

QString notAfterText(const TimeEntry &entry)
{
    return QStringLiteral("Bis %1 liegt nicht nach Von %2. Bitte die Zeiten prüfen.")
        .arg(MinutesToClockText(entry.bis), MinutesToClockText(entry.von));
}

QString overMidnightQuestion()
{
    return QStringLiteral("Schicht über Mitternacht?");
}

MidnightSplit splitAtMidnight(const TimeEntry &entry)
{
    MidnightSplit split;
    split.thisDay = {entry.von, DayEnd, entry.kennung};
    split.nextDay = {0, entry.bis, entry.kennung};
    split.hasNextDay = entry.bis > 0;
    return split;
}

int overlappingEntry(const TimeEntry &entry, const QList<TimeEntry> &others)
{
    for (int i = 0; i < others.size(); ++i) {
        if (overlap(entry, others.at(i)))
            return i;
    }
    return -1;
}

QString overlapText(const TimeEntry &entry, const TimeEntry &other)
{
    const QString code = EntryCodeName(other.kennung);
    const QString otherText =
        code.isEmpty() ? spanText(other) : QStringLiteral("%1 (%2)").arg(spanText(other), code);
    return QStringLiteral("Die Zeit %1 überschneidet sich mit der Zeit %2 dieses Tages.")
        .arg(spanText(entry), otherText);
}

std::pair<int, int> overlappingPair(const QList<TimeEntry> &rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        const int other = overlappingEntry(rows.at(i), rows.mid(i + 1));
        if (other >= 0)
            return {i, i + 1 + other};
    }
    return {-1, -1};
}

namespace {

// The first entry of added that overlaps one of existing or an entry of added before it.
QString overlapRefusal(const QList<TimeEntry> &added, const QList<TimeEntry> &existing)
{
    QList<TimeEntry> seen = existing;
    for (const TimeEntry &entry : added) {
        const int other = overlappingEntry(entry, seen);
        if (other >= 0)
            return overlapText(entry, seen.at(other));
        seen << entry;
    }
    return QString();
}

} // namespace

EntryPlan planEntries(const QList<TimeEntry> &typed, const QList<TimeEntry> &others,
                      const QList<TimeEntry> &nextDayEntries,
                      const std::function<bool(const TimeEntry &)> &askOverMidnight)
{
    EntryPlan plan;
    for (const TimeEntry &entry : typed) {
        switch (entryOrder(entry)) {
        case EntryOrder::Forward:
            plan.thisDay << entry;
            break;
        case EntryOrder::NotAfter:
            plan.refusal = notAfterText(entry);
            return plan;
        case EntryOrder::OverMidnight: {
            if (!askOverMidnight(entry))
                return plan;
            const MidnightSplit split = splitAtMidnight(entry);
            plan.thisDay << split.thisDay;
            if (split.hasNextDay)
                plan.nextDay << split.nextDay;
            break;
        }
        }
    }
    plan.refusal = overlapRefusal(plan.thisDay, others);
    if (plan.refusal.isEmpty())
        plan.refusal = overlapRefusal(plan.nextDay, nextDayEntries);
    plan.accepted = plan.refusal.isEmpty();
    return plan;
}

QList<EntryWarning> entryWarnings(const EmployeeOnDate &employee, const QDate &date)
{
    using Kind = EntryWarning::Kind;
    QList<EntryWarning> warnings;
    const QString day = GermanDateText(date);
    if (employee.entryDate.isValid() && date < employee.entryDate)
        warnings << EntryWarning{
            Kind::NotYetEmployed,
            QStringLiteral("%1 ist am %2 noch nicht beschäftigt.").arg(employee.name, day)};
    if (employee.leavingDate.isValid() && date > employee.leavingDate)
        warnings << EntryWarning{
            Kind::NoLongerEmployed,
            QStringLiteral("%1 ist am %2 nicht mehr beschäftigt.").arg(employee.name, day)};
    if (!employee.hasDayPlan)
        warnings << EntryWarning{
            Kind::NoShiftPlan,
            QStringLiteral("%1 hat keinen Schichtplan; die Zeiten werden nicht bewertet.")
                .arg(employee.name)};
    return warnings;
}

} // namespace tk
