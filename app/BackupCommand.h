#pragma once

class QTextStream;

namespace tk {

struct CommandLine;

// "taktora --backup FILE": a checked SQLite copy of the chosen database; "taktora --restore
// FILE": the chosen SQLite database replaced by a checked backup. Returns an ExitCode.
int runBackupCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err);

// "taktora --check-database": the integrity of the chosen database (SQLite's integrity check)
// and whether its tables are those of this program's version, without changing anything.
// Exit 0 when sound, 1 with the findings otherwise.
int runCheckDatabaseCommand(const CommandLine &commandLine, QTextStream &out, QTextStream &err);

} // namespace tk
