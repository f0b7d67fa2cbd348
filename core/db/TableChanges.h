#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

namespace tk {

class Table;

// One change signal per table of the database: after rows of a table were stored or
// deleted through this connection, tableChanged(name) tells every window, so that lists
// opened elsewhere show new and renamed rows without being reopened. Changes are gathered
// and announced once per table when the event loop next runs, after the writes that belong
// together have been committed.
class TableChanges : public QObject
{
    Q_OBJECT
public:
    static TableChanges &instance();

    // A write to tableName succeeded.
    static void noteChanged(const QString &tableName);

    // The table re-reads its rows (keeping its current row) whenever another part of the
    // program, or another workstation on a server, changed its table while it is open and not
    // being edited. Refresh errors leave the rows shown until the next change.
    static void follow(Table *table);

    // While busy() holds (a dialog is open on rows it showed), announcements wait, so that
    // the rows under the dialog stay where they were until it closes.
    static void deferWhile(std::function<bool()> busy);

Q_SIGNALS:
    void tableChanged(const QString &tableName);

private:
    TableChanges() = default;
    void announce();

    QSet<QString> m_pending;
    bool m_scheduled = false;
    std::function<bool()> m_busy;
};

} // namespace tk
