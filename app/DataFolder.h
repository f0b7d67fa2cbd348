#pragma once

#include <QString>

namespace tk {

// Points the program's database at the data folder and brings its tables to the current
// version, before any window or command-line mode works on them. Throws DbError when the
// tables cannot be upgraded (the folder or database missing, a step failing).
void openDataFolder(const QString &dataDir);

} // namespace tk
