// Day evaluation on a generated database: 200 employees on one shift plan with breaks, three
// time entries on every day of March 2024. Each measurement of the table layer is paired with
// the same rows written and read by plain SQL statements in one transaction; the counter
// "ratio" is table layer time / plain time, "plain_ms" the plain time per iteration.
// Each measure runs on SQLite (argument 0) and, when TAKTORA_BENCH_PG_URL names a PostgreSQL
// server (scripts/bench.sh starts one), on a database made there (argument 1).
//
//   taktora_bench [--benchmark_filter=Select]

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDate>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "core/db/Database.h"
#include "core/db/ScopedConnection.h"
#include "core/db/SqlDialect.h"
#include "core/db/Table.h"
#include "core/recording/DaySums.h"
#include "core/recording/MonthRecalc.h"
#include "core/recording/PeriodSelection.h"
#include "core/recording/TimeRecordingTables.h"

using namespace tk;

namespace {

constexpr int Employees = 200;
constexpr int ShiftPlan = 1;
const QDate MarchFirst(2024, 3, 1);
const QDate MarchLast(2024, 3, 31);

void exec(QSqlQuery &q)
{
    if (!q.exec()) {
        std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
        std::abort();
    }
}

void exec(const QString &sql)
{
    QSqlQuery q(Database::connection());
    q.prepare(sql);
    exec(q);
}

QString iso(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QString rowId()
{
    return SqlDialect::rowIdColumn(Database::connection());
}

// Runs a statement on the server's own database, beside the program's connection.
void administer(const DatabaseUrl &server, const QString &sql)
{
    ScopedConnection admin(QStringLiteral("bench_admin"), server);
    QSqlQuery q(admin.db());
    if (!admin.db().open() || !q.exec(sql)) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(admin.db().lastError().text() + q.lastError().text()));
        std::abort();
    }
}

enum Backend { OnSqlite = 0, OnServer = 1 };

// The generated database, alive for the whole run.
class BenchDatabase
{
public:
    explicit BenchDatabase(Backend backend)
    {
        if (backend == OnSqlite) {
            m_url = DatabaseUrl::sqliteFile(m_dir.filePath(QLatin1String(Database::FileName)));
        } else {
            const DatabaseUrl server =
                DatabaseUrl::parse(qEnvironmentVariable("TAKTORA_BENCH_PG_URL"));
            administer(server,
                       QStringLiteral("DROP DATABASE IF EXISTS taktora_bench WITH (FORCE)"));
            administer(server, QStringLiteral("CREATE DATABASE taktora_bench"));
            m_url = server.withDatabaseName(QStringLiteral("taktora_bench"));
        }
        Database::createDatabase(m_url);
        Database::setUrl(m_url);
        QSqlDatabase db = Database::connection();
        db.transaction();
        generatePlans();
        generateEmployeesAndMarch();
        db.commit();
    }
    ~BenchDatabase() { Database::disconnect(); }

private:
    void generatePlans()
    {
        exec(QStringLiteral(
            "INSERT INTO Schicht (Schichtplan, Bezeichnung) VALUES (1, 'Frühschicht')"));
        QSqlQuery q(Database::connection());
        q.prepare(QStringLiteral(
            "INSERT INTO Tagplan (Schichtplan, Tagesplan, Von, Bis, PauseVon1, PauseBis1, "
            "PauseVon2, PauseBis2, PauseVon3, PauseBis3, Sollstd) VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
        for (int day = 1; day <= 8; ++day) {
            const bool workday = day <= 5;
            const QVariantList values{ShiftPlan,        day, 420, 960, 540, 555, 720, 750, 0, 0,
                                      workday ? 480 : 0};
            for (int i = 0; i < values.size(); ++i)
                q.bindValue(i, values.at(i));
            exec(q);
        }
    }

    void generateEmployeesAndMarch()
    {
        QSqlQuery person(Database::connection());
        person.prepare(QStringLiteral("INSERT INTO Personal (PersonalNummer, Name, Vorname, "
                                      "Schicht, AuswertBegin) VALUES (?, ?, ?, 1, 1)"));
        QSqlQuery day(Database::connection());
        day.prepare(QStringLiteral("INSERT INTO auswert (PersonalNummer, Datum, Schicht, Soll, "
                                   "Summe) VALUES (?,?,1,0,0)"));
        QSqlQuery entry(Database::connection());
        entry.prepare(QStringLiteral("INSERT INTO AuswPos (PersonalNummer, Datum, Von, Bis, "
                                     "Summe, Kennung) VALUES (?, ?, ?, ?, ?, ?)"));
        const struct
        {
            int von, bis;
            const char *code;
        } entries[] = {{420, 735, "N"}, {740, 960, "N"}, {960, 1080, "U"}};
        for (int number = 1; number <= Employees; ++number) {
            person.bindValue(0, number);
            person.bindValue(1, QStringLiteral("Name%1").arg(number));
            person.bindValue(2, QStringLiteral("Vorname%1").arg(number));
            exec(person);
            for (QDate date = MarchFirst; date <= MarchLast; date = date.addDays(1)) {
                day.bindValue(0, number);
                day.bindValue(1, iso(date));
                exec(day);
                for (const auto &e : entries) {
                    entry.bindValue(0, number);
                    entry.bindValue(1, iso(date));
                    entry.bindValue(2, e.von);
                    entry.bindValue(3, e.bis);
                    entry.bindValue(4, e.bis - e.von);
                    entry.bindValue(5, QString::fromLatin1(e.code));
                    exec(entry);
                }
            }
        }
    }

    QTemporaryDir m_dir;
    DatabaseUrl m_url;

public:
    void use() const
    {
        if (Database::url().displayText() != m_url.displayText())
            Database::setUrl(m_url);
    }
};

// The databases of the measures' arguments, generated when first needed, dropped before the
// application object.
std::unique_ptr<BenchDatabase> g_databases[2];

void useBackend(Backend backend)
{
    if (!g_databases[backend])
        g_databases[backend] = std::make_unique<BenchDatabase>(backend);
    g_databases[backend]->use();
}

// The four table objects as the time recording window holds them.
struct WindowTables : TimeRecordingTables
{
    WindowTables() { open(); }
};

// ------------------------------------------------------------------ plain SQL counterparts

struct PlainPlan
{
    int target = 0;
    PlanBreaks breaks;
};

QHash<int, PlainPlan> readPlans()
{
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT Tagesplan, Sollstd, PauseVon1, PauseBis1, PauseVon2, "
                             "PauseBis2, PauseVon3, PauseBis3 FROM Tagplan WHERE Schichtplan = ?"));
    q.addBindValue(ShiftPlan);
    exec(q);
    QHash<int, PlainPlan> plans;
    while (q.next()) {
        PlainPlan plan;
        plan.target = q.value(1).toInt();
        for (int k = 0; k < 3; ++k)
            plan.breaks[k] = {q.value(2 + 2 * k).toInt(), q.value(3 + 2 * k).toInt()};
        plans.insert(q.value(0).toInt(), plan);
    }
    return plans;
}

