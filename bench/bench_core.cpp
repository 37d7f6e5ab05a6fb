// The calendar engine: a year's recomputation, one day step, and converting every day of a year.
#include "core/calendar.h"
#include "core/recalc.h"
#include "core/state.h"

#include <benchmark/benchmark.h>

using namespace vorelian;

namespace {
CalendarState Today() {
    CalendarState st;
    InitStyleTables(st);
    st.CurStyle = StyleGregorian;
    st.StyleDates[StyleGregorian].Day = 7;
    st.StyleDates[StyleGregorian].Month = 12;
    st.StyleDates[StyleGregorian].Year = 2026;
    RecalcYear(st);
    return st;
}
} // namespace

static void BM_RecalcYear(benchmark::State& state) {
    CalendarState st = Today();
    for (auto _ : state) {
        RecalcYear(st);
        benchmark::DoNotOptimize(st.Pascha.PaschaDay);
    }
}
BENCHMARK(BM_RecalcYear);

static void BM_ShiftDaysForwardAndBack(benchmark::State& state) {
    CalendarState st = Today();
    for (auto _ : state) {
        ShiftDays(st, 1);
        ShiftDays(st, -1);
        benchmark::DoNotOptimize(st.CurDayNumber);
    }
}
BENCHMARK(BM_ShiftDaysForwardAndBack);

static void BM_YearInThreeStyles(benchmark::State& state) {
    CalendarState st = Today();
    const int32_t first = DayNumber(StyleGregorian, 1, 1, 2026);
    for (auto _ : state) {
        for (int32_t n = first; n < first + 365; ++n) {
            st.CurDayNumber = n;
            DayNumberToJulian(st);
            JulianToAnnoMundi(st);
            JulianToGregorian(st);
        }
        benchmark::DoNotOptimize(st.StyleDates);
    }
}
BENCHMARK(BM_YearInThreeStyles);

BENCHMARK_MAIN();
