#pragma once

#include <QStringList>
#include <QVariant>
#include <QVector>

namespace tk {

// The records a band walks through: the report's main table for the detail band, a linked
// table for a sub-detail band. The engine only moves forward through it.
class ReportDataSource
{
public:
    virtual ~ReportDataSource() = default;

    virtual void first() = 0;
    virtual void next() = 0;
    // True when there is no current record (empty, or moved past the last one).
    virtual bool eof() const = 0;
    // A field of the current record, by name; a null QVariant for an empty field.
    virtual QVariant value(const QString &field) const = 0;
};

// Rows held in memory: for tests and for lists built from computed data. Optionally linked
// to a master source on named fields, so that it shows only the rows whose detail fields
// equal the master's current values (evaluated at every first()).
class MemoryDataSource final : public ReportDataSource
{
public:
    explicit MemoryDataSource(const QStringList &fieldNames);

    void addRow(const QVariantList &values);
    void clear();
    int rowCount() const { return int(m_rows.size()); }
    void linkTo(const ReportDataSource *master, const QStringList &masterFields,
                const QStringList &detailFields);

    void first() override;
    void next() override;
    bool eof() const override;
    QVariant value(const QString &field) const override;

private:
    bool matchesMaster(const QVariantList &row) const;
    void skipToMatch();
    int column(const QString &field) const;

    QStringList m_fieldNames;
    QVector<QVariantList> m_rows;
    int m_current = -1;

    const ReportDataSource *m_master = nullptr;
    QStringList m_masterFields;
    QStringList m_detailFields;
};

} // namespace tk
