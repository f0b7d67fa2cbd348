#pragma once

#include <QList>

namespace tk {

// Copies the times of one day plan (working time, breaks, target and overtime; not its
// label) to other day plans of the same shift plan, all or nothing. Day plans the shift
// plan lacks are skipped. Throws DbError with the engine's message.
void copyDayPlan(int shiftPlan, int fromDay, const QList<int> &toDays);

} // namespace tk
