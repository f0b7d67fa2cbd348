#pragma once

#include <QLineEdit>

namespace tk {

class FieldLink;
class Table;

// Text field bound to a text field of a table. Every change is written into the record at
// once, so the first typed character puts the record into edit state and a pending edit is
// never left in the control alone. An emptied field stores NULL.
class DbEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DbEdit(QWidget *parent = nullptr);

    void setDataSource(Table *table);
    Table *dataSource() const;
    void setDataField(const QString &fieldName);
    QString dataField() const;

private:
    void load();
    void store(const QString &text);

    FieldLink *m_link;
};

} // namespace tk
