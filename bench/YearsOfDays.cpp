#include "bench/YearsOfDays.h"

#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>
#include <cstdlib>

#include "core/db/Database.h"

namespace tk::bench {

namespace {

void exec(QSqlQuery &q)
{
    if (!q.exec()) {
        std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        std::abort();
    }
}

} // namespace

YearsOfDays::YearsOfDays(int employees, const QDate &first, const QDate &last)
{
    Database::createDatabase(m_dir.path());
    Database::setPath(m_dir.path());
    QSqlDatabase db = Database::connection();
    db.transaction();
    QSqlQuery plan(db);
    plan.exec(QStringLiteral("INSERT INTO Schicht (Schichtplan, Bezeichnung) VALUES (1, 'V')"));
    for (int day = 1; day <= 8; ++day) {
        plan.exec(QStringLiteral("INSERT INTO Tagplan (Schichtplan, Tagesplan, Sollstd, Von, "
                                 "Bis) VALUES (1, %1, %2, 420, 930)")
                      .arg(day)
                      .arg(day <= 5 ? 480 : 0));
    }
    QSqlQuery person(db);
    person.prepare(QStringLiteral("INSERT INTO Personal (PersonalNummer, Name, Vorname, "
                                  "BruttoLohn, AuswertBegin, Schicht) VALUES (?, ?, 'V', 12, "
                                  "1, 1)"));
    QSqlQuery day(db);
    day.prepare(QStringLiteral("INSERT INTO auswert (PersonalNummer, Datum, Schicht, Soll, "
                               "Summe, Anwesend, Krank, Urlaub, Feiertag, Unbezahlt) VALUES "
                               "(?, ?, 1, ?, ?, ?, 0, ?, 0, 0)"));
    QSqlQuery entry(db);
    entry.prepare(QStringLiteral("INSERT INTO AuswPos (PersonalNummer, Datum, Von, Bis, "
                                 "Summe, Kennung) VALUES (?, ?, ?, ?, ?, ?)"));
    for (int n = 1; n <= employees; ++n) {
        person.addBindValue(n);
        person.addBindValue(QStringLiteral("Name %1").arg(n));
        exec(person);
        for (QDate d = first; d <= last; d = d.addDays(1)) {
            const bool workday = d.dayOfWeek() <= 5;
            const bool vacation = workday && (d.dayOfYear() + n) % 23 == 0;
            const QString date = d.toString(Qt::ISODate);
            day.addBindValue(n);
            day.addBindValue(date);
            day.addBindValue(workday ? 480 : 0);
            day.addBindValue(workday ? 480 : 0);
            day.addBindValue(workday && !vacation ? 480 : 0);
            day.addBindValue(vacation ? 480 : 0);
            exec(day);
            if (!workday)
                continue;
            for (const auto &[von, bis] : {std::pair{420, 720}, std::pair{750, 930}}) {
                entry.addBindValue(n);
                entry.addBindValue(date);
                entry.addBindValue(von);
                entry.addBindValue(bis);
                entry.addBindValue(bis - von);
                entry.addBindValue(vacation ? QStringLiteral("U") : QStringLiteral("N"));
                exec(entry);
            }
        }
    }
    db.commit();
}

} // namespace tk::bench
