#pragma once

#include <QString>

#include "core/db/DatabaseUrl.h"

namespace tk {

struct CommandLine;

// Which database the program works on: the address given with --database; else the SQLite
// file in the folder given with --data-dir; else the address the workstation keeps in the
// program's INI file ([Datenbank] Url=); else taktora.db in the default data folder.
// Throws UserError when the address is not usable.
DatabaseUrl chosenDatabase(const CommandLine &commandLine);

// Points the program at the chosen database and brings its tables to the current version,
// before any window or command-line mode works on them. Automatic backups go to "Sicherung"
// in the folder of a SQLite database, or in the data folder for a server. Throws DbError when the
// tables cannot be upgraded (the folder, file or server missing, a step failing).
void openChosenDatabase(const CommandLine &commandLine);

// The windows start of an installed program: when the chosen database is taktora.db in
// usersDataFolder and missing, that folder is made with empty tables, so that the first start
// from the desktop's menu finds a database. Any other missing database, "Daten" beside the
// program too, is left for the windows to report. Throws UserError like chosenDatabase and
// DbError when the folder cannot be made.
void createUsersDatabase(const CommandLine &commandLine);

// The folder of the automatic backups for the chosen database.
QString backupFolder(const CommandLine &commandLine);

// The workstation's address in the INI file; empty when none is kept.
QString storedDatabaseSetting();
// Keeps the address for the next start; empty removes the entry. A password is never
// written: it is dropped from the address (throws UserError when the address is unusable).
void storeDatabaseSetting(const QString &url);

} // namespace tk