int readRange(int number, const QDate &from, const QDate &to)
{
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1, * FROM auswert WHERE PersonalNummer = ? AND Datum "
                             "BETWEEN ? AND ? ORDER BY PersonalNummer, Datum")
                  .arg(rowId()));
    q.addBindValue(number);
    q.addBindValue(iso(from));
    q.addBindValue(iso(to));
    exec(q);
    int rows = 0;
    while (q.next())
        ++rows;
    return rows;
}

// Creates the day records of a missing month and reads the month back, as a selection does.
void plainCreateMonth(int number, const QDate &from, const QDate &to)
{
    QSqlDatabase db = Database::connection();
    db.transaction();
    const QHash<int, PlainPlan> plans = readPlans();
    readRange(number, from, to);
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO auswert (PersonalNummer, Datum, Schicht, Soll, Summe) VALUES (?,?,?,?,0)"));
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        insert.bindValue(0, number);
        insert.bindValue(1, iso(date));
        insert.bindValue(2, ShiftPlan);
        insert.bindValue(3, plans.value(date.dayOfWeek()).target);
        exec(insert);
    }
    readRange(number, from, to);
    db.commit();
}

// Re-evaluates every day record of a month from its entries.
void plainReevaluateMonth(int number, const QDate &from, const QDate &to)
{
    QSqlDatabase db = Database::connection();
    const QHash<int, PlainPlan> plans = readPlans();
    QSqlQuery days(db);
    days.setForwardOnly(true);
    days.prepare(QStringLiteral("SELECT %1, Datum FROM auswert WHERE PersonalNummer = ? AND "
                                "Datum BETWEEN ? AND ? ORDER BY PersonalNummer, Datum")
                     .arg(rowId()));
    days.addBindValue(number);
    days.addBindValue(iso(from));
    days.addBindValue(iso(to));
    exec(days);
    QVector<QPair<qint64, QDate>> records;
    while (days.next())
        records.append({days.value(0).toLongLong(),
                        QDate::fromString(days.value(1).toString().left(10), Qt::ISODate)});
    days.finish();
    QSqlQuery entries(db);
    entries.setForwardOnly(true);
    entries.prepare(QStringLiteral(
        "SELECT Von, Bis, Kennung FROM AuswPos WHERE PersonalNummer = ? AND Datum = ?"));
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE auswert SET Soll = ?, Summe = ?, Anwesend = ?, "
                                  "Krank = ?, Urlaub = ?, Feiertag = ?, Unbezahlt = ?, "
                                  "version = version + 1 WHERE %1 = ?")
                       .arg(rowId()));
    for (const auto &record : records) {
        const PlainPlan plan = plans.value(record.second.dayOfWeek());
        entries.bindValue(0, number);
        entries.bindValue(1, iso(record.second));
        exec(entries);
        QVector<EntryTimes> day;
        while (entries.next())
            day.append({entries.value(0).toLongLong(), entries.value(1).toLongLong(),
                        entries.value(2).toString()});
        entries.finish();
        const DaySums sums = evaluateDay(plan.breaks, day);
        const QVariantList values{plan.target, sums.total,    sums.normal,    sums.krank,
                                  sums.urlaub, sums.feiertag, sums.unbezahlt, record.first};
        for (int i = 0; i < values.size(); ++i)
            update.bindValue(i, values.at(i));
        exec(update);
    }
}

