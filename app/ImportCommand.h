#pragma once

class QTextStream;

namespace tk {

struct CommandLine;

// "taktora --import-paradox FOLDER [--replace]": the five Paradox tables of the folder taken
// over into the chosen database, a report line per table and per record left out. A database
// that holds data is refused (exit 1) unless --replace is given. Returns an ExitCode.
int runImportParadoxCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err);

} // namespace tk
