#pragma once

#include "core/reports/engine/ReportDataSource.h"

namespace tk {

class Table;

// A report walks a tk::Table of its own: the table's current view (range or master link
// applied) is the set of records. A sub-detail table linked with Table::setMaster follows
// the master's current record by itself.
class TableDataSource final : public ReportDataSource
{
public:
    explicit TableDataSource(Table &table);

    void first() override;
    void next() override;
    bool eof() const override;
    // Throws DbError for an unknown field.
    QVariant value(const QString &field) const override;

private:
    Table &m_table;
};

} // namespace tk
