#pragma once

class QTextStream;

namespace tk {

struct CommandLine;

// "taktora --recalc YYYY-MM": the month-end recalculation of every employee, one line each
// on out. Needs an application object but no display. Returns ExitOk, or ExitFailed when
// the database cannot be used or an employee could not be recalculated.
int runRecalcCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err);

} // namespace tk
