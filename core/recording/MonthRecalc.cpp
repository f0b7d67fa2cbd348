#include "core/recording/MonthRecalc.h"

#include <QTextStream>

#include "core/common/ClockText.h"
#include "core/common/Errors.h"
#include "core/db/Database.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/RunLines.h"
#include "core/recording/TimeRecordingTables.h"

namespace tk {

int RecalcMonth(int month, int year, QTextStream &out)
{
    TimeRecordingTables tables;
    tables.open();
    Table &personal = tables.personal;
    int failures = 0;
    for (personal.first(); !personal.eof(); personal.next()) {
        const QString label = EmployeeLabel(personal);
        try {
            // One transaction per employee: the period's days are stored all or not at all,
            // and another program waiting to write gets its turn between two employees. A
            // workstation recalculating the same days at the same time makes it start over.
            const DatePeriod period = CurrentEvaluationPeriod(&personal, month, year);
            const int number = personal.field(QStringLiteral("PersonalNummer")).asInteger();
            PeriodOutcome outcome;
            retryTransaction(RetryOn::ConcurrentWrite, [&] {
                tables.auswert.cancel();
                tables.auswPos.cancel();
                WriteBatch batch(WriteBatch::AllOrNothing);
                tables.restrictDays(number, period.from, period.to);
                outcome = tables.evaluation.EvaluatePeriod(1, period.from, period.to);
                batch.commit();
            });
            out << QStringLiteral("%1: %2 bis %3, %4 angelegt, %5 neu berechnet")
                       .arg(label, GermanDateText(period.from), GermanDateText(period.to),
                            QString::number(outcome.created), QString::number(outcome.reevaluated))
                << '\n';
        } catch (const DateEncodingError &e) {
            ++failures;
            out << label << QStringLiteral(": ") << e.message() << '\n';
        } catch (const DbError &e) {
            ++failures;
            out << label << QStringLiteral(": ") << OneLine(e.message()) << '\n';
        } catch (const std::exception &e) {
            ++failures;
            out << label << QStringLiteral(": ") << OneLine(QString::fromUtf8(e.what())) << '\n';
        }
        out.flush();
    }
    return failures;
}

} // namespace tk
