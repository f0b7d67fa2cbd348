#include "core/common/DatePeriod.h"

namespace tk {

DatePeriod EvaluationPeriod(int auswertBegin, int month, int year)
{
    const QDate firstOfMonth(year, month, 1);
    if (!firstOfMonth.isValid())
        return {};
    const int days = firstOfMonth.daysInMonth();
    if (auswertBegin <= 0 || auswertBegin > days)
        return {};
    const QDate from(year, month, auswertBegin);
    return {from, from.addDays(days - 1)};
}

} // namespace tk
