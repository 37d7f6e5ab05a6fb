// The calendar for other programs on the bundled data set: a 50-year calendar file of every day, in each
// of the four pieces of 1901-2100, and the JSON of a year, each both inside one process (engine and
// writers) and as the vorelian-report process a script runs. The processes report their own CPU time.
#include "bench_support.h"
#include "report/exportdays.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

#include <benchmark/benchmark.h>

using namespace vorelian;

namespace {

const DayEngine& Engine() {
    static const auto engine =
        DayEngine::Load(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Calendar")));
    return *engine;
}

QString Year(int64_t y, int month, int day) {
    return QStringLiteral("%1-%2-%3")
        .arg(y)
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

} // namespace

// 1901-1950, 1951-2000, 2001-2050, 2051-2100 (Gregorian), every day.
static void BM_ToolIcalAll50Years(benchmark::State& state) {
    const int64_t first = 1901 + 50 * state.range(0);
    bench::RunTool(state,
                   {"ical", "--from", Year(first, 1, 1), "--to", Year(first + 49, 12, 31), "--scope", "all"});
}
BENCHMARK(BM_ToolIcalAll50Years)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(2);

static void BM_IcalAll50YearsInProcess(benchmark::State& state) {
    const int16_t first = int16_t(1901 + 50 * state.range(0));
    const DayRange days{int32_t(QDate(first, 1, 1).toJulianDay()),
                        int32_t(QDate(first + 49, 12, 31).toJulianDay())};
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = IcalCalendar(Engine(), days, IcalScope::All, DayOptions{})->size();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_IcalAll50YearsInProcess)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(2);

static void BM_ToolYearJson(benchmark::State& state) {
    bench::RunTool(state, {"year", "--date", "2027-05-05", "--format", "json"});
}
BENCHMARK(BM_ToolYearJson)->Unit(benchmark::kMillisecond);

static void BM_YearJsonInProcess(benchmark::State& state) {
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = JsonBytes(ReportJson(Engine(), 3, {2027, 5, 5}, DayOptions{})).size();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_YearJsonInProcess)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return vorelian::bench::RunBenchmarks(argc, argv);
}
