#pragma once

#include <array>

namespace tk {

// One break of a day plan in clock minutes.
struct PlanBreak
{
    int from = 0;
    int to = 0;
    // A break takes part unless both bounds are 0 or less (an empty field reads as 0).
    bool isAbsent() const { return from <= 0 && to <= 0; }
};

using PlanBreaks = std::array<PlanBreak, 3>;

// Minutes of the entry from..to that fall into the break. The cases are tried in a fixed
// order with plain signed comparisons: for ordinary spans this is the overlap. A break whose
// end is not after its start deducts nothing, and no deduction is below 0.
int BreakDeduction(int from, int to, const PlanBreak &pause);

// The entry's gross span to - from less the deductions of the breaks that take part.
int NetMinutes(int from, int to, const PlanBreaks &breaks);

} // namespace tk
