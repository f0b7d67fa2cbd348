#pragma once

#include <QDate>
#include <QString>
#include <QVector>

class QTextStream;

namespace tk {

// One row of the change log (table Protokoll).
struct ChangeRow
{
    QString zeitpunkt; // JJJJ-MM-TTThh:mm:ss
    QString benutzer;
    QString arbeitsplatz;
    QString tabelle;
    QString schluessel;
    QString feld;
    QString altWert;
    QString neuWert;
    QString grund;
};

// The changes made in a month, in time order; with personalNummer above 0 only those of that
// employee (the employee row, its days' entries and shift plans, its closings). Throws DbError.
QVector<ChangeRow> ChangesOfMonth(int month, int year, int personalNummer);

// The changes of an employee's day (its entries and its shift plan), in time order.
QVector<ChangeRow> ChangesOfDay(int personalNummer, const QDate &date);

// The time of a change as the window and the list show it: "04.03.2024 10:00:00".
QString ChangeTimeText(const QString &zeitpunkt);

// "taktora --changes": a heading line, then a line per row, ';'-separated (a value holding
// ';' or '"' in double quotes).
void WriteChanges(const QVector<ChangeRow> &rows, QTextStream &out);

} // namespace tk
