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

void TempDataDir::exec(const QString &sql, const QVariantList &binds)
{
    QSqlQuery q(Database::connection());
    q.prepare(sql);
    for (const QVariant &b : binds)
        q.addBindValue(b);
    if (!q.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

} // namespace tk::test
