#include "core/recording/BreakDeduction.h"

#include <algorithm>

namespace tk {

namespace {

qint64 caseDeduction(qint64 from, qint64 to, const PlanBreak &pause)
{
    const qint64 v = from;
    const qint64 b = to;
    const qint64 s = pause.from;
    const qint64 e = pause.to;
    if (s >= v && b >= e) // the break lies within the entry
        return e - s;
    if (v >= s && b <= e) // the entry lies within the break
        return b - v;
    if (v <= s && s <= b && b <= e) // the entry runs into the break
        return b - s;
    if (s <= v && v <= e && b >= e) // the entry begins inside the break and runs past it
        return e - v;
    return 0;
}

} // namespace

// A deduction never adds time: a break that does not end after it begins deducts nothing,
// and what a reversed entry would "deduct" below 0 is not given back as minutes.
qint64 BreakDeduction(qint64 from, qint64 to, const PlanBreak &pause)
{
    if (pause.to <= pause.from)
        return 0;
    return std::max<qint64>(0, caseDeduction(from, to, pause));
}

qint64 NetMinutes(qint64 from, qint64 to, const PlanBreaks &breaks)
{
    qint64 net = to - from;
    for (const PlanBreak &pause : breaks) {
        if (!pause.isAbsent())
            net -= BreakDeduction(from, to, pause);
    }
    return net;
}

} // namespace tk
