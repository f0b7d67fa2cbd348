#pragma once

#include "gui/widgets/ValueComboBox.h"

namespace tk {

class FieldLink;
class Table;

// A choose-only list bound to an integer field: item i stores the number Values[i]. A stored
// value that no item carries (or NULL) shows no item; choosing an item writes its number.
class DbValueComboBox : public TValueComboBox
{
    Q_OBJECT
public:
    explicit DbValueComboBox(QWidget *parent = nullptr);

    void setDataSource(Table *table);
    Table *dataSource() const;
    void setDataField(const QString &fieldName);
    QString dataField() const;

    // Chooses the item as the operator would, writing the field.
    void choose(int index);

private:
    void load();

    FieldLink *m_link;
};

} // namespace tk
