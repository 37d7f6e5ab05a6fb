// The reports on the bundled data set: the day report, a walk through every day block of a year, the year
// report, the main feasts, a search of the year, and the vorelian-report process for a day and a year.
#include "bases/bases.h"
#include "bench_support.h"
#include "core/recalc.h"
#include "core/state.h"
#include "engine/startup.h"
#include "report/builders.h"
#include "report/dayblock.h"
#include "report/documents.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <memory>

using namespace vorelian;

namespace {

class NullHost : public ReportHost {
public:
    void ShowReport(int, const QString&, const QByteArray& document) override { Size = document.size(); }
    qsizetype Size = 0;
};

// One calendar on the data set beside the program, at a fixed date, with its temporary files.
struct Bench {
    std::shared_ptr<const DayEngine> Engine =
        DayEngine::Load(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Calendar")));
    CalendarState State;
    Settings Options;
    Reports Out;
    NullHost Host;
    ReportView Ctx{*Engine, State, Options, Out, &Host};

    Bench() {
        StartCalendar(State, 1901, 2100);
        SetGregorianDate(State, 20, 2, 2024); // a leap year: 366 days
        CreateTempFiles(Out.Temp);
    }
    ~Bench() { DeleteTempFiles(Out.Temp); }
};

Bench& Shared() {
    static Bench b;
    return b;
}

void BuildTab(benchmark::State& state, int tab) {
    Bench& b = Shared();
    for (auto _ : state) {
        ClearReportStyles(b.Out);
        BuildReport(b.Ctx, tab);
        benchmark::DoNotOptimize(b.Host.Size);
    }
    state.counters["bytes"] = double(b.Host.Size);
}

} // namespace

static void BM_DayReport(benchmark::State& state) {
    BuildTab(state, TabDay);
}
BENCHMARK(BM_DayReport)->Unit(benchmark::kMicrosecond);

// Every day of the year asked of the engine and its day block composed, without writing.
static void BM_DayBlocksOfAYear(benchmark::State& state) {
    Bench& b = Shared();
    const DayOptions options = DayOptionsOf(b.Options, b.State.CurStyle);
    for (auto _ : state) {
        const int32_t first = b.State.Cur().YearFirstDay, last = b.State.Cur().YearLastDay;
        qsizetype size = 0;
        for (int32_t t = first; t <= last; ++t)
            size += PeriodDayBlock(b.Engine->Day(t, options), options, false, false, false).size();
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_DayBlocksOfAYear)->Unit(benchmark::kMillisecond);

static void BM_YearReport(benchmark::State& state) {
    BuildTab(state, TabYear);
}
BENCHMARK(BM_YearReport)->Unit(benchmark::kMillisecond);

static void BM_MainFeasts(benchmark::State& state) {
    BuildTab(state, TabFeasts);
}
BENCHMARK(BM_MainFeasts)->Unit(benchmark::kMicrosecond);

static void BM_SearchTheYear(benchmark::State& state) {
    Bench& b = Shared();
    for (auto _ : state) {
        FindInYear(b.Ctx, QStringLiteral("Мч."), false);
        benchmark::DoNotOptimize(b.Host.Size);
    }
    state.counters["bytes"] = double(b.Host.Size);
}
BENCHMARK(BM_SearchTheYear)->Unit(benchmark::kMillisecond);

// The whole process: start, load the data, build, print. The year should cost at most twice the day.
static void RunTool(benchmark::State& state, const QString& report) {
    bench::RunTool(state, {report, QStringLiteral("--date"), QStringLiteral("2024-02-20"),
                           QStringLiteral("--format"), QStringLiteral("rtf")});
}
static void BM_ToolDay(benchmark::State& state) {
    RunTool(state, QStringLiteral("day"));
}
BENCHMARK(BM_ToolDay)->Unit(benchmark::kMillisecond);
static void BM_ToolYear(benchmark::State& state) {
    RunTool(state, QStringLiteral("year"));
}
BENCHMARK(BM_ToolYear)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return vorelian::bench::RunBenchmarks(argc, argv);
}