// ------------------------------------------------------------------ measuring

double seconds(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Re-evaluations write changed values only when the day plans changed since the last run:
// SQLite skips the disk sync of a commit that changes nothing, which would flatter whichever
// side happens to write unchanged rows.
void changeTargets(int iteration)
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("UPDATE Tagplan SET Sollstd = ? WHERE Tagesplan <= 5"));
    q.addBindValue(400 + iteration % 60);
    exec(q);
}

// The plain counterpart works on another employee than the table layer in the same iteration.
int otherEmployee(int iteration)
{
    return 1 + (iteration + Employees / 2) % Employees;
}

// Times the table layer's work per iteration and, untimed beside it, the plain counterpart.
// prepare runs untimed before both.
void measure(benchmark::State &state, const std::function<void(int)> &layer,
             const std::function<void(int)> &plain,
             const std::function<void(int)> &prepare = nullptr)
{
    double layerTotal = 0;
    double plainTotal = 0;
    int iteration = 0;
    for (auto _ : state) {
        if (prepare)
            prepare(iteration);
        const double layerTime = seconds([&] { layer(iteration); });
        state.SetIterationTime(layerTime);
        layerTotal += layerTime;
        plainTotal += seconds([&] { plain(iteration); });
        ++iteration;
    }
    state.counters["plain_ms"] = plainTotal / iteration * 1e3;
    state.counters["ratio"] = layerTotal / plainTotal;
}

// A month no iteration has used yet: employee and month move on with every iteration.
struct FreshMonth
{
    int number;
    QDate from;
    QDate to;
};

FreshMonth freshMonth(int iteration, int firstYear)
{
    const int number = 1 + iteration % Employees;
    const int monthIndex = iteration / Employees;
    const QDate from(firstYear + monthIndex / 12, 1 + monthIndex % 12, 1);
    return {number, from, from.addDays(from.daysInMonth() - 1)};
}

// SQLite always; the server when one is named.
void backends(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ArgName("server")->Arg(OnSqlite);
    if (!qEnvironmentVariableIsEmpty("TAKTORA_BENCH_PG_URL"))
        benchmark->Arg(OnServer);
}

void BM_SelectMissingMonth(benchmark::State &state)
{
    useBackend(Backend(state.range(0)));
    static int runs = 0; // Google Benchmark calls a benchmark more than once
    const int firstYear = 1000 + 100 * runs++;
    WindowTables tables;
    measure(
        state,
        [&](int iteration) {
            const FreshMonth m = freshMonth(iteration, firstYear);
            tables.personal.findKey({m.number});
            SelectEvaluationPeriod(tables.evaluation, m.from.month(), m.from.year());
            if (tables.auswert.recordCount() != m.from.daysInMonth())
                state.SkipWithError("selection did not create the month");
        },
        [&](int iteration) {
            const FreshMonth m = freshMonth(iteration, firstYear + 50);
            plainCreateMonth(m.number, m.from, m.to);
        });
}
BENCHMARK(BM_SelectMissingMonth)->Apply(backends)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ReevaluateMonth(benchmark::State &state)
{
    useBackend(Backend(state.range(0)));
    WindowTables tables;
    measure(
        state,
        [&](int iteration) {
            const int number = 1 + iteration % Employees;
            tables.personal.findKey({number});
            tables.auswert.setRange({number, MarchFirst}, {number, MarchLast});
            tables.evaluation.EvaluatePeriod(1, MarchFirst, MarchLast);
        },
        [&](int iteration) {
            QSqlDatabase db = Database::connection();
            db.transaction();
            plainReevaluateMonth(otherEmployee(iteration), MarchFirst, MarchLast);
            db.commit();
        },
        changeTargets);
}
BENCHMARK(BM_ReevaluateMonth)->Apply(backends)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_RecalcAllEmployees(benchmark::State &state)
{
    useBackend(Backend(state.range(0)));
    QString report;
    QTextStream out(&report);
    measure(
        state,
        [&](int) {
            report.clear();
            RecalcMonth(3, 2024, out);
        },
        [&](int) {
            QSqlDatabase db = Database::connection();
            db.transaction();
            for (int number = 1; number <= Employees; ++number)
                plainReevaluateMonth(number, MarchFirst, MarchLast);
            db.commit();
        },
        changeTargets);
}
BENCHMARK(BM_RecalcAllEmployees)
    ->Apply(backends)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (auto &database : g_databases)
        database.reset();
    return 0;
}
