// The month overview over ten years of days: 200 employees from 2015 to 2024, a day record
// for every day and two time entries on every weekday (730 000 day records, about a million
// entries). Measured: reading one month for the window, and the printed list's pages.
//
//   taktora_bench_overview [--benchmark_filter=Read]

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "bench/YearsOfDays.h"
#include "core/db/Database.h"
#include "core/recording/MonthOverview.h"
#include "core/reports/lists/MonthOverviewList.h"

using namespace tk;

namespace {

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
        const bench::YearsOfDays database(200, QDate(2015, 1, 1), QDate(2024, 12, 31));
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    Database::disconnect();
    return 0;
}
