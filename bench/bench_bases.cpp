// The data layer on the bundled data set beside the program: parsing every data file, loading the six
// bases, placing the records for one year, and the red days of a Gregorian month (two day files).
#include "bases/bases.h"
#include "bench_support.h"
#include "core/calendar.h"
#include "core/recalc.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>

#include <benchmark/benchmark.h>

#include <memory>

using namespace vorelian;

namespace {

DataFiles BundledFiles() {
    return DataFiles::BesideProgram();
}

std::unique_ptr<CalendarData> Loaded() {
    auto data = std::make_unique<CalendarData>();
    data->Files = BundledFiles();
    LoadBases(*data);
    return data;
}

CalendarState GregorianDay(RecalcHooks* hooks, int16_t day, int16_t month, int16_t year) {
    CalendarState st;
    InitStyleTables(st);
    st.Hooks = hooks;
    SetGregorianDate(st, day, month, year);
    return st;
}

} // namespace

static void BM_ParseEveryDataFile(benchmark::State& state) {
    const DataFiles files = BundledFiles();
    int64_t bytes = 0;
    for (const QString& path : files.Paths)
        if (!path.isEmpty())
            bytes += QFileInfo(path).size();
    for (auto _ : state) {
        ProfileCache cache;
        for (const QString& path : files.Paths)
            benchmark::DoNotOptimize(cache.Get(path).Sections().size());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ParseEveryDataFile)->Unit(benchmark::kMillisecond);

static void BM_LoadBases(benchmark::State& state) {
    for (auto _ : state) {
        auto data = Loaded();
        benchmark::DoNotOptimize(data->Bases.Reloc.Count);
    }
}
BENCHMARK(BM_LoadBases)->Unit(benchmark::kMillisecond);

static void BM_SetMovableDays(benchmark::State& state) {
    auto data = Loaded();
    const CalendarState st = GregorianDay(nullptr, 15, 6, 2025);
    for (auto _ : state) {
        SetMovableDays(st, data->Bases);
        benchmark::DoNotOptimize(data->Bases.Special.Records[1].DayNumber);
    }
}
BENCHMARK(BM_SetMovableDays);

static void BM_SetMonthRedDays_Gregorian(benchmark::State& state) {
    auto data = Loaded();
    BasesHooks hooks(*data);
    // January 2025: Julian 19 December 2024 .. 18 January 2025, two day files.
    CalendarState st = GregorianDay(&hooks, 15, 1, 2025);
    for (auto _ : state) {
        SetMonthRedDays(st, data->Bases, data->Profiles, data->Files);
        benchmark::DoNotOptimize(st.MonthRedDays.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SetMonthRedDays_Gregorian);

static void BM_SetMonthRedDays_Julian(benchmark::State& state) {
    auto data = Loaded();
    BasesHooks hooks(*data);
    CalendarState st = GregorianDay(&hooks, 15, 1, 2025);
    st.CurStyle = StyleJulian;
    ApplyStyle(st);
    for (auto _ : state) {
        SetMonthRedDays(st, data->Bases, data->Profiles, data->Files);
        benchmark::DoNotOptimize(st.MonthRedDays.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SetMonthRedDays_Julian);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // finds the data folder beside the program
    QLoggingCategory::setFilterRules(QStringLiteral("vorelian.bases.profile.warning=false"));
    return vorelian::bench::RunBenchmarks(argc, argv);
}
