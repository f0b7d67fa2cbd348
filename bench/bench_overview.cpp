// The month overview over ten years of days: 200 employees from 2015 to 2024, a day record
// for every day and two time entries on every weekday (730 000 day records, about a million
// entries). Measured: reading one month for the window, and the printed list's pages.
//
//   taktora_bench_overview [--benchmark_filter=Read]

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

#include "core/db/Database.h"
#include "core/recording/MonthOverview.h"
#include "core/reports/lists/MonthOverviewList.h"

using namespace tk;

namespace {

constexpr int Employees = 200;
const QDate FirstDay(2015, 1, 1);
const QDate LastDay(2024, 12, 31);

void exec(QSqlQuery &q)
{
    if (!q.exec()) {
        std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        std::abort();
    }
}

class TenYears
{
public:
    TenYears()
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
        for (int n = 1; n <= Employees; ++n) {
            person.addBindValue(n);
            person.addBindValue(QStringLiteral("Name %1").arg(n));
            exec(person);
            for (QDate d = FirstDay; d <= LastDay; d = d.addDays(1)) {
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

private:
    QTemporaryDir m_dir;
};

void ReadMonth(benchmark::State &state)
{
    int missing = 0;
    for (auto _ : state)
        missing =
            ReadMonthOverview(3, 2024, QDate(2024, 3, 31), QStringLiteral("BY")).missingDays();
    state.counters["missing"] = missing;
}
BENCHMARK(ReadMonth)->Unit(benchmark::kMillisecond)->UseRealTime();

void OverviewListLayout(benchmark::State &state)
{
    int pages = 0;
    for (auto _ : state) {
        MonthOverviewList list;
        list.setMonth(QDate(2024, 3, 1));
        pages = int(list.generate().pages.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(OverviewListLayout)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    {
        TenYears database;
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    Database::disconnect();
    return 0;
}
