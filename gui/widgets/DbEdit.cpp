#include "gui/widgets/DbEdit.h"

#include "gui/widgets/FieldLink.h"

namespace tk {

DbEdit::DbEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_link(new FieldLink(this, [this] { load(); }))
{
    setEnabled(false);
    connect(this, &QLineEdit::textEdited, this, &DbEdit::store);
}

void DbEdit::setDataSource(Table *table)
{
    m_link->setDataSource(table);
}

Table *DbEdit::dataSource() const
{
    return m_link->dataSource();
}

void DbEdit::setDataField(const QString &fieldName)
{
    m_link->setDataField(fieldName);
}

QString DbEdit::dataField() const
{
    return m_link->dataField();
}

void DbEdit::load()
{
    const QVariant value = m_link->value();
    const QString text = value.isNull() ? QString() : value.toString();
    if (text != QLineEdit::text())
        setText(text);
}

void DbEdit::store(const QString &text)
{
    const QVariant value = text.isEmpty() ? QVariant() : QVariant(text);
    const QVariant stored = m_link->value();
    if (stored.isNull() == value.isNull() && stored.toString() == text)
        return;
    m_link->write(value);
}

} // namespace tk
