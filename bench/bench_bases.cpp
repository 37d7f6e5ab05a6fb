// The data layer on the bundled data set beside the program: parsing every data file, loading the six
// bases, placing the records for one year, and the red days of a Gregorian month (two day files).
#include "bases/bases.h"
#include "bench_support.h"
#include "core/calendar.h"
#include "core/recalc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <benchmark/benchmark.h>

#include <memory>

using namespace vorelian;

namespace {

DataFiles BundledFiles() {
    DataFiles files;
    files.SetFolder(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Calendar")));
    return files;
}

std::unique_ptr<CalendarData> Loaded() {
    auto data = std::make_unique<CalendarData>();
    data->Files = BundledFiles();
    LoadBases(*data);
    return data;
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

static void BM_PlaceYear(benchmark::State& state) {
    auto data = Loaded();
    for (auto _ : state)
        benchmark::DoNotOptimize(PlaceYear(data->Bases, 2025).Days[int(BaseKind::Special)][1]);
}
BENCHMARK(BM_PlaceYear);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // finds the data folder beside the program
    QLoggingCategory::setFilterRules(QStringLiteral("vorelian.bases.profile.warning=false"));
    return vorelian::bench::RunBenchmarks(argc, argv);
}
