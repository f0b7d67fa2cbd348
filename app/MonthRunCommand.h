#pragma once

class QTextStream;

namespace tk {

struct CommandLine;

// The month-end runs over every employee, one line each on out: "taktora --recalc YYYY-MM"
// (the recalculation) and "taktora --fill-holidays YYYY-MM" (the holidays' entries). Needs
// an application object but no display. Returns ExitOk, or ExitFailed when the database
// cannot be used or an employee failed.
int runMonthCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err);

} // namespace tk
