#include "core/recording/BreakDeduction.h"

#include <algorithm>

namespace tk {

namespace {

int caseDeduction(int from, int to, const PlanBreak &pause)
{
    const int v = from;
    const int b = to;
    const int s = pause.from;
    const int e = pause.to;
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
int BreakDeduction(int from, int to, const PlanBreak &pause)
{
    if (pause.to <= pause.from)
        return 0;
    return std::max(0, caseDeduction(from, to, pause));
}

int NetMinutes(int from, int to, const PlanBreaks &breaks)
{
    int net = to - from;
    for (const PlanBreak &pause : breaks) {
        if (!pause.isAbsent())
            net -= BreakDeduction(from, to, pause);
    }
    return net;
}

} // namespace tk
