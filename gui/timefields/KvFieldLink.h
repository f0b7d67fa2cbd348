#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace tk {

class KvFieldBase;
class Table;

// Binds a time or duration field to an integer table field holding minutes: the field is
// enabled exactly while the table is open, shows the stored value whenever the table opens,
// moves or the field changes, and writes every entered value back at once (an empty field
// at 00:00 writes NULL).
class KvFieldLink : public QObject
{
    Q_OBJECT
public:
    explicit KvFieldLink(KvFieldBase *field);

    void setDataSource(Table *table);
    Table *dataSource() const;
    void setDataField(const QString &fieldName);
    QString dataField() const { return m_fieldName; }

    bool isActive() const;
    bool isWriting() const { return m_writing; }

    // Shows the stored value; skipped while the field writes.
    void load();
    // Writes the field's value into the current record; skipped while loading.
    void write();

private:
    void followActive();
    void recordChanged(const QString &fieldName);
    void sourceDestroyed();
    bool hasField() const;
    void showUnshowable(const QString &message);

    KvFieldBase *m_field;
    QPointer<Table> m_table;
    QString m_fieldName;
    bool m_loading = true; // from creation until the first load
    bool m_writing = false;
    // A stored value the field cannot show is kept until the operator enters a new one:
    // the field's edit count when it was met, -1 when the shown value is the stored one.
    int m_unshownAtEdit = -1;
};

} // namespace tk
