// The calendar for other programs on the bundled data set: a 50-year calendar file of every day, in each
// of the four pieces of 1901-2100, and the JSON of a year, each both inside one process (engine and
// writers) and as the vorelian-report process a script runs. The processes report their own CPU time.
#include "report/exportdays.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

using namespace vorelian;

namespace {

const DayEngine& Engine() {
    static const auto engine =
        DayEngine::Load(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Calendar")));
    return *engine;
}

double ChildrenCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs vorelian-report with `args` for each iteration; the CPU time of the process is the counter.
void RunTool(benchmark::State& state, const QStringList& args) {
    const QString tool =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vorelian-report"));
    if (!QFile::exists(tool)) {
        state.SkipWithError("vorelian-report is not built beside the benchmark");
        return;
    }
    const double cpuBefore = ChildrenCpuSeconds();
    qsizetype bytes = 0;
    for (auto _ : state) {
        QProcess p;
        p.start(tool, args);
        if (!p.waitForFinished(120000) || p.exitCode() != 0) {
            state.SkipWithError("vorelian-report failed");
            return;
        }
        bytes = p.readAllStandardOutput().size();
    }
    state.counters["cpu_ms"] =
        benchmark::Counter((ChildrenCpuSeconds() - cpuBefore) * 1000 / double(state.iterations()));
    state.counters["bytes"] = double(bytes);
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
    RunTool(state, {"ical", "--from", Year(first, 1, 1), "--to", Year(first + 49, 12, 31), "--scope", "all"});
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
    RunTool(state, {"year", "--date", "2027-05-05", "--format", "json"});
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
