#pragma once

#include <QtGlobal>

#include <array>

namespace tk {

// One break of a day plan in clock minutes.
struct PlanBreak
{
    qint64 from = 0;
    qint64 to = 0;
    // A break takes part unless both bounds are 0 or less (an empty field reads as 0).
    bool isAbsent() const { return from <= 0 && to <= 0; }
};

using PlanBreaks = std::array<PlanBreak, 3>;

// Minutes of the entry from..to that fall into the break. The cases are tried in a fixed
// order with plain signed comparisons: for ordinary spans this is the overlap. A break whose
// end is not after its start deducts nothing, and no deduction is below 0. Computed in 64
// bits, so any two stored minutes values give their exact difference.
qint64 BreakDeduction(qint64 from, qint64 to, const PlanBreak &pause);

// The entry's gross span to - from less the deductions of the breaks that take part.
qint64 NetMinutes(qint64 from, qint64 to, const PlanBreaks &breaks);

} // namespace tk
