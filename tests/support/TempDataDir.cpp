#include "tests/support/TempDataDir.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include "core/db/Database.h"

namespace tk::test {

TempDataDir::TempDataDir(bool withDatabase)
{
    if (withDatabase)
        Database::createDatabase(m_dir.path());
    Database::setPath(m_dir.path());
}

TempDataDir::~TempDataDir()
{
    Database::disconnect();
}

void TempDataDir::exec(const QString &sql)
{
    QSqlQuery q(Database::connection());
    if (!q.exec(sql))
        QFAIL(qPrintable(QStringLiteral("%1: %2").arg(sql, q.lastError().text())));
}

} // namespace tk::test
