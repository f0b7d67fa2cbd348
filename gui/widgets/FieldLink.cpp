#include "gui/widgets/FieldLink.h"

#include <QWidget>

#include "core/db/Table.h"
#include "gui/widgets/ErrorGuard.h"

namespace tk {

FieldLink::FieldLink(QWidget *control, Loader load)
    : QObject(control)
    , m_control(control)
    , m_load(std::move(load))
{
}

void FieldLink::setDataSource(Table *table)
{
    if (m_table == table)
        return;
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = table;
    if (table) {
        connect(table, &Table::activeChanged, this, &FieldLink::followActive);
        connect(table, &Table::recordChanged, this, [this](const QString &fieldName) {
            if (m_writing)
                return;
            if (fieldName.isEmpty() || fieldName.compare(m_fieldName, Qt::CaseInsensitive) == 0)
                reload();
        });
    }
    followActive();
}

void FieldLink::setDataField(const QString &fieldName)
{
    m_fieldName = fieldName;
    reload();
}

Table *FieldLink::dataSource() const
{
    return m_table;
}

bool FieldLink::isActive() const
{
    return m_table && m_table->isOpen() && m_table->fieldIndex(m_fieldName) >= 0;
}

QVariant FieldLink::value() const
{
    if (!isActive())
        return QVariant();
    return m_table->value(m_table->fieldIndex(m_fieldName));
}

bool FieldLink::write(const QVariant &value)
{
    if (!isActive())
        return false;
    m_writing = true;
    const bool ok = runGuarded(m_control, [&] { m_table->field(m_fieldName).setValue(value); });
    m_writing = false;
    if (!ok)
        reload();
    return ok;
}

void FieldLink::reload()
{
    if (m_load)
        m_load();
}

void FieldLink::followActive()
{
    m_control->setEnabled(m_table && m_table->isOpen());
    reload();
}

} // namespace tk
