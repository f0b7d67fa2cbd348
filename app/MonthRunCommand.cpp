#include "app/MonthRunCommand.h"

#include <QTextStream>

#include "app/CommandLine.h"
#include "app/DatabaseChoice.h"
#include "core/common/Errors.h"
#include "core/recording/HolidayFill.h"
#include "core/recording/MonthRecalc.h"

namespace tk {

int runMonthCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    const bool fill = commandLine.mode == RunMode::FillHolidays;
    try {
        openChosenDatabase(commandLine);
        const int failures = fill ? FillHolidaysOfMonth(commandLine.month, commandLine.year, out)
                                  : RecalcMonth(commandLine.month, commandLine.year, out);
        out.flush();
        if (failures == 0)
            return ExitOk;
        err << (fill ? QStringLiteral("Nicht eingetragen: %1 Mitarbeiter.")
                     : QStringLiteral("Nicht berechnet: %1 Mitarbeiter."))
                   .arg(failures)
            << '\n';
    } catch (const std::exception &e) {
        err << errorMessage(e) << '\n';
    }
    return ExitFailed;
}

} // namespace tk
