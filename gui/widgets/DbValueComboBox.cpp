#include "gui/widgets/DbValueComboBox.h"

#include "gui/widgets/FieldLink.h"

namespace tk {

DbValueComboBox::DbValueComboBox(QWidget *parent)
    : TValueComboBox(parent)
    , m_link(new FieldLink(this, [this] { load(); }))
{
    setEnabled(false);
    connect(this, &QComboBox::activated, this, &DbValueComboBox::choose);
}

void DbValueComboBox::setDataSource(Table *table)
{
    m_link->setDataSource(table);
}

Table *DbValueComboBox::dataSource() const
{
    return m_link->dataSource();
}

void DbValueComboBox::setDataField(const QString &fieldName)
{
    m_link->setDataField(fieldName);
}

QString DbValueComboBox::dataField() const
{
    return m_link->dataField();
}

void DbValueComboBox::load()
{
    const QSignalBlocker blocker(this);
    const QVariant stored = m_link->value();
    setValue(stored.isNull() ? QString() : QString::number(stored.toLongLong()));
}

void DbValueComboBox::choose(int index)
{
    if (index < 0 || index >= count())
        return;
    setCurrentIndex(index);
    bool ok = false;
    const qlonglong number = values().value(index).toLongLong(&ok);
    if (!ok)
        return;
    const QVariant stored = m_link->value();
    if (!stored.isNull() && stored.toLongLong() == number)
        return;
    m_link->write(number);
}

} // namespace tk
