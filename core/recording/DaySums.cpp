#include "core/recording/DaySums.h"

#include <limits>

#include "core/common/EntryCodes.h"

namespace tk {

namespace {

qint64 *codeSum(DaySums &sums, const QString &kennung)
{
    EntryCode code;
    if (!EntryCodeOf(kennung, &code))
        return nullptr;
    switch (code) {
    case EntryCode::Normal:
        return &sums.normal;
    case EntryCode::Unpaid:
        return &sums.unbezahlt;
    case EntryCode::Holiday:
        return &sums.feiertag;
    case EntryCode::Sick:
        return &sums.krank;
    case EntryCode::Leave:
        return &sums.urlaub;
    }
    return nullptr;
}

} // namespace

bool DaySums::operator==(const DaySums &o) const
{
    return total == o.total && normal == o.normal && krank == o.krank && urlaub == o.urlaub
        && feiertag == o.feiertag && unbezahlt == o.unbezahlt;
}

DaySums evaluateDay(const std::optional<PlanBreaks> &plan, const QVector<EntryTimes> &entries)
{
    DaySums sums;
    if (!plan)
        return sums;
    for (const EntryTimes &entry : entries) {
        const qint64 net = NetMinutes(entry.von, entry.bis, *plan);
        sums.total += net;
        if (qint64 *sum = codeSum(sums, entry.kennung))
            *sum += net;
    }
    return sums;
}

bool FitsMinutes(qint64 minutes)
{
    return minutes >= std::numeric_limits<int>::min() && minutes <= std::numeric_limits<int>::max();
}

} // namespace tk
