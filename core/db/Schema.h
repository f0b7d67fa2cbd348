#pragma once

#include <QStringList>
#include <QVector>

namespace tk {

// The database's tables, columns and indexes in one list. Dates are ISO text (YYYY-MM-DD),
// minutes and numbers INTEGER, the wage REAL.
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
};

const QVector<SchemaTable> &schemaTables();

// The version of the tables above. Every upgrade step raises it by one; the database keeps
// the version it was brought to.
int schemaVersion();

// The statements that create the tables of the current version in an empty database and
// record the version.
QStringList schemaStatements();

// Brings the database the process points at to the current version: the steps above the
// stored version run in order, in one transaction. Runs before any window or command works
// on the tables. Throws DbError when a needed step fails; when nothing but the version
// number is missing and the database cannot be written, it stays as it is.
void upgradeSchema();

} // namespace tk
