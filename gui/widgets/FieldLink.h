#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

class QWidget;

namespace tk {

class Table;

// The data link of a bound control: it keeps the control enabled exactly while the table is
// open, asks the control to show the stored value whenever the table opens, moves, re-reads
// or the bound field changes, and writes the control's value into the current record (which
// puts the record into edit state). A reload caused by the control's own write is skipped,
// so typing is never disturbed by the echo of what was typed.
class FieldLink : public QObject
{
    Q_OBJECT
public:
    using Loader = std::function<void()>;

    FieldLink(QWidget *control, Loader load);

    void setDataSource(Table *table);
    Table *dataSource() const;
    void setDataField(const QString &fieldName);
    QString dataField() const { return m_fieldName; }

    // The table is open and has the field.
    bool isActive() const;
    bool isWriting() const { return m_writing; }
    // The stored value (the edit buffer while editing); null when not active.
    QVariant value() const;

    // Writes value into the bound field; an error of the table layer is shown in the error
    // box and the control shows the stored value again. Returns false in that case.
    bool write(const QVariant &value);
    // Shows the stored value now.
    void reload();

private:
    void followActive();

    QWidget *m_control;
    Loader m_load;
    QPointer<Table> m_table;
    QString m_fieldName;
    bool m_writing = false;
};

} // namespace tk
