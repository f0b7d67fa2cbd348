// Taking over old data: the Paradox files of 200 employees over two years (146 000 day
// records, about 210 000 time entries), read and written into an empty database in one
// transaction. Each round starts on a new empty database; only the import is timed.
//
//   taktora_bench_import

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>

#include "bench/YearsOfDays.h"
#include "core/db/Database.h"
#include "core/import/ParadoxImport.h"
#include "tests/support/ParadoxFiles.h"

using namespace tk;

namespace {

QString g_folder; // the Paradox files

void ImportTwoYears(benchmark::State &state)
{
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto empty = std::make_unique<QTemporaryDir>();
        Database::createDatabase(empty->path());
        Database::setPath(empty->path());
        state.ResumeTiming();
        rows = 0;
        for (const ImportedTable &table :
             ParadoxImport::run(g_folder, ParadoxImport::Existing::Refuse))
            rows += table.taken;
        state.PauseTiming();
        Database::disconnect();
        empty.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["rows/s"] =
        benchmark::Counter(double(rows) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(ImportTwoYears)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir files;
    g_folder = files.path();
    {
        const bench::YearsOfDays database(200, QDate(2023, 1, 1), QDate(2024, 12, 31));
        test::writeDatabaseAsParadox(g_folder);
        Database::disconnect();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
