#include "core/recording/PeriodSelection.h"

#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/db/Table.h"
#include "core/recording/DayEvaluation.h"

namespace tk {

DatePeriod CurrentEvaluationPeriod(Table *personal, int month, int year)
{
    int auswertBegin = 0;
    if (personal->isOpen() && personal->currentRow() >= 0)
        auswertBegin = personal->field(QStringLiteral("AuswertBegin")).asInteger();
    const DatePeriod period = EvaluationPeriod(auswertBegin, month, year);
    if (!period.isValid())
        throw DateEncodingError();
    return period;
}

DatePeriod SelectEvaluationPeriod(DayEvaluation &evaluation, int month, int year, qint16 recalc)
{
    const DatePeriod period = CurrentEvaluationPeriod(evaluation.personal(), month, year);
    const int personalNummer =
        evaluation.personal()->field(QStringLiteral("PersonalNummer")).asInteger();
    // The grids show the outcome once, not the bare restriction before the records exist.
    SuspendedControls suspended(evaluation.auswert(), evaluation.auswPos());
    // Another workstation creating the same missing days at the same time makes it look again.
    retryTransaction(RetryOn::ConcurrentWrite, [&] {
        evaluation.auswert()->cancel();
        evaluation.auswert()->setRange({personalNummer, period.from}, {personalNummer, period.to});
        if (!Database::isReadOnly())
            evaluation.EvaluatePeriod(recalc, period.from, period.to);
    });
    suspended.release();
    return period;
}

} // namespace tk
