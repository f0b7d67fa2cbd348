#include "core/db/ScopedConnection.h"

namespace tk {

ScopedConnection::ScopedConnection(const QString &name, const DatabaseUrl &url)
    : m_name(name)
    , m_db(QSqlDatabase::addDatabase(url.driverName(), name))
{
    url.applyTo(m_db);
}

ScopedConnection::~ScopedConnection()
{
    m_db.close();
    m_db = QSqlDatabase(); // the last handle goes before the connection is removed
    QSqlDatabase::removeDatabase(m_name);
}

} // namespace tk
