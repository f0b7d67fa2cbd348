#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace tk {

// Month-end recalculation, as clerks run it before printing: for every employee in
// PersonalNummer order, the evaluation period of the month is completed (missing day
// records created) and every existing day record re-evaluated. One line per employee goes
// to out. An employee whose period cannot be formed, or whose records fail to store, is
// reported on its line and the run goes on with the next.
//
// Works on the database the process points at (Database::setPath). Returns the number of
// employees that failed; throws DbError when the tables cannot be opened at all.
int RecalcMonth(int month, int year, QTextStream &out);

// "YYYY-MM" with a month 1..12 and a year 1900..2900; false for anything else.
bool ParseRecalcMonth(const QString &text, int *month, int *year);

// The command line mode "--data-dir DIR --recalc YYYY-MM". arguments start with the
// program name. Needs no display: it runs on a QCoreApplication of its own when none exists.
bool IsRecalcCommandLine(const QStringList &arguments);
bool IsRecalcCommandLine(int argc, char *argv[]);
// Runs the mode with the application object present; returns the exit code (0 all done,
// 1 some employees failed, 2 the command line or the database could not be used).
int RunRecalcCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err);
// Entry for main(): creates a QCoreApplication and writes to stdout and stderr.
int RunRecalcCommandLine(int argc, char *argv[]);

} // namespace tk
