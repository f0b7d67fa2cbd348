#include "app/DataFolder.h"

#include "core/db/Database.h"
#include "core/db/Schema.h"

namespace tk {

void openDataFolder(const QString &dataDir)
{
    Database::setPath(dataDir);
    upgradeSchema();
}

} // namespace tk
