#pragma once

#include <QStringList>
#include <QVariant>
#include <QVector>

#include "core/db/DatabaseUrl.h"

namespace tk {

// The database's tables, columns and indexes in one list. Minutes and numbers are INTEGER,
// the wage REAL, dates DATE (ISO text YYYY-MM-DD in SQLite). Besides these columns every
// table has a row version, and on a server a surrogate key; neither is ever shown.
struct SchemaIndex
{
    QString name;
    QStringList columns;
    bool unique = false;
};

struct SchemaTable
{
    QString name;
    QStringList columns; // "Name TYPE [NOT NULL]"
    QVector<SchemaIndex> indexes;

    // The names of the columns above, and those of one type ("INTEGER").
    QStringList columnNames(const QString &type = QString()) const;
};

const QVector<SchemaTable> &schemaTables();

// The version of the tables above. Every upgrade step raises it by one; the database keeps
// the version it was brought to.
int schemaVersion();
// The version the open database was brought to (0: from before versions were kept).
int storedSchemaVersion();

// The statements that create the tables of the current version in an empty database of the
// kind and record the version.
QStringList schemaStatements(DatabaseUrl::Kind kind);

// Counts the writes of a row: an update or delete that finds another count than it read
// changes nothing (another workstation was first).
constexpr const char *RowVersionColumn = "version";
// The channel on which a server's triggers announce every written row as "table:key".
constexpr const char *ChangeChannel = "taktora_changes";
// The server's key of a row; SQLite has its rowid.
constexpr const char *SurrogateKeyColumn = "id";
QString rowVersionDefinition();
bool isHiddenColumn(const QString &name);
// A table or column name as the list above spells it (a server hands back names folded to
// lower case); a name the list lacks as it is.
QString schemaSpelling(const QString &name);

// The value a column that old data lacks takes in each of its rows, as the upgrade gives it:
// AuswertBegin 1 (the calendar month), every other column empty.
QVariant valueOfAddedColumn(const QString &table, const QString &column);

// Brings the database the process points at to the current version: the steps above the
// stored version run in order, in one transaction. Runs before any window or command works
// on the tables. Throws DbError when a needed step fails; when nothing but the version
// number is missing and the database cannot be written, it stays as it is.
void upgradeSchema();

} // namespace tk
