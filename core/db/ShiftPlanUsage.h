#pragma once

#include <QString>

namespace tk {

// Who names a shift plan by its number: employees (their Schicht) and day records (the
// shift plan a day was evaluated with). A used plan must stay, or the next recalculation
// would zero those days.
struct ShiftPlanUsage
{
    int employees = 0;
    int days = 0;

    bool inUse() const { return employees > 0 || days > 0; }
};

// Counts with the stored rows; throws DbError when a table cannot be read.
ShiftPlanUsage shiftPlanUsage(int plan);

// "Schichtplan 2 wird von 1 Mitarbeiter und 61 Tagen verwendet."
QString shiftPlanUsageText(int plan, const ShiftPlanUsage &usage);

} // namespace tk
