#pragma once

class QTextStream;

namespace tk {

struct CommandLine;

// The program's start: the command line decides the mode, then the one application object
// the mode needs is created. The window start points the database at the data folder and
// upgrades its tables before the splash and the main window appear. Returns the exit code.
int runTaktora(int &argc, char **argv);

// A mode other than the window start, with its application object present: a command line
// that cannot be used gets its message and the usage text on err (ExitBadCall).
int runCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err);

} // namespace tk
