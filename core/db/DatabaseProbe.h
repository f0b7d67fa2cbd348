#pragma once

#include <QString>

#include "core/db/DatabaseUrl.h"

namespace tk {

// Tries an address without touching the open database: a German sentence on what is there
// (the program's tables, none yet, no file yet). Throws UserError when it cannot be reached.
QString probeDatabase(const DatabaseUrl &url);

} // namespace tk
