#include "core/reports/engine/TableDataSource.h"

#include "core/db/Table.h"

namespace tk {

TableDataSource::TableDataSource(Table &table)
    : m_table(table)
{
}

void TableDataSource::first()
{
    m_table.first();
}

void TableDataSource::next()
{
    m_table.next();
}

bool TableDataSource::eof() const
{
    return m_table.isEmpty() || m_table.eof();
}

QVariant TableDataSource::value(const QString &field) const
{
    Field f = m_table.field(field);
    return f.isNull() ? QVariant() : f.value();
}

} // namespace tk
