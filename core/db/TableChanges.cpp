#include "core/db/TableChanges.h"

#include <QDebug>
#include <QTimer>

#include "core/common/Errors.h"
#include "core/db/Table.h"

namespace tk {

TableChanges &TableChanges::instance()
{
    static TableChanges *changes = new TableChanges;
    return *changes;
}

void TableChanges::noteChanged(const QString &tableName)
{
    TableChanges &changes = instance();
    changes.m_pending.insert(tableName);
    if (changes.m_scheduled)
        return;
    changes.m_scheduled = true;
    QTimer::singleShot(0, &changes, &TableChanges::announce);
}

void TableChanges::deferWhile(std::function<bool()> busy)
{
    instance().m_busy = std::move(busy);
}

void TableChanges::announce()
{
    constexpr int RetryMs = 200;
    if (m_busy && m_busy()) {
        QTimer::singleShot(RetryMs, this, &TableChanges::announce);
        return;
    }
    m_scheduled = false;
    const QSet<QString> changed = std::exchange(m_pending, {});
    for (const QString &name : changed)
        Q_EMIT tableChanged(name);
}

void TableChanges::follow(Table *table)
{
    connect(&instance(), &TableChanges::tableChanged, table, [table](const QString &name) {
        if (!table->isOpen() || table->isEditing()
            || name.compare(table->tableName(), Qt::CaseInsensitive) != 0)
            return;
        try {
            table->refresh();
        } catch (const UserError &error) {
            qWarning().noquote() << error.message();
        }
    });
}

} // namespace tk
