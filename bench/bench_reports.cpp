// The gross wage list over a generated database: 1000 employees, every day of March 2024
// evaluated (and the first half of April for the employees whose period starts on the 16th).
// Measured: laying out the pages, and laying them out plus painting them into a PDF file, as
// the command line "--pdf bruttolohn" does.
//
//   taktora_bench_reports [--benchmark_filter=Pdf]

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include "core/db/Database.h"
#include "core/reports/engine/ReportRenderer.h"
#include "core/reports/lists/GrossWageList.h"

using namespace tk;

namespace {

constexpr int Employees = 1000;
const QDate MarchFirst(2024, 3, 1);

void exec(QSqlQuery &q)
{
    if (!q.exec()) {
        std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        std::abort();
    }
}

class BenchDatabase
{
public:
    BenchDatabase()
    {
        Database::createDatabase(m_dir.path());
        Database::setPath(m_dir.path());
        QSqlDatabase db = Database::connection();
        db.transaction();
        QSqlQuery person(db);
        person.prepare(
            QStringLiteral("INSERT INTO Personal (PersonalNummer, Name, Vorname, "
                           "BruttoLohn, AuswertBegin, Schicht) VALUES (?, ?, ?, ?, ?, 1)"));
        QSqlQuery day(db);
        day.prepare(QStringLiteral("INSERT INTO auswert (PersonalNummer, Datum, Schicht, Soll, "
                                   "Summe, Anwesend, Krank, Urlaub, Feiertag, Unbezahlt) VALUES "
                                   "(?, ?, 1, ?, ?, ?, ?, ?, 0, 0)"));
        for (int n = 1; n <= Employees; ++n) {
            person.addBindValue(n);
            person.addBindValue(QStringLiteral("Name %1").arg(n));
            person.addBindValue(QStringLiteral("Vorname"));
            person.addBindValue(10.0 + n % 17 * 0.25);
            person.addBindValue(n % 4 == 0 ? 16 : 1);
            exec(person);
            for (QDate d = MarchFirst; d <= QDate(2024, 4, 15); d = d.addDays(1)) {
                const bool workday = d.dayOfWeek() <= 5;
                day.addBindValue(n);
                day.addBindValue(d.toString(Qt::ISODate));
                day.addBindValue(workday ? 480 : 0);
                day.addBindValue(workday ? 495 : 0);
                day.addBindValue(workday && d.day() % 9 ? 495 : 0);
                day.addBindValue(workday && d.day() % 9 == 0 ? 495 : 0);
                day.addBindValue(0);
                exec(day);
            }
        }
        db.commit();
    }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

BenchDatabase *g_database = nullptr;

void GrossWageListLayout(benchmark::State &state)
{
    int pages = 0;
    for (auto _ : state) {
        TReportAusw03 list;
        list.setMonth(MarchFirst);
        pages = int(list.generate().pages.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(GrossWageListLayout)->Unit(benchmark::kMillisecond)->UseRealTime();

void GrossWageListPdf(benchmark::State &state)
{
    const QString file = g_database->filePath(QStringLiteral("bruttolohn.pdf"));
    for (auto _ : state) {
        TReportAusw03 list;
        list.setMonth(MarchFirst);
        if (!writePdf({list.generate()}, file))
            state.SkipWithError("PDF not written");
    }
}
BENCHMARK(GrossWageListPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    BenchDatabase database;
    g_database = &database;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_database = nullptr;
    Database::disconnect();
    return 0;
}
