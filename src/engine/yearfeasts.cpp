#include "engine/yearfeasts.h"

#include "core/calendar.h"
#include "core/dates.h"
#include "core/recalc.h"
#include "engine/dataset.h"
#include "engine/dayengine.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace vorelian {
namespace {

// The day on which a Special.DAT record stands in the year, or 0: of its days in the Paschal year of
// the year and the year before, the one that lies in the year.
int32_t KeptDay(const DayEngine& e, const CalendarState& year, int record) {
    const Bases& b = e.Data().Data.Bases;
    const auto cur = b.PlacementsOf(year.Pascha.PaschaYear);
    const auto prev = b.PlacementsOf(static_cast<int16_t>(year.Pascha.PaschaYear - 1));
    const auto& special = int(BaseKind::Special);
    const StyleDate& y = year.Cur();
    for (int32_t d : {cur->Days[special][record], prev->Days[special][record]})
        if (d != 0 && d >= y.YearFirstDay && d <= y.YearLastDay)
            return d;
    return 0;
}

} // namespace

FeastYear FeastYearOf(int32_t dayNumber, int16_t style) {
    FeastYear y{StateOfDay(dayNumber, style), 0};
    y.JulianYear = y.State.StyleDates[StyleJulian].Year;
    return y;
}

int32_t JulianDateInYear(const CalendarState& year, int16_t julianYear, int16_t day, int16_t month) {
    const StyleDate& r = year.Cur();
    // An Anno Mundi year begins in September and the first days of a Gregorian year are Julian dates of
    // the year before: try the neighbouring Julian year when the date falls outside.
    int32_t d = DayNumber(StyleJulian, day, month, julianYear);
    if (d < r.YearFirstDay)
        d = DayNumber(StyleJulian, day, month, static_cast<int16_t>(julianYear + 1));
    if (d > r.YearLastDay)
        d = DayNumber(StyleJulian, day, month, static_cast<int16_t>(julianYear - 1));
    if (d < r.YearFirstDay || d > r.YearLastDay)
        return 0;
    return d;
}

int32_t FeastDay(const DayEngine& e, const FeastYear& y, const FixedFeast& f) {
    const int32_t kept = f.KeptBy != 0 ? KeptDay(e, y.State, f.KeptBy) : 0;
    if (kept == 0)
        return JulianDateInYear(y.State, y.JulianYear, f.Day, f.Month);
    const CalendarState k = StateOfDay(kept, StyleJulian);
    const StyleDate& j = k.StyleDates[StyleJulian];
    return JulianDateInYear(y.State, y.JulianYear, j.Day, j.Month);
}

std::vector<FeastRow> DayEngine::Feasts(int16_t year, const DayOptions& options) const {
    std::vector<FeastRow> rows;
    const std::optional<int32_t> first = DayNumberOf(options.Style, year, 1, 1);
    if (!first)
        return rows;
    const FeastYear y = FeastYearOf(*first, options.Style);
    const auto add = [&](int32_t d, QStringView title, bool movable) {
        const DayInfo day = Day(d, options);
        rows.push_back(
            FeastRow{d, day.AnnoMundi, day.Julian, day.Gregorian, title.toString(), movable, day.Red});
    };
    add(y.State.Pascha.PaschaDay, PaschaTitle, true);
    for (const MovableFeast& f : TwelveMovableFeasts)
        add(y.State.Pascha.PaschaDay + f.Offset, f.Title, true);
    for (const auto& table : {std::pair{std::begin(TwelveFixedFeasts), std::end(TwelveFixedFeasts)},
                              std::pair{std::begin(GreatFixedFeasts), std::end(GreatFixedFeasts)}}) {
        std::vector<FeastRow> fixed;
        for (const FixedFeast* f = table.first; f != table.second; ++f)
            if (const int32_t d = FeastDay(*this, y, *f)) {
                const DayInfo day = Day(d, options);
                fixed.push_back(FeastRow{d, day.AnnoMundi, day.Julian, day.Gregorian,
                                         QString::fromUtf16(f->Title), false, day.Red});
            }
        std::stable_sort(fixed.begin(), fixed.end(),
                         [](const FeastRow& a, const FeastRow& b) { return a.DayNumber < b.DayNumber; });
        rows.insert(rows.end(), fixed.begin(), fixed.end());
    }
    return rows;
}

std::vector<FastSpan> YearFasts(const DayEngine& engine, int32_t first, int32_t last) {
    std::vector<FastSpan> fasts;
    const int julianYear = DatesOf(first).Julian.Year;
    for (int y = julianYear - 1; y <= julianYear + 1; ++y) {
        const auto on = [&](int month, int day) {
            return engine.DayNumberOf(2, int16_t(y), int16_t(month), int16_t(day)).value_or(0);
        };
        const int32_t pascha = JulianPascha(y);
        const FastSpan spans[] = {
            {QStringLiteral("Великий пост"), pascha - 48, pascha - 1},
            // From the Monday after All Saints to the eve of the feast of the Apostles Peter and Paul.
            {QStringLiteral("Петров пост"), pascha + 57, on(6, 28)},
            {QStringLiteral("Успенский пост"), on(8, 1), on(8, 14)},
            {QStringLiteral("Рождественский пост"), on(11, 15), on(12, 24)},
            {QStringLiteral("Навечерие Богоявления"), on(1, 5), on(1, 5)},
            {QStringLiteral("Усекновение главы Иоанна Предтечи"), on(8, 29), on(8, 29)},
            {QStringLiteral("Воздвижение Креста Господня"), on(9, 14), on(9, 14)},
        };
        for (const FastSpan& f : spans)
            if (f.First >= first && f.First <= last && f.First <= f.Last)
                fasts.push_back(f);
    }
    std::sort(fasts.begin(), fasts.end(),
              [](const FastSpan& a, const FastSpan& b) { return a.First < b.First; });
    return fasts;
}

} // namespace vorelian
