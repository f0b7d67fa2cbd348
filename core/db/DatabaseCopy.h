#pragma once

#include <QStringList>

#include "core/db/DatabaseUrl.h"

namespace tk {

// Copies every table of the open database into an empty target database (a SQLite file that
// does not exist yet or holds no tables, or an empty server database), creating the tables
// there. All of it happens in one transaction of the target, which is committed only when
// every table has as many rows there as here and every whole-number column (the minutes
// among them) the same sum; otherwise nothing stays in the target. Row versions travel
// with the rows.
class DatabaseCopy
{
public:
    // Returns one line per table ("Personal: 12 Zeilen"); throws UserError (German) when the
    // target is not empty, cannot be reached, refuses a row or does not compare equal.
    static QStringList copyTo(const DatabaseUrl &target);
};

} // namespace tk
