#pragma once

#include <QString>

class QWidget;

namespace tk {

// Asks for the password of a database server that wants one the address and ~/.pgpass lack.
// Returns a null string when the clerk cancels. The password is kept for this run only.
QString askDatabasePassword(QWidget *parent, const QString &databaseName);

} // namespace tk
