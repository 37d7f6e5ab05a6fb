// The day engine on the bundled data set: every day of 1901..2100 (Gregorian) computed with its entries,
// without and with the readings, one engine answering from one thread.
#include "bases/datafiles.h"
#include "bench_support.h"
#include "core/calendar.h"
#include "core/recalc.h"
#include "engine/dataset.h"
#include "engine/dayengine.h"
#include "engine/fasting.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

using namespace vorelian;

namespace {

std::shared_ptr<const DayEngine> Bundled() {
    static const auto engine =
        DayEngine::Load(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Calendar")));
    return engine;
}

} // namespace

// The argument: 0 without the readings, 1 with them (the Apostle and Gospel, the Liturgy, the weddings).
static void BM_EngineEveryDay1901To2100(benchmark::State& state) {
    const DayEngine& e = *Bundled();
    const int32_t first = DayNumber(StyleGregorian, 1, 1, 1901);
    const int32_t last = DayNumber(StyleGregorian, 31, 12, 2100);
    DayOptions options;
    options.ShowReadings = state.range(0) != 0;
    std::size_t entries = 0;
    for (auto _ : state) {
        entries = 0;
        for (int32_t d = first; d <= last; ++d)
            entries += e.Day(d, options).Entries.size();
        benchmark::DoNotOptimize(entries);
    }
    state.counters["days"] = double(last - first + 1);
    state.counters["entries"] = double(entries);
}
BENCHMARK(BM_EngineEveryDay1901To2100)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The fasting level of every day of the same range, the part of the day above that the rule file adds:
// the days' dates, weekdays and ranks are gathered first, only the evaluation is timed.
static void BM_FastingEveryDay1901To2100(benchmark::State& state) {
    const DayEngine& e = *Bundled();
    const FastingRules& rules = e.Data().Fasting;
    std::vector<FastingDay> days;
    for (int32_t d = DayNumber(StyleGregorian, 1, 1, 1901); d <= DayNumber(StyleGregorian, 31, 12, 2100);
         ++d) {
        const DayInfo info = e.Day(d, DayOptions{StyleGregorian, false, false, false});
        days.push_back({d, info.Julian.Month, info.Julian.Day, info.Weekday, JulianPascha(info.Julian.Year),
                        HighestRank(info.Entries)});
    }
    int fastDays = 0;
    for (auto _ : state) {
        fastDays = 0;
        for (const FastingDay& d : days)
            fastDays += EvaluateFasting(rules, d)->Level != FastLevel::None;
        benchmark::DoNotOptimize(fastDays);
    }
    state.counters["days"] = double(days.size());
    state.counters["fast days"] = double(fastDays);
}
BENCHMARK(BM_FastingEveryDay1901To2100)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The marks of the month grid: a Gregorian January reads two Julian day files.
static void BM_MonthMarks(benchmark::State& state) {
    const DayEngine& e = *Bundled();
    DayOptions options;
    options.ShowFasting = state.range(0) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(e.Month(2025, 1, options).size());
}
BENCHMARK(BM_MonthMarks)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

static void BM_EngineLoad(benchmark::State& state) {
    const QString dir = Bundled()->CalendarDir();
    for (auto _ : state)
        benchmark::DoNotOptimize(DayEngine::Load(dir));
}
BENCHMARK(BM_EngineLoad)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return vorelian::bench::RunBenchmarks(argc, argv);
}
