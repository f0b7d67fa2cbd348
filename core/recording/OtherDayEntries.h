#pragma once

#include <QDate>
#include <QList>

#include "core/recording/DaySheet.h"

namespace tk {

// Time entries of a day other than the one the time recording window shows: the second
// half of a shift over midnight lands on the following day, which may lie outside the
// period the window has selected.

// The entries stored for the employee on date, in table order.
QList<TimeEntry> entriesOfDay(int personalNummer, const QDate &date);

// Appends entry to the employee's day (Summe = Bis - Von), creating the day record when it
// is missing, and evaluates the day. Throws DbError; nothing is half stored.
void appendEntryToDay(int personalNummer, const QDate &date, const TimeEntry &entry);

} // namespace tk
