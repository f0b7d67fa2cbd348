#include "app/MonthRunCommand.h"

#include <QTextStream>

#include "app/CommandLine.h"
#include "app/DatabaseChoice.h"
#include "core/common/Errors.h"
#include "core/recording/HolidayFill.h"
#include "core/recording/MonthRecalc.h"
#include "core/recording/TimeAccount.h"

namespace tk {

int runMonthCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    const bool fill = commandLine.mode == RunMode::FillHolidays;
    const int month = commandLine.month;
    const int year = commandLine.year;
    try {
        openChosenDatabase(commandLine);
        int failures = 0;
        if (commandLine.mode == RunMode::Account)
            failures =
                WriteAccounts(month, year, commandLine.oneEmployee ? commandLine.employee : 0, out);
        else
            failures = fill ? FillHolidaysOfMonth(month, year, out) : RecalcMonth(month, year, out);
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
