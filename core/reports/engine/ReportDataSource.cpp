#include "core/reports/engine/ReportDataSource.h"

#include <stdexcept>

namespace tk {

MemoryDataSource::MemoryDataSource(const QStringList &fieldNames)
    : m_fieldNames(fieldNames)
{
}

void MemoryDataSource::addRow(const QVariantList &values)
{
    QVariantList row = values;
    while (row.size() < m_fieldNames.size())
        row.append(QVariant());
    m_rows.append(row);
}

void MemoryDataSource::clear()
{
    m_rows.clear();
    m_current = -1;
}

void MemoryDataSource::linkTo(const ReportDataSource *master, const QStringList &masterFields,
                              const QStringList &detailFields)
{
    if (masterFields.size() != detailFields.size())
        throw std::invalid_argument("MemoryDataSource::linkTo: field lists differ in length");
    m_master = master;
    m_masterFields = masterFields;
    m_detailFields = detailFields;
}

void MemoryDataSource::first()
{
    m_current = 0;
    skipToMatch();
}

void MemoryDataSource::next()
{
    if (eof())
        return;
    ++m_current;
    skipToMatch();
}

bool MemoryDataSource::eof() const
{
    return m_current < 0 || m_current >= m_rows.size();
}

QVariant MemoryDataSource::value(const QString &field) const
{
    const int col = column(field);
    if (eof())
        return QVariant();
    return m_rows.at(m_current).at(col);
}

bool MemoryDataSource::matchesMaster(const QVariantList &row) const
{
    if (!m_master)
        return true;
    if (m_master->eof())
        return false;
    for (int i = 0; i < m_detailFields.size(); ++i) {
        if (row.at(column(m_detailFields.at(i))) != m_master->value(m_masterFields.at(i)))
            return false;
    }
    return true;
}

void MemoryDataSource::skipToMatch()
{
    while (m_current < m_rows.size() && !matchesMaster(m_rows.at(m_current)))
        ++m_current;
}

int MemoryDataSource::column(const QString &field) const
{
    for (int i = 0; i < m_fieldNames.size(); ++i) {
        if (m_fieldNames.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw std::invalid_argument("MemoryDataSource: unknown field " + field.toStdString());
}

} // namespace tk
