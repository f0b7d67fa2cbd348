#pragma once

// Rows and page readers shared by the tests of the printed lists.

#include "core/db/Database.h"
#include "core/reports/engine/ReportPage.h"
#include "tests/support/TempDataDir.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QVariant>

#include <memory>

namespace tk::test {

inline QString iso(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

// A day record with its minutes (an empty field where a QVariant is invalid).
struct DayMinutes
{
    QVariant soll = 0, summe = 0, anwesend, krank, urlaub, feiertag, unbezahlt;
};

inline void addDay(int personalNummer, const QDate &date, const DayMinutes &m)
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO auswert (PersonalNummer, Datum, Schicht, Soll, Summe, "
                       "Anwesend, Krank, Urlaub, Feiertag, Unbezahlt) "
                       "VALUES (?, ?, 1, ?, ?, ?, ?, ?, ?, ?)"),
        {personalNummer, iso(date), m.soll, m.summe, m.anwesend, m.krank, m.urlaub, m.feiertag,
         m.unbezahlt});
}

// A worked day: target 480, the minutes present.
inline void addWorkedDay(int personalNummer, const QDate &date, int present)
{
    DayMinutes m;
    m.soll = 480;
    m.summe = present;
    m.anwesend = present;
    addDay(personalNummer, date, m);
}

inline void addTimeEntry(int personalNummer, const QDate &date, int von, int bis,
                         const QString &code)
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO AuswPos (PersonalNummer, Datum, Von, Bis, Summe, Kennung) "
                       "VALUES (?, ?, ?, ?, ?, ?)"),
        {personalNummer, iso(date), von, bis, bis - von, code});
}

inline void addPerson(int personalNummer, const QString &name, const QString &vorname,
                      double bruttoLohn, const QVariant &auswertBegin, const QVariant &schicht = {})
{
    TempDataDir::exec(
        QStringLiteral("INSERT INTO Personal (PersonalNummer, Name, Vorname, BruttoLohn, "
                       "AuswertBegin, Schicht) VALUES (?, ?, ?, ?, ?, ?)"),
        {personalNummer, name, vorname, bruttoLohn, auswertBegin, schicht});
}

// The band names of all pages in printing order.
inline QStringList bandSequence(const ReportDocument &doc)
{
    QStringList names;
    for (const ReportPage &page : doc.pages)
        names += page.bandNames();
    return names;
}

// A placed band of the document, found by name and occurrence (0 = first).
struct BandRef
{
    const ReportPage *page = nullptr;
    int index = -1;

    bool isValid() const { return page && index >= 0; }
    QString text(const QString &element) const { return page->textOf(index, element); }
    QStringList texts() const
    {
        QStringList result;
        for (const ReportItem &item : page->itemsOf(index)) {
            if (item.kind == ReportItem::Kind::Text)
                result << item.text;
        }
        return result;
    }
    int lineCount() const
    {
        int count = 0;
        for (const ReportItem &item : page->itemsOf(index))
            count += item.kind == ReportItem::Kind::Line ? 1 : 0;
        return count;
    }
};

inline BandRef nthBand(const ReportDocument &doc, const QString &name, int occurrence = 0)
{
    for (const ReportPage &page : doc.pages) {
        for (int i = page.indexOf(name); i >= 0; i = page.indexOf(name, i + 1)) {
            if (occurrence-- == 0)
                return {&page, i};
        }
    }
    return {};
}

inline int countBands(const ReportDocument &doc, const QString &name)
{
    return int(bandSequence(doc).count(name));
}

// The day row of the day whose "Tag" text is dayText ("Mi 01").
inline BandRef dayRow(const ReportDocument &doc, const QString &dayText)
{
    for (int i = 0;; ++i) {
        const BandRef row = nthBand(doc, QStringLiteral("dayRow"), i);
        if (!row.isValid() || row.text(QStringLiteral("Datum")) == dayText)
            return row;
    }
}

} // namespace tk::test
