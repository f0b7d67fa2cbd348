#include "core/db/Schema.h"

namespace tk {

QStringList schemaStatements()
{
    return {
        QStringLiteral("CREATE TABLE Personal ("
                       "PersonalNummer INTEGER NOT NULL, Name TEXT, Vorname TEXT, Strasse TEXT, "
                       "Plz TEXT, Ort TEXT, Telefon1 TEXT, Telefon2 TEXT, Geburtsdatum TEXT, "
                       "EintrittsDatum TEXT, AustrittsDatum TEXT, BruttoLohn REAL, "
                       "Schicht INTEGER, AuswertBegin INTEGER)"),
        QStringLiteral("CREATE UNIQUE INDEX Personal_Key ON Personal (PersonalNummer)"),
        QStringLiteral("CREATE TABLE Schicht (Schichtplan INTEGER NOT NULL, Bezeichnung TEXT)"),
        QStringLiteral("CREATE UNIQUE INDEX Schicht_Key ON Schicht (Schichtplan)"),
        QStringLiteral("CREATE TABLE Tagplan ("
                       "Schichtplan INTEGER NOT NULL, Tagesplan INTEGER NOT NULL, "
                       "Bezeichnung TEXT, Von INTEGER, Bis INTEGER, "
                       "PauseVon1 INTEGER, PauseBis1 INTEGER, PauseVon2 INTEGER, "
                       "PauseBis2 INTEGER, PauseVon3 INTEGER, PauseBis3 INTEGER, "
                       "Sollstd INTEGER, Ueberstd1 INTEGER, Ueberstd2 INTEGER, "
                       "Ueberstd3 INTEGER)"),
        QStringLiteral("CREATE UNIQUE INDEX Tagplan_Key ON Tagplan (Schichtplan, Tagesplan)"),
        QStringLiteral("CREATE TABLE auswert ("
                       "PersonalNummer INTEGER NOT NULL, Datum TEXT NOT NULL, Schicht INTEGER, "
                       "Soll INTEGER, Summe INTEGER, Anwesend INTEGER, Krank INTEGER, "
                       "Urlaub INTEGER, Feiertag INTEGER, Unbezahlt INTEGER)"),
        QStringLiteral("CREATE UNIQUE INDEX auswert_Key ON auswert (PersonalNummer, Datum)"),
        QStringLiteral("CREATE TABLE AuswPos ("
                       "PersonalNummer INTEGER NOT NULL, Datum TEXT NOT NULL, Von INTEGER, "
                       "Bis INTEGER, Summe INTEGER, Kennung TEXT)"),
        QStringLiteral("CREATE INDEX AuswPos_Day ON AuswPos (PersonalNummer, Datum)"),
    };
}

} // namespace tk
