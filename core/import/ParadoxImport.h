#pragma once

#include <QStringList>
#include <QVector>

namespace tk {

// What became of one table taken over from Paradox files.
struct ImportedTable
{
    QString name;          // the program's table ("Personal")
    QString file;          // the file it came from, as the folder spells it ("PERSONAL.DB")
    int read = 0;          // records in the file
    int taken = 0;         // rows written
    QStringList refused;   // "Zeile 4: doppelter Schlüssel 10", one per record left out
    QStringList leftAside; // fields of the file the table has no column for
};

// Takes over the five tables kept in Paradox files (Personal.DB, Schicht.DB, Tagplan.DB,
// auswert.db, AuswPos.db in any letter case) into the open database, in one transaction:
// the rows are all there or none. A record whose key is empty or taken, whose date is
// impossible or whose value no rule of the program allows is left out and named in the report;
// a missing AuswertBegin is 1, as the schema upgrade gives it.
class ParadoxImport
{
public:
    enum class Existing {
        Refuse, // only into a database without employees, plans, days or accounts
        Replace // back the database up first (into the automatic folder), then replace them
    };

    // Throws UserError (German) and writes nothing when the folder lacks a table, a file is
    // no readable Paradox table, a key field is missing, a field's type cannot be taken over,
    // the database holds data and existing is Refuse, or the backup before replacing fails.
    static QVector<ImportedTable> run(const QString &folder, Existing existing);

    // "Personal 3, auswert 124": the rows the database holds in the tables an import fills;
    // empty when there are none.
    static QString existingRows();

    // The report: a line per table with its counts, then its refusals and the fields left aside.
    static QStringList reportLines(const QVector<ImportedTable> &tables);
};

} // namespace tk
