#include "app/MonthRunCommand.h"

#include <QTextStream>

#include "app/CommandLine.h"
#include "app/DatabaseChoice.h"
#include "core/recording/ChangeLog.h"
#include "core/recording/HolidayFill.h"
#include "core/recording/LawChecks.h"
#include "core/recording/MonthClosing.h"
#include "core/recording/MonthOverview.h"
#include "core/recording/MonthRecalc.h"
#include "core/recording/TimeAccount.h"
#include "core/settings/FirmSettings.h"

namespace tk {

namespace {

// Runs the month run the command line names; returns the number of employees that failed.
int runFor(const CommandLine &commandLine, QTextStream &out)
{
    const int month = commandLine.month;
    const int year = commandLine.year;
    const int employee = commandLine.oneEmployee ? commandLine.employee : 0;
    switch (commandLine.mode) {
    case RunMode::FillHolidays:
        return FillHolidaysOfMonth(month, year, out);
    case RunMode::Account:
        return WriteAccounts(month, year, employee, out);
    case RunMode::Check:
        return WriteLawChecks(month, year, employee, out);
    case RunMode::CloseMonth:
        return CloseMonth(month, year, employee, out);
    case RunMode::ReopenMonth:
        ReopenMonth(month, year, employee, commandLine.reason);
        out << QStringLiteral("Personal-Nr. %1: Zeitraum des Monats %2/%3 wieder geöffnet")
                   .arg(employee)
                   .arg(month, 2, 10, QLatin1Char('0'))
                   .arg(year)
            << '\n';
        return 0;
    case RunMode::Changes:
        WriteChanges(ChangesOfMonth(month, year, employee), out);
        return 0;
    case RunMode::Missing:
        WriteMissingDays(
            ReadMonthOverview(month, year, QDate::currentDate(), FirmSettings::state()), out);
        return 0;
    default:
        return RecalcMonth(month, year, out);
    }
}

QString failureText(RunMode mode)
{
    switch (mode) {
    case RunMode::FillHolidays:
        return QStringLiteral("Nicht eingetragen: %1 Mitarbeiter.");
    case RunMode::CloseMonth:
        return QStringLiteral("Nicht abgeschlossen: %1 Mitarbeiter.");
    case RunMode::Account:
    case RunMode::Check:
    case RunMode::Missing:
        return QStringLiteral("Nicht ausgewertet: %1 Mitarbeiter.");
    default:
        return QStringLiteral("Nicht berechnet: %1 Mitarbeiter.");
    }
}

} // namespace

int runMonthCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    return runReportingErrors(err, [&] {
        openChosenDatabase(commandLine);
        const int failures = runFor(commandLine, out);
        out.flush();
        if (failures == 0)
            return int(ExitOk);
        err << failureText(commandLine.mode).arg(failures) << '\n';
        return int(ExitFailed);
    });
}

} // namespace tk
