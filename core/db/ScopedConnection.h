#pragma once

#include <QSqlDatabase>
#include <QString>

#include "core/db/DatabaseUrl.h"

namespace tk {

// A connection of its own beside the program's (to create tables, copy or try an address),
// set up for an address and removed again when the object goes, also when an error unwinds.
class ScopedConnection
{
public:
    ScopedConnection(const QString &name, const DatabaseUrl &url);
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection &) = delete;
    ScopedConnection &operator=(const ScopedConnection &) = delete;

    QSqlDatabase &db() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

} // namespace tk
