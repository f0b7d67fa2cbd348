#pragma once

class QTextStream;

namespace tk {

struct CommandLine;

// "taktora --export FORMAT --month YYYY-MM --output FILE": the payroll file of a month. Prints
// a line per employee and the file written; a refusal (settings missing, an employee's figures
// that cannot be formed, a file that cannot be written) writes nothing and returns ExitFailed.
int runExportCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err);

} // namespace tk
