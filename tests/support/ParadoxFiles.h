#pragma once

#include <QString>
#include <QVariantList>
#include <QVector>

namespace tk::test {

// A field of a Paradox table written by the tests: its name, pxlib's type (pxfAlpha, pxfDate,
// pxfShort, pxfLong, pxfNumber, ...) and its length in bytes.
struct ParadoxField
{
    QByteArray name;
    char type;
    int length;
};

// Writes a Paradox table with pxlib: a QString goes into an alpha field in the code page, a
// QDate into a date field, numbers into the numeric fields; a null value leaves the field
// empty (all zero bytes).
void writeParadoxTable(const QString &path, const QVector<ParadoxField> &fields,
                       const QVector<QVariantList> &rows, int codePage = 850);

// Writes the five tables of the open database into folder as an old installation kept them:
// numbers and minutes as long integers, clock times and durations of day plans and entries
// as short integers, the wage as a number, dates as dates, texts as alpha (code page 850).
// The files are named "PERSONAL.DB", "Schicht.DB", "TagPlan.db", "AUSWERT.DB", "AuswPos.db".
void writeDatabaseAsParadox(const QString &folder);

} // namespace tk::test
